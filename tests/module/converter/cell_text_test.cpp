#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "module/converter/c_locale.h"
#include "module/converter/cell_text.h"
#include "module/text/text_ops.h"

namespace {

struct NumberCase {
    double value;
    const char* custom; // nullptr: a built-in format
    const char* expected; // after trimming, as the field receives it
};

class NumberTextTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, PrintedByTheCustomFormat)
{
    const NumberCase& c = GetParam();
    CLocaleScope points;
    std::string text;
    CellText::formatNumber(c.value, c.custom, text);
    EXPECT_EQ(ll::text::trimAll(text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, NumberTextTest,
    testing::Values(NumberCase{1234.5, "#,##0.00", "1234.50"},
                    NumberCase{1234.5, "#,##0", "1234"},
                    NumberCase{1234.5, nullptr, "1234.5"},
                    NumberCase{3.5, nullptr, "3.5"},
                    NumberCase{12, nullptr, "12"},
                    NumberCase{100, nullptr, "100"},
                    NumberCase{0, nullptr, "0"},
                    NumberCase{-0.25, nullptr, "-0.25"},
                    NumberCase{1e-7, nullptr, "0"},        // "%f" keeps six decimals
                    NumberCase{0.25, "0.0%", "0.25"},       // every byte after the point counts
                    NumberCase{-7.9, "0", "-7"},            // truncated toward zero
                    NumberCase{5e9, "#,##0", "5000000000"}, // beyond 32 bits: the whole number
                    NumberCase{-5e9, "0", "-5000000000"},
                    NumberCase{2.0, "00000", "2"}));

TEST(NumberTextTest, WidthComesFromTheFormatLength)
{
    CLocaleScope points;
    std::string text;
    CellText::formatNumber(2, "#,##0", text);
    EXPECT_EQ(text, "    2");
    CellText::formatNumber(1.5, "0.00", text);
    EXPECT_EQ(text, "1.50");
}

TEST(NumberTextTest, HostileFormatLengthsAreBounded)
{
    std::string custom = "0." + std::string(100000, '0');
    std::string text;
    CellText::formatNumber(1.0, custom.c_str(), text);
    EXPECT_LT(text.size(), 3000u);
    EXPECT_EQ(text.substr(0, 4), "1.00");
}

TEST(NumberTextTest, PointEvenInACommaLocale)
{
    // The window sets the locale from the environment; numbers must not
    // follow it.
    if (!newlocale(LC_ALL_MASK, "de_DE.UTF-8", locale_t(nullptr)))
        GTEST_SKIP() << "no German locale here";
    locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", locale_t(nullptr));
    locale_t previous = uselocale(german);
    {
        CLocaleScope points;
        std::string text;
        CellText::formatNumber(1.5, nullptr, text);
        EXPECT_EQ(text, "1.5");
    }
    uselocale(previous);
    freelocale(german);
}

} // namespace

namespace {

// The fast printing must say exactly what printf says, digit for digit.
TEST(NumberTextTest, SameDigitsAsPrintf)
{
    CLocaleScope points;
    std::mt19937_64 random(20261205);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 18);
    std::string ours;
    char theirs[512];
    for (int i = 0; i < 20000; ++i) {
        double value = std::ldexp(mantissa(random), exponent(random) * 3);
        CellText::formatNumber(value, nullptr, ours);
        std::snprintf(theirs, sizeof theirs, "%f", value);
        std::string expected = theirs;
        ll::text::removeTrailingZeros(expected);
        ASSERT_EQ(ours, expected) << value;
        CellText::formatNumber(value, "#,##0.000", ours);
        std::snprintf(theirs, sizeof theirs, "%9.3f", value);
        ASSERT_EQ(ours, theirs) << value;
    }
}

} // namespace
