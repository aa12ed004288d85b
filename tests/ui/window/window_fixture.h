#pragma once
// The real main window for a test: AppDelegate over a fake module (or the
// workbook module), started as the program starts, with a clean settings
// store and termination recorded instead of performed.

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

#include "fake_module.h"
#include "ui/window/app_delegate.h"

struct WindowFixture {
    enum class Module { Fake, Workbook };
    explicit WindowFixture(Module kind = Module::Fake, const QStringList& switches = {});
    ~WindowFixture();

    // Adds files as the open panel would.
    void addFiles(const QStringList& paths);
    void setOutput(const QString& output);
    // Presses the wizard button until a run starts; false when it did not.
    bool startRun();
    // Waits for the end of the run.
    bool waitForRunEnd(int timeoutMs = 20000);
    QString logText() const;
    QString startButtonText() const;
    QString currentPage() const;

    std::unique_ptr<AppDelegate> app;
    FakeModule* fake = nullptr; // owned by app
    QList<int> terminations;
};

// Clicks a button of the next message box that opens (polling from the
// event loop) and keeps what it said: "text|informative text".
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(const QString& buttonText);
    ~MessageBoxAnswer();
    QStringList seen() const { return *seen_; }

private:
    std::shared_ptr<QStringList> seen_;
    class QTimer* timer_;
};
