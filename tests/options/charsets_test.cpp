#include <gtest/gtest.h>

#include <QSet>

#include "options/charsets.h"
#include "options/my_options.h"

namespace {

TEST(CharsetTableTest, WellKnownEntries)
{
    EXPECT_EQ(charsetCodeAtIndex(3), 4);
    EXPECT_EQ(charsetNameAtIndex(3), "Unicode (UTF-8)");
    EXPECT_EQ(charsetCodeAtIndex(10), 11);
    EXPECT_EQ(charsetNameAtIndex(10), "Cyrillic (Windows)");
    EXPECT_EQ(charsetCodeAtIndex(58), int32_t(0x80000410u));
    EXPECT_EQ(charsetNameAtIndex(25), "Traditional Chinese (Big 5 HKSCS)");
    EXPECT_EQ(charsetNameAtIndex(99), "Japanese (Mac OS)");
    EXPECT_LT(charsetCodeAtIndex(17), 0); // full-width codes are negative as signed 32-bit
}

TEST(CharsetTableTest, LookupsByCode)
{
    EXPECT_EQ(charsetIndexForCode(4), 3);
    EXPECT_EQ(charsetIndexForCode(11), 10);
    EXPECT_EQ(charsetIndexForCode(12345), 0);
    EXPECT_EQ(charsetNameForCode(int32_t(0x80000A02u)), "Cyrillic (KOI8-R)");
    EXPECT_FALSE(charsetNameForCode(12345).has_value());
}

TEST(CharsetTableTest, NamesMatchIgnoringCaseAndTheFirstDuplicateWins)
{
    EXPECT_EQ(charsetIndexForName("cyrillic (windows)"), 10);
    EXPECT_EQ(charsetIndexForName("Cyrillic (DOS)"), 47);
    EXPECT_EQ(charsetNameAtIndex(55), "Cyrillic (DOS)");
    EXPECT_FALSE(charsetIndexForName("Klingon").has_value());
}

TEST(CharsetTableTest, CodesAreUniqueAndNamesRepeatOnlyOnce)
{
    QSet<int32_t> codes;
    QSet<QString> names;
    int repeated = 0;
    for (int i = 0; i < kCharsetCount; ++i) {
        EXPECT_FALSE(codes.contains(charsetCodeAtIndex(i))) << i;
        codes.insert(charsetCodeAtIndex(i));
        repeated += names.contains(charsetNameAtIndex(i));
        names.insert(charsetNameAtIndex(i));
    }
    EXPECT_EQ(repeated, 1);
}

TEST(CharsetTableTest, OutOfRangeIndexesNeverReadOutsideTheTable)
{
    for (int64_t bad : {int64_t(-1), int64_t(100), int64_t(1) << 40}) {
        EXPECT_FALSE(isValidCharsetIndex(bad));
        EXPECT_EQ(charsetCodeAtIndex(bad), charsetCodeAtIndex(kDefaultCharsetIndex));
        EXPECT_EQ(charsetNameAtIndex(bad), charsetNameAtIndex(kDefaultCharsetIndex));
    }
    myOptions options;
    options.setSourceCharset(10);
    chgCharset(options, 250);
    EXPECT_EQ(options.sourceCharset(), 10);
    chgCharset(options, 47);
    EXPECT_EQ(options.sourceCharset(), 47);
}

} // namespace
