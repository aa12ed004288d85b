#pragma once
// The start values of a fresh options record: the shell's, then the
// module's defaults (which may hide controls it does not use), then what
// the module accepts and writes. Returns the module identifier.

#include <QList>
#include <QObject>
#include <QString>

class ConverterModule;
class myOptions;

QString applyStartValues(myOptions& options, ConverterModule& module, const QList<QObject*>& controlsToHide = {});
