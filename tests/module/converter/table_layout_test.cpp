// How a sheet's cells become a table's fields.

#include <gtest/gtest.h>

#include "built_book.h"
#include "module/converter/table_layout.h"

using testsupport::XlsxBuilder;

namespace {

struct LayoutFixture : testing::Test {
    ConversionSettings settings;
    testsupport::TempDir dir;
    std::unique_ptr<TableLayout> layout = std::make_unique<TableLayout>();

    void analyse(const XlsxBuilder& builder)
    {
        BuiltBook book(builder, dir);
        ASSERT_NE(book.sheet(), nullptr);
        analyseSheet(book.sheet(), settings, *layout);
    }
    const ColumnLayout& column(int c) const { return layout->columns[size_t(c)]; }
};

TEST_F(LayoutFixture, HeaderNamesAreCleanedOrKeepTheirDefault)
{
    settings.firstLine = 1;
    XlsxBuilder builder;
    builder.sheet("S")
        .text(0, 0, "Unit price")   // words run together
        .text(0, 1, "!!!")          // nothing left
        .text(0, 2, "9lives")       // starts with a digit
        .number(0, 3, 5)            // a number is no name
        .text(0, 4, "Цена")         // only letters outside ASCII
        .text(0, 5, "Name Ц2")
        .text(0, 6, "Net_Amount (EUR)");
    for (int c = 0; c < 7; ++c)
        builder.number(1, c, 1);
    analyse(builder);
    ASSERT_EQ(layout->count, 7);
    const char* expected[] = {"Unitprice", "FLD_0001", "FLD_0002", "FLD_0003", "FLD_0004", "Name2", "NetAmountEUR"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(column(c).name, expected[c]) << c;
}

struct TypeCase {
    const char* name;
    std::function<void(XlsxBuilder&, int dateStyle)> cells; // column 0 from row 0
    bool allCharacter;
    char type;
    int64_t width;
    int64_t decimals;
};

class TypeTest : public LayoutFixture, public testing::WithParamInterface<TypeCase> {};

TEST_P(TypeTest, FirstRowTypesAndTheScanRefines)
{
    const TypeCase& c = GetParam();
    settings.allCharacter = c.allCharacter;
    XlsxBuilder builder;
    builder.sheet("S");
    int dateStyle = builder.style(14);
    c.cells(builder, dateStyle);
    analyse(builder);
    ASSERT_GE(layout->count, 1);
    EXPECT_EQ(column(0).type, c.type);
    EXPECT_EQ(column(0).width, c.width);
    EXPECT_EQ(column(0).decimals, c.decimals);
}

std::string text(size_t bytes)
{
    return std::string(bytes, 'x');
}

INSTANTIATE_TEST_SUITE_P(
    Columns, TypeTest,
    testing::Values(
        TypeCase{"number", [](XlsxBuilder& b, int) { b.number(0, 0, 1.5).number(1, 0, 2); }, false, 'N', 10, 0},
        TypeCase{"numberThenDecimalText", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, "12.50"); }, false, 'N', 10, 2},
        TypeCase{"commaCountsWithoutPoint", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, "1,234"); }, false, 'N', 10, 3},
        TypeCase{"pointBeforeComma", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, "1,234.5"); }, false, 'N', 10, 1},
        TypeCase{"numberThenWord", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, "abc"); }, false, 'C', 10, 0},
        TypeCase{"numberThenSlash", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, "1/2/2021 and more"); }, false, 'C', 17, 0},
        TypeCase{"decimalsStayAfterDemotion", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, "1.25").text(2, 0, "n/a"); }, false, 'C', 10, 2},
        TypeCase{"emptyFirstCell", [](XlsxBuilder& b, int) { b.number(1, 0, 5).number(0, 1, 1); }, false, 'C', 10, 0},
        TypeCase{"logicalWhateverFollows", [](XlsxBuilder& b, int) { b.boolean(0, 0, true).text(1, 0, "a long text here"); }, false, 'L', 1, 0},
        TypeCase{"date", [](XlsxBuilder& b, int d) { b.number(0, 0, 44257, d).text(1, 0, "2021-03-02"); }, false, 'D', 10, 0},
        TypeCase{"dateThenWord", [](XlsxBuilder& b, int d) { b.number(0, 0, 44257, d).text(1, 0, "2 March 2021"); }, false, 'C', 12, 0},
        TypeCase{"text250", [](XlsxBuilder& b, int) { b.text(0, 0, "a").text(1, 0, text(250)); }, false, 'C', 250, 0},
        TypeCase{"text251IsMemo", [](XlsxBuilder& b, int) { b.text(0, 0, "a").text(1, 0, text(251)).text(2, 0, text(400)); }, false, 'M', 10, 0},
        TypeCase{"numberThenLongText", [](XlsxBuilder& b, int) { b.number(0, 0, 1).text(1, 0, text(300)); }, false, 'M', 10, 0},
        TypeCase{"cyrillicCountsBytes", [](XlsxBuilder& b, int) { b.text(0, 0, "Съешь же ещё этих мягких"); }, false, 'C', 44, 0},
        TypeCase{"allCharacterNumber", [](XlsxBuilder& b, int) { b.number(0, 0, 1.5); }, true, 'C', 10, 0},
        TypeCase{"allCharacterLogical", [](XlsxBuilder& b, int) { b.boolean(0, 0, false); }, true, 'C', 10, 0},
        TypeCase{"allCharacterKeepsDates", [](XlsxBuilder& b, int d) { b.number(0, 0, 44257, d); }, true, 'D', 10, 0},
        TypeCase{"allCharacterKeepsLongText", [](XlsxBuilder& b, int) { b.text(0, 0, text(251)); }, true, 'C', 251, 0}),
    [](const testing::TestParamInfo<TypeCase>& info) { return std::string(info.param.name); });

TEST_F(LayoutFixture, AtMost2045Columns)
{
    XlsxBuilder builder;
    builder.sheet("Wide");
    for (int c = 0; c < 3000; ++c)
        builder.number(0, c, c);
    analyse(builder);
    EXPECT_EQ(layout->count, kMaxColumns);
    EXPECT_EQ(column(0).name, "FLD_0000");
    EXPECT_EQ(column(kMaxColumns - 1).name, "FLD_2044");
}

TEST(GetDbfTypeTest, ByCellType)
{
    ConversionSettings settings;
    EXPECT_EQ(GetDbfType(CELLTYPE_NUMBER, settings), 'N');
    EXPECT_EQ(GetDbfType(CELLTYPE_BOOLEAN, settings), 'L');
    for (int other : {int(CELLTYPE_EMPTY), int(CELLTYPE_STRING), int(CELLTYPE_BLANK), int(CELLTYPE_ERROR), 42})
        EXPECT_EQ(GetDbfType(other, settings), 'C');
    settings.allCharacter = 1;
    EXPECT_EQ(GetDbfType(CELLTYPE_NUMBER, settings), 'C');
    EXPECT_EQ(GetDbfType(CELLTYPE_BOOLEAN, settings), 'C');
}

} // namespace
