#pragma once
// Where the program's resources (interface files, read-me, licence) lie at
// run time: the folder named by LEDGERLINE_RESOURCES, else "resources"
// beside the executable, else "../share/ledgerline" beside it.

#include <QString>

#include <memory>

class QWidget;

// The full path of an existing resource file; empty when none is found.
QString resourceFilePath(const QString& fileName);

// Loads "<name>.ui" into a new top-level widget. Null (and a warning in
// the log) when the file is missing or does not load.
std::unique_ptr<QWidget> loadInterfaceFile(const QString& name);
