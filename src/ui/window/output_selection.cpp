#include "output_selection.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QUrl>

#include "options/my_options.h"
#include "output_chooser.h"

OutputSelection::OutputSelection(const OutputControls& controls, myOptions& options, QObject* parent)
    : QObject(parent), controls_(controls), options_(options), written_(options)
{
    opener_ = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

    QComboBox* box = controls_.outputName;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // the history is kept by AddItem
    connect(box, &QComboBox::activated, this, &OutputSelection::outputChanged);
    connect(box->lineEdit(), &QLineEdit::returnPressed, this, &OutputSelection::outputChanged);
    if (controls_.chooseButton)
        connect(controls_.chooseButton, &QPushButton::clicked, this, &OutputSelection::SaveDialog);

    QTableView* table = controls_.outputTable;
    table->setModel(&written_);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QTableView::doubleClicked, this, &OutputSelection::didDoubleClickFolderRow);
    connect(table, &QTableView::customContextMenuRequested, this, &OutputSelection::showContextMenu);
}

QStringList OutputSelection::items() const
{
    QStringList values;
    for (int i = 0; i < controls_.outputName->count(); ++i)
        values.append(controls_.outputName->itemText(i));
    return values;
}

void OutputSelection::AddItem(const QString& value)
{
    QComboBox* box = controls_.outputName;
    int existing = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (existing >= 0)
        box->removeItem(existing);
    box->insertItem(0, value);
    while (box->count() > kHistorySize)
        box->removeItem(box->count() - 1);
    box->setCurrentIndex(0);
    box->setEditText(value);
}

QString OutputSelection::text() const
{
    return controls_.outputName->currentText();
}

void OutputSelection::outputChanged()
{
    QString value = text();
    if (!value.isEmpty())
        AddItem(value);
}

void OutputSelection::SaveDialog()
{
    OutputChooser chooser(controls_.outputName->window());
    if (chooser.exec() != QDialog::Accepted)
        return;
    QString path = outputPathForChoice(chooser.chosenPath());
    if (!path.isEmpty())
        AddItem(path);
}

void OutputSelection::reloadWrittenFiles()
{
    written_.reload();
}

void OutputSelection::didDoubleClickFolderRow()
{
    QString path = written_.pathAt(controls_.outputTable->currentIndex().row());
    if (!path.isEmpty() && opener_)
        opener_(path);
}

void OutputSelection::PreviewOutputFile(int row)
{
    QString path = written_.pathAt(row);
    if (!path.isEmpty())
        emit previewRequested(path, int(options_.targetCharset()));
}

void OutputSelection::showContextMenu(const QPoint& position)
{
    QTableView* table = controls_.outputTable;
    int clickedRow = table->indexAt(position).row();
    if (written_.pathAt(clickedRow).isEmpty())
        return;
    QMenu menu(table);
    QAction* preview = menu.addAction(QStringLiteral("Preview"));
    if (menu.exec(table->viewport()->mapToGlobal(position)) == preview)
        PreviewOutputFile(clickedRow);
}
