#pragma once
// The previews' and the help window's resources: interface files and
// documents in the program's resources folder (ui/resources.h).

#include <QString>

#include <memory>

class QWidget;

// The full path of an existing resource file; empty when there is none.
QString resourceFilePath(const QString& fileName);

// Loads "<name>.ui" with QUiLoader into a new top-level widget. Null, with
// "Couldn't load nib named <name>" in the log, when the file is missing or
// does not load.
std::unique_ptr<QWidget> loadInterfaceFile(const QString& name);
