#pragma once
// The window side of the shell: what a run shows and asks. Every operation
// runs on the main thread; the shell reaches it through MainThread.

#include <QString>

#include <functional>

class ShellView {
public:
    virtual ~ShellView() = default;

    // Adds text at the end of the log view.
    virtual void insertLogText(const QString& text) = 0;
    // The progress bar of the table being converted.
    virtual void setProgress(double value, double maximum) = 0;
    // A short status such as "0%" while a table converts; "" clears it.
    virtual void setBadgeLabel(const QString& label) = 0;
    // The overwrite question: returns 0 overwrite, 1 use, 2 skip,
    // 3 unique name or 4 cancel. `table` picks the table-level wording.
    virtual int askForAction(const QString& source, const QString& target, bool table) = 0;
    // A modal warning with one button.
    virtual void showMessage(const QString& title, const QString& text) = 0;
};

// Runs work on the main thread: post() returns at once and keeps the order
// of posted work; runAndWait() returns when the work is done.
class MainThread {
public:
    virtual ~MainThread() = default;
    virtual void post(std::function<void()> work) = 0;
    virtual void runAndWait(std::function<void()> work) = 0;
};
