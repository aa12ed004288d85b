#include "shell.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

#include "options/my_options.h"
#include "paths.h"

namespace {

// The number that the leading characters of a text spell, 0 when none.
long long leadingInteger(const QString& text)
{
    QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+'))
        ++end;
    while (end < trimmed.size() && trimmed[end].isDigit() && trimmed[end].unicode() < 128)
        ++end;
    bool ok = false;
    long long value = trimmed.left(end).toLongLong(&ok);
    return ok ? value : 0;
}

bool exists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

} // namespace

QString CreateUniqueName(const QString& path)
{
    QString candidate = path;
    // The counter grows by one each round, so this ends; the bound only
    // guards against a file system that claims every name exists.
    for (int round = 0; round < 1000000 && exists(candidate); ++round) {
        QString ext = paths::extension(candidate);
        QString stem = paths::deletingExtension(candidate);
        QString counter = paths::extension(stem);
        stem = paths::deletingExtension(stem);
        candidate = stem + u'.' + QString::number(leadingInteger(counter) + 1) + u'.' + ext;
    }
    return candidate;
}

Shell::Shell(myOptions& options, ShellView& view, MainThread& mainThread)
    : options_(options), view_(view), main_(mainThread)
{
}

// ---- Output targets ---------------------------------------------------------

int Shell::prepareTarget(const QString& source, const std::optional<QString>& table)
{
    QString out = options_.outputFile().value_or(QString());
    bool isFolder = !out.isEmpty() && QFileInfo(out).isDir();
    QString extension = options_.defaultExtension().value_or(QString());
    QString name = (table ? *table : paths::deletingExtension(paths::lastComponent(source))) + u'.' + extension;

    QString target;
    if (isFolder)
        target = paths::appendingComponent(out, name);
    else if (options_.separateFiles() != 0)
        target = paths::appendingComponent(paths::deletingLastComponent(out), name);
    else
        target = out;

    if (!exists(target)) {
        options_.setTarget(target);
        return kTargetWrite;
    }

    int64_t action = options_.overwriteFile();
    if (action == kAsk) {
        QString description = table ? QStringLiteral("%1 [%2]").arg(source, *table) : source;
        int answer = kAsk;
        main_.runAndWait([&] { answer = AskForAction(description, target); });
        if (answer == kAsk || answer < 0)
            return kTargetStop;
        action = answer;
    }

    switch (action) {
    case kUse:
        break;
    case kUniqueName:
        target = CreateUniqueName(target);
        break;
    case kSkip:
        options_.setTarget(target);
        return kTargetSkip;
    default: // overwrite, and any value outside the codes
        if (options_.deletedFile() != target) {
            QFile::remove(target); // a failure shows later: the old table is appended to
            options_.setDeletedFile(target);
        }
        break;
    }
    options_.setTarget(target);
    return kTargetWrite;
}

int Shell::askForTable(const QString& table)
{
    int64_t action = options_.overwriteTable();
    if (action != kAsk)
        return int(action);
    int answer = kAsk;
    main_.runAndWait([&] { answer = AskForActionTable(table, table); });
    return answer == kAsk ? -1 : answer;
}

int Shell::AskForAction(const QString& source, const QString& target)
{
    return view_.askForAction(source, target, false);
}

int Shell::AskForActionTable(const QString& source, const QString& target)
{
    return view_.askForAction(source, target, true);
}

// ---- Log --------------------------------------------------------------------

void Shell::writeToLog(const QString& text)
{
    view_.insertLogText(text);
    if (echo_) {
        QByteArray utf8 = text.toUtf8();
        std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
        std::fflush(stdout);
    }
    if (auto logFile = options_.logFile(); logFile && !logFile->isEmpty()) {
        QFile file(*logFile);
        // Append mode creates a missing file; a file that cannot be opened
        // leaves the text in the log view only.
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(text.toUtf8());
    }
}

void Shell::showMessage(const QString& title, const QString& text)
{
    view_.showMessage(title, text);
}

void Shell::postLog(QString text)
{
    main_.post([this, text = std::move(text)] { writeToLog(text); });
}

// ---- Messages (worker thread) -------------------------------------------------

void Shell::TryToLoadFile(const QString& path)
{
    postLog(QStringLiteral("Loading the file: %1\n\n").arg(path));
}

void Shell::CantOpenFileMessage(const QString& path)
{
    filesNotOpened_.fetch_add(1);
    postLog(QStringLiteral("Cannot open file: %1\n").arg(path));
}

void Shell::SkipFileMessage(const QString& path)
{
    postLog(QStringLiteral("Skipped: %1 -> %2\n").arg(path, options_.target().value_or(QString())));
}

void Shell::StartConvertMessage(const QString& description, int64_t total)
{
    QString text = QStringLiteral("Start converting: %1 -> %2\n").arg(description, options_.target().value_or(QString()));
    progressValue_.store(0);
    progressMaximum_.store(total);
    nextRefreshAt_.store(0);
    main_.post([this, text, total] {
        writeToLog(text);
        view_.setProgress(0, double(total));
        view_.setBadgeLabel(QStringLiteral("0%"));
    });
}

void Shell::incProgressMessage()
{
    const int64_t value = progressValue_.fetch_add(1) + 1;
    if (value < nextRefreshAt_.load())
        return;
    nextRefreshAt_.store(value + std::max<int64_t>(1, progressMaximum_.load() / 1000));
    postProgress();
}

void Shell::postProgress()
{
    if (refreshPending_.exchange(true))
        return;
    main_.post([this] {
        refreshPending_.store(false);
        view_.setProgress(double(progressValue_.load()), double(progressMaximum_.load()));
    });
}

void Shell::finishMessage(int64_t count)
{
    QString target = options_.target().value_or(QString());
    QFileInfo info(target);
    QString text;
    if (info.exists())
        text = QStringLiteral("Done, %1 records, size of the output file: %2 bytes\n\n").arg(count).arg(info.size());
    else
        text = QStringLiteral("The file “%1” couldn’t be read because there is no such file.").arg(paths::lastComponent(target));
    main_.post([this, text] {
        writeToLog(text);
        view_.setProgress(double(progressValue_.load()), double(progressMaximum_.load()));
    });
    main_.post([this] { view_.setBadgeLabel(QString()); });
}

void Shell::CantCreateOutputMessage()
{
    outputsNotCreated_.fetch_add(1);
    postLog(QStringLiteral("Cannot create output file: %1\n\n").arg(options_.target().value_or(QString())));
}

void Shell::CantOpenOutputMessage()
{
    outputsNotCreated_.fetch_add(1);
    postLog(QStringLiteral("Cannot open output file: %1\n\n").arg(options_.target().value_or(QString())));
}

void Shell::SkipTableMessage(const QString& table)
{
    postLog(QStringLiteral("Skipped: %1 -> %2\n").arg(table, table));
}

void Shell::CantCreateSheetMessage(const QString& name)
{
    postLog(QStringLiteral("Cannot create a sheet: %1\n\n").arg(name));
}
