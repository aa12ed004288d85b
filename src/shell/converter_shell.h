#pragma once
// What a converter module may ask of the shell while it converts: the
// output-target decision (which may put the overwrite question to the user)
// and the messages of the conversion log. Called on the run's worker
// thread; none of them blocks except prepareTarget while a question is open.

#include <QString>

#include <cstdint>
#include <optional>

// Target decisions of prepareTarget.
inline constexpr int kTargetWrite = 1;
inline constexpr int kTargetSkip = 0;
inline constexpr int kTargetStop = -1;

class ConverterShell {
public:
    virtual ~ConverterShell() = default;

    // Chooses the output path of a table (into the options' target) and
    // acts on an existing file: 1 write, 0 skip, -1 stop the run.
    virtual int prepareTarget(const QString& source, const std::optional<QString>& table) = 0;
    // The table-level twin: an overwrite code, or -1.
    virtual int askForTable(const QString& table) = 0;

    virtual void TryToLoadFile(const QString& path) = 0;
    virtual void CantOpenFileMessage(const QString& path) = 0;
    virtual void SkipFileMessage(const QString& path) = 0;
    virtual void StartConvertMessage(const QString& description, int64_t total) = 0;
    virtual void incProgressMessage() = 0;
    virtual void finishMessage(int64_t count) = 0;
    virtual void CantCreateOutputMessage() = 0;
    virtual void CantOpenOutputMessage() = 0;
    virtual void SkipTableMessage(const QString& table) = 0;
    virtual void CantCreateSheetMessage(const QString& name) = 0;
};
