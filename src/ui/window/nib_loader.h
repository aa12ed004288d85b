#pragma once
// Interface files (.ui) loaded at run time from the resources folder.

#include <QString>

class QWidget;

// Loads "<resources>/<name>.ui" with owner as the parent of its top-level
// widget and returns that widget; null, with "Couldn't load nib named
// <name>" in the log, when the file is missing or holds no widget.
QWidget* loadWithNibNamed(const QString& name, QWidget* owner);
