#include "recording_view.h"

void RecordingView::insertLogText(const QString& text)
{
    std::lock_guard lock(mutex_);
    log.append(text);
}

void RecordingView::setProgress(double value, double maximum)
{
    {
        std::lock_guard lock(mutex_);
        progressValue = value;
        progressMaximum = maximum;
    }
    if (onProgress)
        onProgress(value);
}

void RecordingView::setBadgeLabel(const QString& label)
{
    std::lock_guard lock(mutex_);
    badges.append(label);
}

int RecordingView::askForAction(const QString& source, const QString& target, bool table)
{
    std::lock_guard lock(mutex_);
    questions.append(source + QStringLiteral(" -> ") + target + (table ? QStringLiteral(" [table]") : QString()));
    if (answers.empty())
        return 4;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingView::showMessage(const QString& title, const QString& text)
{
    std::lock_guard lock(mutex_);
    warnings.append(title + QStringLiteral(": ") + text);
}

QString RecordingView::logText() const
{
    std::lock_guard lock(mutex_);
    return log.join(QString());
}
