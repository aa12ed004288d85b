#include "main_window_view.h"

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>

namespace {

struct QuestionButton {
    const char* title;
    int answer;
};
// Left to right; Cancel is the default.
constexpr QuestionButton kQuestionButtons[] = {
    {"Cancel", 4}, {"Create unique name", 3}, {"Skip", 2}, {"Use", 1}, {"Overwrite", 0},
};

void printToStandardError(const QString& text)
{
    QByteArray line = QStringLiteral("ledgerline: %1\n").arg(text).toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace

MainWindowView::MainWindowView(QWidget* window, QPlainTextEdit* log, QProgressBar* progress)
    : window_(window), log_(log), progress_(progress)
{
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
}

void MainWindowView::insertLogText(const QString& text)
{
    QScrollBar* bar = log_->verticalScrollBar();
    bool atEnd = bar->value() == bar->maximum();
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    if (atEnd)
        bar->setValue(bar->maximum());
}

void MainWindowView::setProgress(double value, double maximum)
{
    double share = maximum > 0 ? std::clamp(value / maximum, 0.0, 1.0) : 0.0;
    progress_->setValue(int(share * kProgressSteps));
    int percent = int(share * 100);
    if (percent != percent_) {
        percent_ = percent;
        showTitle();
    }
}

void MainWindowView::setBadgeLabel(const QString& label)
{
    badgeShown_ = !label.isEmpty();
    showTitle();
}

void MainWindowView::setBaseTitle(const QString& title)
{
    baseTitle_ = title;
    showTitle();
}

void MainWindowView::showTitle()
{
    if (badgeShown_)
        window_->setWindowTitle(QStringLiteral("%1 — %2%").arg(baseTitle_).arg(percent_));
    else
        window_->setWindowTitle(baseTitle_);
}

int MainWindowView::askForAction(const QString& source, const QString& target, bool table)
{
    if (unattended_) {
        printToStandardError(QStringLiteral("%1 exists; choose -files=overwrite, use, skip or unique to run without "
                                            "questions")
                                 .arg(target));
        return 4;
    }
    QMessageBox box(window_);
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(baseTitle_);
    box.setText(table ? QStringLiteral("The output table already exists. Select the action.")
                      : QStringLiteral("The output file already exists. Select the action."));
    box.setInformativeText(QStringLiteral("%1 -> %2\n").arg(source, target));
    // One role for all, so that the buttons keep their order on every
    // platform layout.
    QList<QAbstractButton*> buttons;
    for (const QuestionButton& button : kQuestionButtons)
        buttons.append(box.addButton(QString::fromLatin1(button.title), QMessageBox::ActionRole));
    box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
    box.setEscapeButton(buttons.first());
    box.exec();
    qsizetype clicked = buttons.indexOf(box.clickedButton());
    return clicked >= 0 ? kQuestionButtons[clicked].answer : 4;
}

void MainWindowView::showMessage(const QString& title, const QString& text)
{
    if (unattended_) {
        printToStandardError(text);
        return;
    }
    QMessageBox box(window_);
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(baseTitle_);
    box.setText(title);
    box.setInformativeText(text);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
}
