#pragma once
// The converter shell's run services: output targets and the overwrite
// policy, the conversion log and its messages. The module calls the
// ConverterShell operations on the worker thread; each hands its visible
// work to the main thread through MainThread, in call order.

#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>

#include "converter_shell.h"
#include "shell_view.h"

class myOptions;

// The file question's codes (also the overwrite settings).
enum OverwriteAction : int {
    kOverwrite = 0,
    kUse = 1,
    kSkip = 2,
    kUniqueName = 3,
    kAsk = 4, // as an answer: Cancel
};

// A path that does not exist yet: "out/Sheet1.dbf" -> "out/Sheet1.1.dbf",
// then "out/Sheet1.2.dbf" and so on.
QString CreateUniqueName(const QString& path);

class Shell : public ConverterShell {
public:
    Shell(myOptions& options, ShellView& view, MainThread& mainThread);

    // ---- ConverterShell (worker thread)
    int prepareTarget(const QString& source, const std::optional<QString>& table) override;
    int askForTable(const QString& table) override;
    void TryToLoadFile(const QString& path) override;
    void CantOpenFileMessage(const QString& path) override;
    void SkipFileMessage(const QString& path) override;
    void StartConvertMessage(const QString& description, int64_t total) override;
    void incProgressMessage() override;
    void finishMessage(int64_t count) override;
    void CantCreateOutputMessage() override;
    void CantOpenOutputMessage() override;
    void SkipTableMessage(const QString& table) override;
    void CantCreateSheetMessage(const QString& name) override;

    // ---- main thread
    // Adds text to the log view and, when the options name a log file, to
    // that file (UTF-8, appended; opened and closed for each text).
    void writeToLog(const QString& text);
    // The two start warnings and other alerts with one button.
    void showMessage(const QString& title, const QString& text);
    // The file question; returns an overwrite code (4 for Cancel).
    int AskForAction(const QString& source, const QString& target);
    int AskForActionTable(const QString& source, const QString& target);

    // Batch runs also print every log text on standard output.
    void setEchoToStandardOutput(bool on) { echo_ = on; }

    // Counters that batch runs turn into the exit status.
    int64_t filesNotOpened() const { return filesNotOpened_.load(); }
    int64_t outputsNotCreated() const { return outputsNotCreated_.load(); }

private:
    void postLog(QString text);
    void postProgress();

    myOptions& options_;
    ShellView& view_;
    MainThread& main_;
    bool echo_ = false;
    std::atomic<int64_t> filesNotOpened_{0};
    std::atomic<int64_t> outputsNotCreated_{0};
    // Progress of the current table. The worker counts; the main thread
    // shows the latest count, refreshed once per thousandth of the table and
    // at most one refresh waiting at a time: waking the main thread for
    // every record would cost more than converting it.
    std::atomic<int64_t> progressValue_{0};
    std::atomic<int64_t> progressMaximum_{0};
    std::atomic<int64_t> nextRefreshAt_{0};
    std::atomic<bool> refreshPending_{false};
};
