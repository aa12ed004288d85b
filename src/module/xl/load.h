#pragma once
// Entry points of the two readers. Each fills a Book from a file or from
// bytes in memory and reports failure as a LoadError; nothing throws.

#include <cstddef>
#include <string>

#include "book.h"

namespace ll::xl {

enum class LoadErrorKind {
    None,
    CannotOpen,        // the file cannot be read
    NotAWorkbook,      // wrong container (not a zip, not a compound file)
    Corrupt,           // damaged structure: bad zip entry, bad FAT chain, bad record
    Encrypted,         // password protected
    Unsupported,       // a workbook kind this reader does not read (e.g. BIFF2-4)
    TooLarge,          // a resource limit was exceeded (inflated size, cells, strings)
};

struct LoadError {
    LoadErrorKind kind = LoadErrorKind::None;
    std::string detail; // the values that explain it, for logs and tests

    explicit operator bool() const { return kind != LoadErrorKind::None; }
};

std::string describe(const LoadError& error);

// Whether a loader may use a second thread (the .xlsx reader reads the
// shared strings beside the sheets). On by default; the environment
// variable LEDGERLINE_LOAD_THREADS=1 turns it off, as does this call.
void setParallelLoading(bool on);
bool parallelLoading();

// How much of a workbook to read: everything, or only its sheets' names
// (the sheets are then listed with no cells), which costs a fraction of a
// full load for a big workbook.
enum class LoadScope { Everything, SheetNames };

LoadError loadXlsx(const std::string& path, Book& book, LoadScope scope = LoadScope::Everything);
LoadError loadXlsxFromMemory(const char* data, size_t size, Book& book, LoadScope scope = LoadScope::Everything);
LoadError loadXls(const std::string& path, Book& book, LoadScope scope = LoadScope::Everything);
LoadError loadXlsFromMemory(const char* data, size_t size, Book& book, LoadScope scope = LoadScope::Everything);

} // namespace ll::xl
