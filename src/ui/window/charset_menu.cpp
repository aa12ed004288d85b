#include "charset_menu.h"

#include <QComboBox>

#include "options/charsets.h"

void fillCharsetMenu(QComboBox* popup)
{
    if (!popup)
        return;
    popup->clear();
    for (int i = 0; i < kCharsetCount; ++i)
        popup->addItem(charsetNameAtIndex(i), i);
}

int selectedCharsetTag(const QComboBox* popup)
{
    if (!popup || popup->currentIndex() < 0)
        return -1;
    bool ok = false;
    int tag = popup->currentData().toInt(&ok);
    return ok ? tag : -1;
}
