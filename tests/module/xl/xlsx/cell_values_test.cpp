// The small parsers of worksheet texts: references, ISO dates, escapes.

#include <gtest/gtest.h>

#include <cmath>

#include "module/xl/xlsx/cell_values.h"

using namespace ll::xl::xlsx;

namespace {

TEST(CellReferenceTest, ReadsReferencesAndRefusesOthers)
{
    struct Case {
        const char* text;
        bool ok;
        uint32_t row, col;
    };
    const Case cases[] = {
        {"A1", true, 0, 0},
        {"b7", true, 6, 1},
        {"$C$3", true, 2, 2},
        {"XFD1048576", true, 1048575, 16383},
        {"XFE1", true, 0, 16384},                      // past the grid: reported, the sheet drops it
        {"ZZZZZZZZZZ99999999999999", true, UINT32_MAX, UINT32_MAX},
        {"A0", false, 0, 0},
        {"1A", false, 0, 0},
        {"A", false, 0, 0},
        {"", false, 0, 0},
        {"A1:B2", false, 0, 0},
    };
    for (const Case& c : cases) {
        uint32_t row = 0, col = 0;
        EXPECT_EQ(parseCellReference(c.text, row, col), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(row, c.row) << c.text;
            EXPECT_EQ(col, c.col) << c.text;
        }
    }
}

TEST(IsoDateTest, TurnsIsoTextIntoSerials)
{
    const double time140509 = (14 * 3600 + 5 * 60 + 9) / 86400.0;
    struct Case {
        const char* text;
        bool date1904;
        bool ok;
        double serial;
    };
    const Case cases[] = {
        {"2021-03-02", false, true, 44257},
        {"2021-03-02T14:05:09", false, true, 44257 + time140509},
        {"2021-03-02T14:05:09Z", false, true, 44257 + time140509},
        {"2014-02-14T08:27:48.765Z", false, true, 41684 + (8 * 3600 + 27 * 60 + 48 + 0.765) / 86400.0},
        {"10:10:10", false, true, (10 * 3600 + 10 * 60 + 10) / 86400.0},
        {"1900-01-01", false, true, 1},
        {"1900-02-28", false, true, 59},   // before the 1900 system's phantom 29 February
        {"1900-03-01", false, true, 61},
        {"1904-01-02", true, true, 1},
        {"2021-03-02", true, true, 44257 - 1462},
        {"2021-13-01", false, false, 0},
        {"2021-02-30", false, false, 0},
        {"25:00:00", false, false, 0},
        {"yesterday", false, false, 0},
        {"", false, false, 0},
    };
    for (const Case& c : cases) {
        double serial = -1;
        EXPECT_EQ(isoDateToSerial(c.text, c.date1904, serial), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(serial, c.serial, 1e-9) << c.text;
        }
    }
}

TEST(EscapesTest, DecodesInOnePass)
{
    struct Case {
        const char* text;
        const char* decoded;
    };
    const Case cases[] = {
        {"a_x000D_b", "a\rb"},
        {"_x005F_x000D_", "_x000D_"},            // an escaped underscore, then plain text
        {"_x00e9_", "\xC3\xA9"},                 // lower-case hex
        {"_xD83C__xDF63_", "\xF0\x9F\x8D\xA3"},  // a surrogate pair joined
        {"_xD800_x", "\xEF\xBF\xBDx"},           // a lone surrogate
        {"_x12_ and _xZZZZ_", "_x12_ and _xZZZZ_"},
        {"plain", "plain"},
    };
    for (const Case& c : cases) {
        std::string out;
        decodeEscapes(c.text, out);
        EXPECT_EQ(out, c.decoded) << c.text;
        EXPECT_EQ(hasEscapes(c.text), out != c.text) << c.text;
    }
}

TEST(NumberTest, ReadsWhatProducersWrite)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1", true, 1},       {"-2.5", true, -2.5},  {" +1.5E3 ", true, 1500}, {"1.23456789e+22", true, 1.23456789e22},
        {"", false, 0},       {"1,5", false, 0},     {"abc", false, 0},        {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        double value = 0;
        EXPECT_EQ(parseNumber(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

} // namespace
