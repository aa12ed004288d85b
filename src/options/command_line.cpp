#include "command_line.h"

// Placeholder until the command line lands.
QStringList commandLine(const QStringList& arguments, myOptions& options)
{
    return {};
}

bool wantsHelp(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("-help")) || arguments.contains(QStringLiteral("--help"));
}

QString commandLineHelp()
{
    return {};
}
