// Entries Python has no codec for, checked by running the other library's
// converter for the same page next to ours: ICU against glibc iconv. Where
// the two tables differ, the test names each code point.

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "module/text/codec.h"
#include "module/text/codec_iconv.h"
#include "module/text/codec_icu.h"
#include "module/text/codec_utf.h"
#include "support/test_support.h"

namespace {

using ll::text::CharsetCode;
using ll::text::Codec;

constexpr CharsetCode cf(uint32_t value)
{
    return CharsetCode(0x80000000u + value);
}

struct CrossCase {
    const char* label;
    CharsetCode code;
    bool otherIsIcu;     // which library the second opinion comes from
    const char* other;   // its converter name
    std::set<char32_t> knownDifferences;  // code points the tables map differently
    size_t otherOnlyAllowed;              // characters only the second opinion maps
};

void PrintTo(const CrossCase& c, std::ostream* os)
{
    *os << c.label;
}

const CrossCase kCases[] = {
    // glibc's IBM851 and ICU's ibm-851: ICU rotates the controls 0x1A,
    // 0x1C and 0x7F (the reason we take iconv), and the two disagree on
    // 0xB7/0xB8 (MU, NU) and on 0xF7 (ogonek or cedilla).
    {"cp851", cf(0x0411), true, "ibm-851_P100-1995", {0x1A, 0x1C, 0x7F, 0x39C, 0x39D, 0xB8, 0x2DB}, 0},
    // glibc's MAC-UK is the Ukrainian table; ICU serves it by the name
    // x-MacUkraine as its Mac Cyrillic table, which has the euro at 0xFF
    // where the Ukrainian table has the currency sign.
    {"mac-ukrainian", cf(0x0098), true, "x-MacUkraine", {0xA4, 0x20AC}, 0},
    // ICU's EUC-TW (2014) maps about 7,000 more CNS 11643 characters than
    // glibc's; of the 24,850 both map, these 18 differ (punctuation forms
    // and a few plane 3/4 ideographs), and glibc maps 6 ICU lacks.
    {"euc-tw", cf(0x0931), false, "EUC-TW",
     {0x2032, 0x2035, 0x30FB, 0x488C, 0x4D56, 0x5344, 0x5759, 0x5B90, 0x5CD5, 0x5E71, 0x6E7C, 0x7193, 0x79CC,
      0x80BB, 0x98E4, 0xFE31, 0xFE65, 0xFE66},
     6},
};

class CrossCheck : public testing::TestWithParam<CrossCase> {};

// The bytes a codec gives one code point, or "" when the page lacks it.
std::string encodeOne(const Codec& codec, char32_t c, const std::string& question)
{
    std::string text, bytes;
    ll::text::appendUtf8(c, text);
    codec.encode(text, bytes);
    return (bytes == question && c != U'?') ? std::string() : bytes;
}

TEST_P(CrossCheck, TablesAgreeOutsideTheNamedCodePoints)
{
    const CrossCase& c = GetParam();
    const Codec& ours = Codec::forCode(c.code);
    auto other = c.otherIsIcu ? ll::text::makeIcuCodec(c.code, c.other) : ll::text::makeIconvCodec(c.code, c.other);
    ASSERT_TRUE(ours.available());
    ASSERT_NE(other, nullptr) << c.other << " missing";

    std::string oursQuestion, otherQuestion;
    ours.encode("?", oursQuestion);
    other->encode("?", otherQuestion);
    size_t agreed = 0, otherOnly = 0;
    std::set<char32_t> differing;
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        std::string a = encodeOne(ours, cp, oursQuestion);
        std::string b = encodeOne(*other, cp, otherQuestion);
        if (a.empty() && !b.empty() && cp >= 0x80 && cp < 0xA0)
            continue;  // C1 controls: a matter of taste, not of the page
        if (c.knownDifferences.count(cp))
            continue;
        if (a.empty() && !b.empty())
            ++otherOnly;
        else if (!a.empty() && !b.empty() && a != b)
            differing.insert(cp);
        else if (!a.empty() && a == b)
            ++agreed;
        // Both ways: what one side writes, the other reads back.
        if (!a.empty() && a == b) {
            std::string back;
            ASSERT_TRUE(other->decode(a, back)) << std::hex << uint32_t(cp);
        }
    }
    std::string list;
    for (char32_t cp : differing)
        list += " " + std::to_string(uint32_t(cp));
    EXPECT_TRUE(differing.empty()) << "differ beyond the named points:" << list;
    EXPECT_LE(otherOnly, c.otherOnlyAllowed);
    EXPECT_GT(agreed, 120u);
}

INSTANTIATE_TEST_SUITE_P(PythonLacks, CrossCheck, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CrossCase>& p) {
                             std::string name = p.param.label;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

// Our NextStep table (from Perl's Encode) against glibc's locale charmap
// of the same page, byte by byte.
TEST(CrossCheckNextStep, AgreesWithTheLocaleCharmap)
{
    const char* charmap = "/usr/share/i18n/charmaps/NEXTSTEP.gz";
    std::string listing;
    if (testsupport::runCommand(std::string("zcat ") + charmap + " 2>/dev/null", &listing) != 0 || listing.empty())
        GTEST_SKIP() << charmap << " is not installed";
    const Codec& ours = Codec::forCode(2);
    int compared = 0;
    size_t from = 0;
    for (size_t end; (end = listing.find('\n', from)) != std::string::npos; from = end + 1) {
        unsigned cp = 0, byte = 0;
        // Lines such as "<U00E9>     /xdd         LATIN SMALL LETTER E WITH ACUTE".
        if (std::sscanf(listing.c_str() + from, "<U%x> /x%x", &cp, &byte) != 2 || byte < 0x80)
            continue;
        std::string text, bytes;
        ll::text::appendUtf8(char32_t(cp), text);
        ours.encode(text, bytes);
        EXPECT_EQ(bytes, std::string(1, char(byte))) << std::hex << "U+" << cp;
        std::string back;
        EXPECT_TRUE(ours.decode(std::string(1, char(byte)), back) && back == text) << std::hex << "byte " << byte;
        ++compared;
    }
    EXPECT_GE(compared, 120);
}

} // namespace
