#include "main_window.h"

#include <QCloseEvent>
#include <QSettings>

#include "ui_MainWindow.h"

namespace {
const QString kFrameKey = QStringLiteral("frame");
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>())
{
    ui_->setupUi(this);
    Ui::MainWindow& ui = *ui_;
    outlets_ = {ui.tabControl,   ui.progressPanel,  ui.startButton,    ui.filesTree,     ui.addButton,
                ui.removeButton, ui.outputName,     ui.chooseButton,   ui.outputTable,   ui.separateFile,
                ui.overFiles,    ui.overTables,     ui.overTablesBox,  ui.srcCharset,    ui.srcCharsetLabel,
                ui.Options,      ui.optionsPlaceholder, ui.progressBar, ui.logWindow,    ui.actionAddFiles,
                ui.actionRemove, ui.actionQuit,     ui.actionHelp,     ui.actionReadMe,  ui.actionLicense,
                ui.actionSupport};
}

MainWindow::~MainWindow() = default;

void MainWindow::restoreFrame()
{
    QSettings store;
    QByteArray frame = store.value(kFrameKey).toByteArray();
    if (!frame.isEmpty())
        restoreGeometry(frame);
}

void MainWindow::saveFrame() const
{
    QSettings store;
    store.setValue(kFrameKey, saveGeometry());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (shouldClose_ && !shouldClose_()) {
        event->ignore();
        return;
    }
    event->accept();
    emit windowWillClose();
}
