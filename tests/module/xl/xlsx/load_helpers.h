#pragma once
// Loading test packages from memory and looking at what the book holds.

#include <memory>
#include <string>

#include "module/xl/book.h"
#include "module/xl/load.h"

namespace xlsxtest {

struct Loaded {
    ll::xl::LoadError error;
    std::unique_ptr<ll::xl::Book> book = std::make_unique<ll::xl::Book>(ll::xl::Book::Kind::Xlsx);
};

inline Loaded load(const std::string& bytes)
{
    Loaded loaded;
    loaded.error = ll::xl::loadXlsxFromMemory(bytes.data(), bytes.size(), *loaded.book);
    return loaded;
}

// The text of a string cell, or "(not a text)".
inline std::string textAt(const ll::xl::Book& book, const ll::xl::Sheet& sheet, uint32_t row, uint32_t col)
{
    const ll::xl::Cell* cell = sheet.cellAt(row, col);
    if (!cell || cell->type() != ll::xl::CellType::String)
        return "(not a text)";
    return std::string(book.strings.view(cell->value.index));
}

} // namespace xlsxtest
