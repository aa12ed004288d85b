#pragma once
// The window side of a run: the log view, the progress bar, the percentage
// in the window title while a table converts, the overwrite question and
// the warnings. In an unattended run (a batch start on a platform without a
// screen) questions and warnings cannot be answered: they go to standard
// error instead, and the question answers Cancel.

#include <QString>

#include "shell/shell_view.h"

class QPlainTextEdit;
class QProgressBar;
class QWidget;

class MainWindowView : public ShellView {
public:
    MainWindowView(QWidget* window, QPlainTextEdit* log, QProgressBar* progress);

    void insertLogText(const QString& text) override;
    void setProgress(double value, double maximum) override;
    void setBadgeLabel(const QString& label) override;
    int askForAction(const QString& source, const QString& target, bool table) override;
    void showMessage(const QString& title, const QString& text) override;

    void setBaseTitle(const QString& title);
    void setUnattended(bool on) { unattended_ = on; }
    bool unattended() const { return unattended_; }

    // Steps of the progress bar: a table's rows are scaled to this range,
    // so that any row count fits the bar.
    static constexpr int kProgressSteps = 1000;

private:
    void showTitle();

    QWidget* window_;
    QPlainTextEdit* log_;
    QProgressBar* progress_;
    QString baseTitle_;
    bool badgeShown_ = false;
    int percent_ = 0;
    bool unattended_ = false;
};
