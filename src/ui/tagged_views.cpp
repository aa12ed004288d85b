#include "tagged_views.h"

#include <QRadioButton>
#include <QVariant>

int tagOf(const QObject* object)
{
    QVariant tag = object ? object->property("tag") : QVariant();
    bool ok = false;
    int value = tag.toInt(&ok);
    return tag.isValid() && ok ? value : -1;
}

QWidget* nestedView(QWidget* view, int tag)
{
    if (!view)
        return nullptr;
    if (tagOf(view) == tag)
        return view;
    for (QObject* child : view->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            if (QWidget* found = nestedView(widget, tag))
                return found;
    }
    return nullptr;
}

namespace {
QList<QRadioButton*> radioButtons(QWidget* group)
{
    return group ? group->findChildren<QRadioButton*>() : QList<QRadioButton*>();
}
} // namespace

void selectRadioRow(QWidget* group, int row)
{
    QList<QRadioButton*> buttons = radioButtons(group);
    if (row >= 0 && row < buttons.size())
        buttons[row]->setChecked(true);
}

int checkedRadioTag(QWidget* group)
{
    for (QRadioButton* button : radioButtons(group))
        if (button->isChecked())
            return std::max(tagOf(button), 0);
    return 0;
}
