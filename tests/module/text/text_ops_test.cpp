#include <gtest/gtest.h>

#include "module/text/text_ops.h"

using namespace ll::text;

namespace {

struct TrimCase {
    const char* input;
    const char* all;
    const char* right;
    const char* left;
};

class TrimTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimTest, TrimsBlanksButNotLineEnds)
{
    const TrimCase& c = GetParam();
    EXPECT_EQ(trimAll(c.input), c.all);
    EXPECT_EQ(trimRight(c.input), c.right);
    EXPECT_EQ(trimLeft(c.input), c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimTest,
    testing::Values(TrimCase{"", "", "", ""},
                    TrimCase{"   ", "", "   ", "   "}, // blanks only: the one-sided trims keep them
                    TrimCase{" a b ", "a b", " a b", "a b "},
                    TrimCase{"\tx\t", "x", "\tx", "x\t"},
                    TrimCase{"x\n", "x\n", "x\n", "x\n"},                 // line feeds are not blanks
                    TrimCase{"\u00A0\u3000x\u2003", "x", "\u00A0\u3000x", "x\u2003"}, // Zs outside ASCII
                    TrimCase{"\u0416 ", "\u0416", "\u0416", "\u0416 "},
                    TrimCase{"\xff ", "\xff", "\xff", "\xff "})); // a stray byte is text, not a blank

TEST(CheckTest, NumbersAndNumeric)
{
    EXPECT_TRUE(checkNumbers(""));
    EXPECT_TRUE(checkNumbers("0123"));
    EXPECT_TRUE(checkNumbers("\u0661\u0662")); // Arabic-Indic digits
    EXPECT_FALSE(checkNumbers("12a"));
    EXPECT_FALSE(checkNumbers("1.5"));
    EXPECT_TRUE(checkNumeric(""));
    EXPECT_TRUE(checkNumeric("-1,234.50"));
    EXPECT_FALSE(checkNumeric("1 234"));
    EXPECT_FALSE(checkNumeric("1e5"));
}

TEST(RemoveTrailingZerosTest, StripsZerosThenPoint)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12.000000", "12"}, {"100.000000", "100"}, {"3.500000", "3.5"}, {"0.000000", "0"}, {"-0.250000", "-0.25"}, {"", ""},
    };
    for (auto [input, expected] : cases)
        EXPECT_EQ(removeTrailingZeros(std::string_view(input)), expected) << input;
}

struct OptionsCase {
    const char* input;
    long long removeSpaces;
    long long removeCRLF;
    const char* expected;
};

class ApplyOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(ApplyOptionsTest, TrimsFirstThenReplacesLineEnds)
{
    const OptionsCase& c = GetParam();
    std::string scratch;
    EXPECT_EQ(applyTextOptions(c.input, c.removeSpaces, c.removeCRLF, scratch), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ApplyOptionsTest,
    testing::Values(OptionsCase{" a \n", 1, 0, " a \n"},  // keep everything
                    OptionsCase{" a ", 0, 1, " a"},       // trailing only
                    OptionsCase{" a ", 2, 1, "a"},        // both ends
                    OptionsCase{"a \n", 0, 1, "a  "},     // the line feed is not trimmed, then becomes a blank
                    OptionsCase{"a\r\nb", 1, 1, "a  b"},  // CR LF gives two blanks
                    OptionsCase{"a\r\nb", 1, 0, "a\r\nb"},
                    OptionsCase{"   ", 0, 1, "   "},      // blanks only survive trimRight
                    OptionsCase{" x ", 7, 0, " x "}));    // unknown value keeps blanks

} // namespace
