#pragma once
// The shell's window side for tests: records every text, progress value and
// question in order, answers questions from a script, and can ask a run to
// stop when its progress reaches a chosen record.

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <mutex>

#include "qt_printers.h"
#include "shell/shell_view.h"

class RecordingView : public ShellView {
public:
    void insertLogText(const QString& text) override;
    void setProgress(double value, double maximum) override;
    void setBadgeLabel(const QString& label) override;
    int askForAction(const QString& source, const QString& target, bool table) override;
    void showMessage(const QString& title, const QString& text) override;

    // Answers for the overwrite questions, in order; Cancel (4) when none
    // is left.
    std::deque<int> answers;
    // Called with each progress value shown.
    std::function<void(double value)> onProgress;

    QString logText() const;
    QStringList log;        // each text as written
    QStringList questions;  // "source -> target" (+ " [table]" for the table question)
    QStringList warnings;   // "title: text"
    QStringList badges;
    double progressValue = 0;
    double progressMaximum = 0;

private:
    mutable std::mutex mutex_;
};

// Runs posted work at once, on the calling thread.
class ImmediateMainThread : public MainThread {
public:
    void post(std::function<void()> work) override { work(); }
    void runAndWait(std::function<void()> work) override { work(); }
};
