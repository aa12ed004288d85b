#pragma once
// The wizard button and the run behind it: "Next" walks the pages, "Start"
// on the last page checks the selection and the output, saves the settings
// and starts the worker thread; "Restart" brings the pages back. The worker
// talks to the window only through the GUI queue's queued and blocking calls.

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

class ConverterModule;
class GuiQueue;
class OutputSelection;
class QPushButton;
class QTabWidget;
class QWidget;
class Shell;
class ShellView;
class SourceTree;
class myOptions;

struct RunControls {
    QTabWidget* tabControl = nullptr;
    QWidget* progressPanel = nullptr;
    QPushButton* startButton = nullptr;
};

struct RunParts {
    myOptions& options;
    ConverterModule& module;
    Shell& shell;
    ShellView& view;
    GuiQueue& gui;
    SourceTree& tree;
    OutputSelection& output;
};

class ConversionRun : public QObject {
    Q_OBJECT
public:
    ConversionRun(const RunControls& controls, const RunParts& parts, QObject* parent = nullptr);
    ~ConversionRun() override;

    // SaveOptions, called before a run starts.
    void setSaveOptions(std::function<void()> save) { save_ = std::move(save); }
    // What ends a command-line run (silent count 4) once it is done.
    void setQuitRequest(std::function<void()> quit) { quit_ = std::move(quit); }
    // Batch runs also print "Cancelled" on standard output.
    void setEchoToStandardOutput(bool on) { echo_ = on; }

    bool inProgress() const { return inProgress_.load(); }
    bool started() const { return started_; }
    bool cancelled() const { return cancelled_.load(); }
    int indexOfPage(const QString& identifier) const;

    // Lets a running worker finish, serving its calls to the GUI thread,
    // and joins it. For shutdown; a break should be asked for first.
    void waitForWorker();

public slots:
    void startConversion();
    void RestartConversion();

signals:
    // The worker was started.
    void runStarted();
    // After a run's last change to the window.
    void runFinished();

private:
    void buttonPressed();
    void tabSelected(int index);
    void showRunning();
    void Conversion();

    RunControls controls_;
    RunParts parts_;
    std::function<void()> save_;
    std::function<void()> quit_;
    bool echo_ = false;
    bool restartAction_ = false; // the button's action after a run
    bool started_ = false;
    std::thread worker_;
    std::atomic<bool> inProgress_{false};
    std::atomic<bool> workerDone_{true};
    std::atomic<bool> cancelled_{false};
};
