#pragma once
// Derives a DBF table's fields from a sheet and creates the empty table.
//
// Two passes: the first data row fixes each column's type (date, number,
// logical, else character); a scan of every data row's texts widens
// character fields, measures decimals, turns number and date columns that
// hold other texts into character columns, and turns a column into a memo
// when a text reaches 251 bytes.

#include <QStringList>

#include <array>
#include <cstdint>
#include <string>

#include "conversion_settings.h"
#include "module/xl/xl_api.h"

// A sheet contributes at most this many columns (the DBF header's 16-bit
// length leaves room for 2046 fields; the column table has 2048 slots).
inline constexpr int kMaxColumns = 2045;

struct ColumnLayout {
    std::string name;     // "FLD_0000", or the cleaned header text
    char type = 'C';      // C, N, L, D or M
    int64_t width = 10;
    int64_t decimals = 0;
};

struct TableLayout {
    std::array<ColumnLayout, 2048> columns;
    int count = 0;
};

// Field type letter of a cell type: "C" for everything when allCharacter
// is set; otherwise "N" numbers, "L" logicals and "C" the rest.
char GetDbfType(int cellType, const ConversionSettings& settings);

// The column count a sheet contributes (its last column, at most 2045).
int columnCount(SheetHandle sheet);

// Both passes over the sheet; the layout is heap-allocated by the caller.
void analyseSheet(SheetHandle sheet, const ConversionSettings& settings, TableLayout& layout);

// Lays out the sheet and creates the empty table at target. `xchg` holds
// the "-ct=" texts ("NAME=value"): they are matched against the new
// table's fields and change nothing in a DBF layout. Returns whether a
// file exists at target afterwards.
bool CreateOutDBF(SheetHandle sheet, const ConversionSettings& settings, const std::string& target,
                  const QStringList& xchg = {});
