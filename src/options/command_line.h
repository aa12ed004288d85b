#pragma once
// The command line: switches fill the options record, workbook paths are
// collected, "@file" reads further arguments from a UTF-8 file. Nothing is
// reported for bad input: an unknown switch, an unmatched keyword or an
// unreadable response file is ignored.

#include <QString>
#include <QStringList>

class myOptions;

// Response files may name further response files down to this depth; an
// "@" argument met deeper than that (a file that names itself, directly or
// through others) is ignored, and so is every "@" argument after
// kMaxResponseFileReads files were read in one call, since a file with
// many "@" lines would otherwise fan out exponentially.
inline constexpr int kMaxResponseFileDepth = 16;
inline constexpr int kMaxResponseFileReads = 1024;

// Reads the arguments (the program's path first, ignored like any path
// without an accepted extension) into the options and returns the source
// paths they name, in order, as written (a path named twice is returned
// twice). Paths count when their extension, in lower case, is one of the
// options' sourceFiles. Starts nothing and leaves the source tree alone.
QStringList commandLine(const QStringList& arguments, myOptions& options);

// True when an argument asks for the list of switches: "-help", "--help",
// "-h" or "-?" in any case.
bool wantsHelp(const QStringList& arguments);
// The usage line, one line per switch with its values, and the exit
// statuses of a batch run.
QString commandLineHelp();
