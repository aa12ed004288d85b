#pragma once
// The command line: switches fill the options record, workbook paths are
// collected, "@file" reads further arguments from a UTF-8 file.

#include <QString>
#include <QStringList>

class myOptions;

// Reads the arguments (the program's path first, ignored like any path
// without an accepted extension) into the options and returns the source
// paths they name, in order. Starts nothing.
QStringList commandLine(const QStringList& arguments, myOptions& options);

// True when the arguments ask for the list of switches (-help, --help).
bool wantsHelp(const QStringList& arguments);
// One line per switch.
QString commandLineHelp();
