#pragma once
// AppDelegate owns what lives for the whole process: the options record,
// the main window with its parts (source tree, output selection, run,
// options panel, saved settings, previews), the shell and the converter
// module. It runs the start-up, the batch hand-over and the close rules.

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

#include "shell/gui_queue.h"
#include "main_window.h"
#include "main_window_view.h"
#include "options/my_options.h"
#include "shell/shell.h"

class ConversionRun;
class ConverterModule;
class FileDrop;
class HelpActions;
class OptionsPanel;
class OutputSelection;
class PreviewWindows;
class SettingsStore;
class SourceTree;

class AppDelegate : public QObject {
    Q_OBJECT
public:
    // Makes the converter module over the options and the shell; the
    // workbook-to-DBF module when empty.
    using ModuleFactory = std::function<std::unique_ptr<ConverterModule>(myOptions&, ConverterShell&)>;

    explicit AppDelegate(const ModuleFactory& makeModule = {}, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The start-up, with the process's arguments (program path first).
    void applicationDidFinishLaunching(const QStringList& arguments);

    // The process's exit status (see exit_status.h).
    int exitStatus() const;
    // How the program ends; a queued QCoreApplication::exit by default.
    void setTerminate(std::function<void(int status)> terminate) { terminate_ = std::move(terminate); }

    myOptions& options() { return opt_; }
    MainWindow& window() { return window_; }
    MainWindowView& view() { return view_; }
    Shell& shell() { return shell_; }
    ConverterModule& module() { return *module_; }
    SourceTree& sourceTree() { return *sourceTree_; }
    OutputSelection& output() { return *output_; }
    ConversionRun& run() { return *run_; }
    PreviewWindows& previews() { return *previews_; }
    // The module's options view; null when it could not be loaded.
    QWidget* nib() const { return nib_; }

public slots:
    // Quits, or during a run only asks the run to stop.
    void closeProgram();

signals:
    // The Help menu; the help actions connect here.
    void showHelp();
    void showReadMe();
    void showLicense();
    void techSupport();

private:
    void loadOptionsView(const QString& identifier);
    void fillCharsetMenus();
    void adoptCommandLine(const QStringList& arguments);
    void connectWindow();
    void batchHandOver();
    void windowWillClose();
    void applicationWillTerminate();

    myOptions opt_;
    MainWindow window_;
    GuiQueue gui_;
    MainWindowView view_;
    Shell shell_;
    std::unique_ptr<ConverterModule> module_;
    std::unique_ptr<SourceTree> sourceTree_;
    std::unique_ptr<OutputSelection> output_;
    std::unique_ptr<PreviewWindows> previews_;
    std::unique_ptr<HelpActions> help_;
    std::unique_ptr<OptionsPanel> panel_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ConversionRun> run_; // last: it goes first and waits for its worker
    FileDrop* drop_ = nullptr;
    QWidget* nib_ = nullptr;
    bool commandLineRun_ = false;
    std::function<void(int)> terminate_;
};
