#pragma once
// myOptions: every setting of a conversion run and the small run state that
// the parts of a run share. One record per process, shared by the window
// (main thread) and the run's worker thread.
//
// Thread safety: every scalar is an atomic 64-bit word; texts and lists are
// stored under one lock and handed out by value, so a reader never sees a
// half-replaced value. A text or list may be absent (std::nullopt), which is
// not the same as empty.

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

using OptionalText = std::optional<QString>;
using OptionalList = std::optional<QStringList>;

#define LL_SCALAR(Type, name, Setter)                                    \
public:                                                                  \
    Type name() const { return name##_.load(); }                         \
    void Setter(Type value) { name##_.store(value); }                    \
                                                                         \
private:                                                                 \
    std::atomic<Type> name##_{};

#define LL_OBJECT(Type, name, Setter)                                    \
public:                                                                  \
    Type name() const                                                    \
    {                                                                    \
        std::lock_guard lock(mutex_);                                    \
        return name##_;                                                  \
    }                                                                    \
    void Setter(Type value)                                              \
    {                                                                    \
        std::lock_guard lock(mutex_);                                    \
        name##_ = std::move(value);                                      \
    }                                                                    \
                                                                         \
private:                                                                 \
    Type name##_{};

class myOptions {
    mutable std::mutex mutex_;

    // Fields in declaration order; a fresh record holds 0, false and absent.
    LL_OBJECT(OptionalList, sourceFiles, setSourceFiles)
    LL_OBJECT(OptionalText, defaultExtension, setDefaultExtension)
    LL_OBJECT(OptionalText, target, setTarget)
    LL_OBJECT(OptionalList, targets, setTargets)
    LL_SCALAR(int64_t, sourceCharset, setSourceCharset)
    LL_SCALAR(int64_t, targetCharset, setTargetCharset)
    LL_OBJECT(OptionalText, outputFile, setOutputFile)
    LL_SCALAR(int64_t, separateFiles, setSeparateFiles)
    LL_OBJECT(OptionalList, onlytables, setOnlytables)
    LL_OBJECT(OptionalText, deletedFile, setDeletedFile)
    LL_OBJECT(OptionalText, deletedTable, setDeletedTable)
    LL_SCALAR(int64_t, overwriteFile, setOverwriteFile)
    LL_SCALAR(int64_t, overwriteTable, setOverwriteTable)
    LL_SCALAR(int64_t, fileHeader, setFileHeader)
    LL_SCALAR(int64_t, fileBody, setFileBody)
    LL_SCALAR(int64_t, typesInFile, setTypesInFile)
    LL_OBJECT(OptionalText, delimiterRecords, setDelimiterRecords)
    LL_OBJECT(OptionalText, delimiterFields, setDelimiterFields)
    LL_SCALAR(int64_t, typeOfFile, setTypeOfFile)
    LL_SCALAR(int64_t, textInQuotes, setTextInQuotes)
    LL_SCALAR(int64_t, allInQuotes, setAllInQuotes)
    LL_OBJECT(OptionalText, escapeChar, setEscapeChar)
    LL_OBJECT(OptionalText, escapeQuote, setEscapeQuote)
    LL_SCALAR(int64_t, removeCRLF, setRemoveCRLF)
    LL_SCALAR(int64_t, removeSpaces, setRemoveSpaces)
    LL_SCALAR(int64_t, dateFormat, setDateFormat)
    LL_SCALAR(int64_t, logical, setLogical)
    LL_OBJECT(OptionalText, yesValue, setYesValue)
    LL_OBJECT(OptionalText, noValue, setNoValue)
    LL_SCALAR(int64_t, blockSize, setBlockSize)
    LL_SCALAR(int64_t, recallDeleted, setRecallDeleted)
    LL_SCALAR(int64_t, numberOfRecord, setNumberOfRecord)
    LL_SCALAR(int64_t, deletionMark, setDeletionMark)
    LL_SCALAR(int64_t, cData, setCData)
    LL_SCALAR(int64_t, brackets, setBrackets)
    LL_SCALAR(int64_t, backticks, setBackticks)
    LL_SCALAR(int64_t, fieldNames, setFieldNames)
    LL_SCALAR(int64_t, addGo, setAddGo)
    LL_SCALAR(int64_t, dropTable, setDropTable)
    LL_SCALAR(int64_t, quotesType, setQuotesType)
    LL_SCALAR(int64_t, firstLine, setFirstLine)
    LL_SCALAR(int64_t, secondLine, setSecondLine)
    LL_SCALAR(int64_t, allCharacter, setAllCharacter)
    LL_SCALAR(int64_t, fp, setFp)
    LL_SCALAR(int64_t, precision, setPrecision)
    LL_OBJECT(OptionalList, xchg, setXchg)
    LL_OBJECT(OptionalList, colWidth, setColWidth)
    LL_SCALAR(int64_t, batch, setBatch)
    LL_SCALAR(int64_t, silent, setSilent)
    LL_OBJECT(OptionalText, logFile, setLogFile)
    LL_SCALAR(bool, shouldBreak, setShouldBreak)

public:
    // In-place list operations, each one step under the lock.
    // Appends path to targets unless the list holds it; creates the list
    // when absent. Returns true when it was appended.
    bool addTarget(const QString& path);
    void appendOnlytable(const QString& table);
    void appendXchg(const QString& entry);
};

#undef LL_SCALAR
#undef LL_OBJECT
