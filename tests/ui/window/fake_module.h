#pragma once
// A converter module for window tests: table lists come from a map, and
// every convertFile call is recorded as "name:table,table" (the file's last
// path component). A gate can hold the worker inside convertFile.

#include <QMap>
#include <QStringList>

#include <condition_variable>
#include <mutex>

#include "shell/converter_module.h"

class FakeModule : public ConverterModule {
public:
    QStringList getSourceFiles() const override { return {QStringLiteral("xls"), QStringLiteral("xlsx")}; }
    QString getdefaultExtension() const override { return QStringLiteral("dbf"); }
    QString initializeConverter(const QList<QObject*>& controls) override;
    QString titleForWindow() const override { return QStringLiteral("Ledgerline"); }
    QStringList getTables(const QString& path) override { return tablesByName.value(path.section(u'/', -1)); }
    QString moduleName() const override { return QStringLiteral("ledgerline"); }
    bool convertFile(const QString& path, QStringList& tables) override;

    QStringList requests() const;
    // While closed, convertFile waits inside (after recording) until open.
    void setGateOpen(bool open);
    // True once a call waits at the closed gate.
    bool waitingAtGate() const;

    // Table names by file name.
    QMap<QString, QStringList> tablesByName;

private:
    mutable std::mutex mutex_;
    std::condition_variable gateChanged_;
    QStringList requests_;
    bool gateOpen_ = true;
    bool waiting_ = false;
};
