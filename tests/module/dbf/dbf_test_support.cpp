#include "dbf_test_support.h"

#include <cstdio>
#include <stdexcept>

namespace dbftest {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw std::invalid_argument(std::string("bad hex digit ") + c);
}

std::string hexAround(std::string_view bytes, size_t at)
{
    std::string out;
    size_t from = at >= 8 ? at - 8 : 0;
    for (size_t i = from; i < bytes.size() && i < at + 8; ++i) {
        char cell[8];
        std::snprintf(cell, sizeof cell, i == at ? "[%02x]" : "%02x ", static_cast<unsigned char>(bytes[i]));
        out += cell;
    }
    return out;
}

} // namespace

Expected expectedBytes(std::string_view notation)
{
    Expected out;
    size_t i = 0;
    auto add = [&](char byte, bool compare) {
        out.bytes += byte;
        out.compare.push_back(compare);
    };
    while (i < notation.size()) {
        char c = notation[i];
        if (c == ' ' || c == '\n') {
            ++i;
        } else if (c == '?') {
            add('\0', false);
            i += 2;
        } else if (c == '"') {
            size_t end = notation.find('"', i + 1);
            for (size_t k = i + 1; k < end; ++k)
                add(notation[k], true);
            i = end + 1;
        } else if (c == 'z' || c == 's') {
            size_t end = i + 1;
            size_t count = 0;
            while (end < notation.size() && notation[end] >= '0' && notation[end] <= '9')
                count = count * 10 + size_t(notation[end++] - '0');
            for (size_t k = 0; k < count; ++k)
                add(c == 'z' ? '\0' : ' ', true);
            i = end;
        } else {
            add(char(hexValue(notation[i]) * 16 + hexValue(notation[i + 1])), true);
            i += 2;
        }
    }
    return out;
}

std::string byteDiff(std::string_view actual, const Expected& expected)
{
    size_t common = std::min(actual.size(), expected.bytes.size());
    for (size_t i = 0; i < common; ++i) {
        if (expected.compare[i] && actual[i] != expected.bytes[i])
            return "first difference at byte " + std::to_string(i) + " (0x" + [&] {
                char hex[16];
                std::snprintf(hex, sizeof hex, "%zx", i);
                return std::string(hex);
            }() + ")\n  actual:   " + hexAround(actual, i) + "\n  expected: " + hexAround(expected.bytes, i);
    }
    if (actual.size() != expected.bytes.size())
        return "sizes differ: actual " + std::to_string(actual.size()) + " bytes, expected "
            + std::to_string(expected.bytes.size()) + "; first extra byte at " + std::to_string(common) + ": "
            + hexAround(actual.size() > common ? actual : std::string_view(expected.bytes), common);
    return {};
}

const FlavourCase kAllFlavours[7] = {{0, "dBase3"}, {1, "FoxPro"},  {2, "dBase4"}, {3, "VisualFoxPro"},
                                     {4, "SMT"},    {6, "AsIs"},    {7, "dBase7"}};

std::string longMemo()
{
    std::string text;
    for (int i = 0; i < 14; ++i)
        text += (i ? " " : "") + std::string("Длинная заметка, которая не помещается в один блок.");
    return text;
}

const std::vector<SampleRow>& sampleRows()
{
    static const std::vector<SampleRow> rows = {
        {"Иванов Пётр", "1234.5", 1234.5, "1", "19800229000000", "Заметка\r\nвторая строка"},
        {"Smith, \"John\"", "-0.25", -0.25, "0", "20241231235959", longMemo()},
        {"", "", 0, "", "", ""},
        {"Ёжик №5 — ёлка", "0", 0, "TRUE", "19000101", "коротко"},
    };
    return rows;
}

std::vector<std::string> expectedReaderRow(size_t row)
{
    static const std::vector<std::vector<std::string>> rows = {
        {"Иванов Пётр", "1234.5", "T", "1980-02-29", "Заметка\r\nвторая строка"},
        {"Smith, \"John\"", "-0.25", "F", "2024-12-31", longMemo()},
        {"", "", "", "", ""},
        {"Ёжик №5 — ёлка", "0", "T", "1900-01-01", "коротко"},
    };
    return rows.at(row);
}

bool writeSampleTable(xbtable& table, const std::string& path, int flavour, int64_t blockSize, std::string& error)
{
    table.setEncoding(11);
    bool ok = table.prepareNewTable(flavour, blockSize, 0) && table.addField("name", 'C', 30, 0)
        && table.addField("amount", 'N', 12, 2) && table.addField("flag", 'L', 1, 0)
        && table.addField("born", 'D', 10, 0) && table.addField("notes", 'M', 10, 0) && table.createTable(path);
    for (const SampleRow& row : sampleRows()) {
        if (!ok)
            break;
        table.clearRecord();
        ok = table.setField(0, row.name, 0) && table.setField(1, row.amountText, row.amount)
            && table.setField(2, row.flag, 0) && table.setField(3, row.born, 0) && table.setField(4, row.notes, 0)
            && table.appendRecord(0);
    }
    if (ok)
        table.closeDBFfile();
    ok = ok && table.lastError().empty();
    error = table.lastError();
    return ok;
}

uint32_t headerCount(std::string_view t)
{
    auto b = [&](size_t i) { return uint32_t(static_cast<unsigned char>(t.at(i))); };
    return b(4) | b(5) << 8 | b(6) << 16 | b(7) << 24;
}

uint32_t headerLength(std::string_view t)
{
    return uint32_t(static_cast<unsigned char>(t.at(8))) | uint32_t(static_cast<unsigned char>(t.at(9))) << 8;
}

uint32_t recordLength(std::string_view t)
{
    return uint32_t(static_cast<unsigned char>(t.at(10))) | uint32_t(static_cast<unsigned char>(t.at(11))) << 8;
}

} // namespace dbftest
