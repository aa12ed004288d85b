#include "app_delegate.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

#include "charset_menu.h"
#include "conversion_run.h"
#include "exit_status.h"
#include "file_drop.h"
#include "ui/help/help_actions.h"
#include "module/converter/xls_dbf_module.h"
#include "nib_loader.h"
#include "options/charsets.h"
#include "options/command_line.h"
#include "output_selection.h"
#include "shell/startup.h"
#include "source_tree.h"
#include "ui/options/options_panel.h"
#include "ui/options/settings_store.h"
#include "ui/preview/preview_windows.h"
#include "ui/tagged_views.h"

namespace {

constexpr int kTargetCharsetTag = 60;

std::unique_ptr<ConverterModule> workbookModule(myOptions& options, ConverterShell& shell)
{
    return std::make_unique<XlsDbfModule>(options, shell);
}

} // namespace

AppDelegate::AppDelegate(const ModuleFactory& makeModule, QObject* parent)
    : QObject(parent),
      view_(&window_, window_.outlets().logWindow, window_.outlets().progressBar),
      shell_(opt_, view_, gui_),
      module_(makeModule ? makeModule(opt_, shell_) : workbookModule(opt_, shell_))
{
    const MainWindowOutlets& ui = window_.outlets();
    sourceTree_ = std::make_unique<SourceTree>(ui.filesTree, opt_, *module_);
    output_ = std::make_unique<OutputSelection>(OutputControls{ui.outputName, ui.chooseButton, ui.outputTable}, opt_);
    previews_ = std::make_unique<PreviewWindows>();
    help_ = std::make_unique<HelpActions>(module_->moduleName(), module_->titleForWindow(), *previews_);
    run_ = std::make_unique<ConversionRun>(RunControls{ui.tabControl, ui.progressPanel, ui.startButton},
                                           RunParts{opt_, *module_, shell_, view_, gui_, *sourceTree_, *output_});
    terminate_ = [](int status) {
        // Queued, so that it also ends a program whose event loop has not
        // started yet.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
                                  Qt::QueuedConnection);
    };
}

AppDelegate::~AppDelegate()
{
    run_.reset(); // waits for a worker that may still call the window
}

// ---- start-up -------------------------------------------------------------------

void AppDelegate::applicationDidFinishLaunching(const QStringList& arguments)
{
    // Values are layered in this order: start values and the module's
    // defaults, saved settings, command-line switches; the panel shows the
    // result.
    const MainWindowOutlets& ui = window_.outlets();
    window_.restoreFrame();
    QString identifier = applyStartValues(opt_, *module_, {ui.overTablesBox, ui.srcCharset});
    ui.srcCharsetLabel->setVisible(!ui.srcCharset->isHidden());
    ui.tabControl->setCurrentIndex(0);
    loadOptionsView(identifier);
    fillCharsetMenus();
    view_.setBaseTitle(module_->titleForWindow());

    PanelControls controls{nib_, ui.separateFile, ui.overFiles, ui.overTables, ui.srcCharset, output_.get()};
    panel_ = std::make_unique<OptionsPanel>(opt_, controls);
    settings_ = std::make_unique<SettingsStore>(opt_, *panel_, *sourceTree_, *output_, *module_);
    run_->setSaveOptions([this] { settings_->SaveOptions(); });
    run_->setQuitRequest([this] { closeProgram(); });

    settings_->RestoreOptions();
    adoptCommandLine(arguments);
    panel_->updateOptions();
    if (opt_.silent() == 0 && !view_.unattended()) {
        window_.show();
        window_.raise();
        window_.activateWindow();
    }
    connectWindow();
    batchHandOver();
}

void AppDelegate::loadOptionsView(const QString& identifier)
{
    if (identifier.isEmpty())
        return;
    const MainWindowOutlets& ui = window_.outlets();
    nib_ = loadWithNibNamed(identifier, ui.optionsPage);
    if (!nib_)
        return; // the page keeps its placeholder
    auto* scroller = new QScrollArea(ui.optionsPage);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(nib_);
    ui.optionsPage->layout()->replaceWidget(ui.optionsPlaceholder, scroller);
    ui.optionsPlaceholder->hide();
}

void AppDelegate::fillCharsetMenus()
{
    if (auto* targetCharset = qobject_cast<QComboBox*>(nestedView(nib_, kTargetCharsetTag)))
        fillCharsetMenu(targetCharset);
    QComboBox* srcCharset = window_.outlets().srcCharset;
    fillCharsetMenu(srcCharset);
    connect(srcCharset, &QComboBox::activated, this,
            [this, srcCharset] { chgCharset(opt_, selectedCharsetTag(srcCharset)); });
}

void AppDelegate::adoptCommandLine(const QStringList& arguments)
{
    QStringList files = commandLine(arguments, opt_);
    if (!files.isEmpty())
        sourceTree_->replaceWithCommandLineFiles(files);
    commandLineRun_ = opt_.batch() > 0 || opt_.silent() > 0;
    // Nobody can answer a dialog on a platform without a screen.
    view_.setUnattended(commandLineRun_ && QGuiApplication::platformName() == QLatin1String("offscreen"));
    shell_.setEchoToStandardOutput(commandLineRun_);
    run_->setEchoToStandardOutput(commandLineRun_);
}

void AppDelegate::connectWindow()
{
    const MainWindowOutlets& ui = window_.outlets();
    window_.setCloseGuard([this] { return !run_->inProgress(); });
    connect(&window_, &MainWindow::windowWillClose, this, &AppDelegate::windowWillClose);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
    drop_ = new FileDrop(&window_, *sourceTree_);

    connect(ui.addButton, &QPushButton::clicked, sourceTree_.get(), &SourceTree::OpenDialog);
    connect(ui.actionAddFiles, &QAction::triggered, sourceTree_.get(), &SourceTree::OpenDialog);
    connect(ui.removeButton, &QPushButton::clicked, sourceTree_.get(), &SourceTree::RemoveItem);
    connect(ui.actionRemove, &QAction::triggered, sourceTree_.get(), &SourceTree::RemoveItem);
    connect(ui.actionQuit, &QAction::triggered, this, &AppDelegate::closeProgram);
    connect(ui.actionHelp, &QAction::triggered, this, &AppDelegate::showHelp);
    connect(ui.actionReadMe, &QAction::triggered, this, &AppDelegate::showReadMe);
    connect(ui.actionLicense, &QAction::triggered, this, &AppDelegate::showLicense);
    connect(ui.actionSupport, &QAction::triggered, this, &AppDelegate::techSupport);
    connect(this, &AppDelegate::showHelp, help_.get(), &HelpActions::showHelp);
    connect(this, &AppDelegate::showReadMe, help_.get(), &HelpActions::showReadMe);
    connect(this, &AppDelegate::showLicense, help_.get(), &HelpActions::showLicense);
    connect(this, &AppDelegate::techSupport, help_.get(), &HelpActions::techSupport);
    // The worker reads the tree by row numbers: no removing meanwhile.
    auto allowListChanges = [ui](bool allowed) {
        ui.actionRemove->setEnabled(allowed);
        ui.actionAddFiles->setEnabled(allowed);
    };
    connect(run_.get(), &ConversionRun::runStarted, this, [allowListChanges] { allowListChanges(false); });
    connect(run_.get(), &ConversionRun::runFinished, this, [allowListChanges] { allowListChanges(true); });

    connect(sourceTree_.get(), &SourceTree::previewRequested, this,
            [this](const QString& path) { previews_->showPreview(path, int(opt_.sourceCharset())); });
    connect(output_.get(), &OutputSelection::previewRequested, previews_.get(), &PreviewWindows::showPreview);
}

void AppDelegate::batchHandOver()
{
    if (opt_.silent() == 0 && opt_.batch() == 0) {
        opt_.setOnlytables(std::nullopt);
        return;
    }
    QTabWidget* tabs = window_.outlets().tabControl;
    int before = tabs->currentIndex();
    opt_.setSilent(1);
    // Each pass walks one page on; it ends when the run started (the last
    // page stays) or a warning kept the wizard where it was.
    for (int pass = 0; pass <= tabs->count(); ++pass) {
        run_->startConversion();
        int now = tabs->currentIndex();
        opt_.setSilent(opt_.silent() + 1);
        if (now == before)
            break;
        before = now;
    }
    if (opt_.batch() < 0)
        return; // the run goes on; its end ends the program
    if (view_.unattended()) {
        terminate_(exitStatus()); // the warning went to standard error
        return;
    }
    window_.show();
    window_.raise();
    window_.activateWindow();
    opt_.setBatch(0);
    opt_.setSilent(0);
    commandLineRun_ = false;
}

// ---- the end ----------------------------------------------------------------------

int AppDelegate::exitStatus() const
{
    return exitStatusFor({commandLineRun_, run_->started(), run_->cancelled(), shell_.filesNotOpened(),
                          shell_.outputsNotCreated()});
}

void AppDelegate::closeProgram()
{
    if (run_->inProgress()) {
        opt_.setShouldBreak(true);
        return;
    }
    terminate_(exitStatus());
}

void AppDelegate::windowWillClose()
{
    window_.saveFrame();
    terminate_(exitStatus());
}

void AppDelegate::applicationWillTerminate()
{
    if (settings_)
        settings_->SaveOptions();
}
