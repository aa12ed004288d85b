#include "command_line.h"

#include <variant>

#include "my_options.h"
#include "response_file.h"
#include "switch_table.h"

namespace {

// The text after the last "." of the last path component; "" when none.
QString lowerCaseExtension(const QString& path)
{
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? path.mid(dot + 1).toLower() : QString();
}

struct Reading {
    myOptions& options;
    QStringList accepted;
    QStringList files;
    int filesRead = 0;
};

void readArguments(const QStringList& arguments, Reading& reading, int depth)
{
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('@'))) {
            if (depth >= kMaxResponseFileDepth || reading.filesRead >= kMaxResponseFileReads)
                continue;
            ++reading.filesRead;
            auto lines = readResponseFile(argument.mid(1));
            if (auto* list = std::get_if<QStringList>(&lines))
                readArguments(*list, reading, depth + 1);
        } else if (argument.startsWith(QLatin1Char('-'))) {
            applySwitch(argument, reading.options);
        } else if (reading.accepted.contains(lowerCaseExtension(argument))) {
            reading.files.append(argument);
        }
    }
}

} // namespace

QStringList commandLine(const QStringList& arguments, myOptions& options)
{
    Reading reading{options, options.sourceFiles().value_or(QStringList()), {}};
    readArguments(arguments, reading, 0);
    return reading.files;
}

bool wantsHelp(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        QString lowered = argument.toLower();
        if (lowered == u"-help" || lowered == u"--help" || lowered == u"-h" || lowered == u"-?")
            return true;
    }
    return false;
}

QString commandLineHelp()
{
    QString help = QStringLiteral(
        "Usage: ledgerline [switches] [workbook.xls|workbook.xlsx ...] [@argument-file ...]\n"
        "Converts every sheet of the named workbooks into a DBF table.\n"
        "Switch names ignore case; their values keep it. A later switch overrides an earlier one.\n"
        "@file reads further arguments from a UTF-8 file, one per line.\n\n");
    // Longer switches push their description further right.
    constexpr int kSwitchColumn = 34;
    for (const SwitchDefinition& entry : switchTable()) {
        QString name = QLatin1StringView(entry.text) + QLatin1StringView(entry.valuesHelp);
        help += QStringLiteral("  %1  %2\n").arg(name, -kSwitchColumn).arg(QLatin1StringView(entry.whatItDoes));
    }
    help += QStringLiteral(
        "  -help                               show this list and quit\n\n"
        "Exit status of a -batch or -silent run:\n"
        "  0  every file was converted\n"
        "  1  a workbook could not be opened or an output could not be created\n"
        "  2  the run was cancelled or never started\n");
    return help;
}
