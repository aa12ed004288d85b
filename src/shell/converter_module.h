#pragma once
// What the converter shell asks of a converter module. The shell knows
// nothing of workbooks or tables; everything that makes this program a
// spreadsheet-to-DBF converter sits behind these operations.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class ConverterModule {
public:
    virtual ~ConverterModule() = default;

    // Accepted source extensions, lower case, without the dot.
    virtual QStringList getSourceFiles() const = 0;
    // Extension of every output file.
    virtual QString getdefaultExtension() const = 0;
    // Hides the controls the module does not use (the first and the second
    // of the list, when present), sets the module's option defaults and
    // returns the module identifier, which names its options view.
    virtual QString initializeConverter(const QList<QObject*>& controls) = 0;
    virtual QString titleForWindow() const = 0;
    // The table names of a source file; empty when it cannot be read.
    virtual QStringList getTables(const QString& path) = 0;
    virtual QString moduleName() const = 0;
    // Converts the listed tables of a source file (all of them when the list
    // is empty). Runs on the worker thread. False stops the whole run.
    virtual bool convertFile(const QString& path, QStringList& tables) = 0;
};
