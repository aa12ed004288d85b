// What callers rely on beyond the tables: fitting into a field, the
// substitute, the Unicode forms' byte-order marks, non-lossy ASCII, the
// fallback, the choices where converters disagree, and use from several
// threads at once.

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "module/text/codec.h"

namespace {

using ll::text::CharsetCode;
using ll::text::Codec;

constexpr CharsetCode cf(uint32_t value)
{
    return CharsetCode(0x80000000u + value);
}
constexpr CharsetCode kCp1251 = 11, kUtf8 = 4, kUtf16 = 10, kUtf32 = CharsetCode(0x8C000100u);
constexpr CharsetCode kUtf16Be = CharsetCode(0x90000100u), kUtf16Le = CharsetCode(0x94000100u);
constexpr CharsetCode kIso2022Jp = 21, kCp932 = 8, kNonLossy = 7, kMacRoman = 30, kCp1252 = 12;
const CharsetCode kGbk = cf(0x0631), kHz = cf(0x0A05), kIso2022Kr = cf(0x0840), kShiftJis = cf(0x0A01);
const CharsetCode kEbcdic = cf(0x0C02), kCp437 = cf(0x0400), kGb18030 = cf(0x0632), kCp866 = cf(0x041B);

std::string hex(std::string_view bytes)
{
    std::string out;
    char buffer[3];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        out += buffer;
    }
    return out;
}

std::string encoded(CharsetCode code, std::string_view text)
{
    std::string out;
    Codec::forCode(code).encode(text, out);
    return hex(out);
}

struct EncodeCase {
    const char* label;
    CharsetCode code;
    const char* text;
    const char* bytes;  // hex
};

void PrintTo(const EncodeCase& c, std::ostream* os)
{
    *os << c.label;
}

// Substitution and the points where converters disagree, as we chose.
const EncodeCase kEncodeCases[] = {
    {"cp1251 Cyrillic", kCp1251, "Привет, Ёж", "CFF0E8E2E5F22C20A8E6"},
    {"cp1251 lacks CJK", kCp1251, "a中b", "613F62"},
    {"one substitute per character outside the BMP", kCp1251, "x\U0001F600y", "783F79"},
    {"one substitute per invalid byte", kCp1251, "a\xFF\xC3z", "613F3F7A"},
    {"EBCDIC writes its own question mark", kEbcdic, "A中", "C16F"},
    {"UTF-16LE writes '?' as a unit", kUtf16Le, "\xFF", "3F00"},
    {"UTF-16BE surrogate pair", kUtf16Be, "\U0001F600", "D83DDE00"},
    {"DOS pages keep the control codes", kCp437, "\x1A\x1C\x7F", "1A1C7F"},
    {"DOS Russian", kCp866, "Жук", "86E3AA"},
    {"cp932 writes IBM rows for the NEC/IBM duplicates", kCp932, "ⅰ纊", "FA40FA5C"},
    {"cp932 keeps ASCII backslash and tilde", kCp932, "\\~", "5C7E"},
    {"Mac Roman has the logo at 0xF0", kMacRoman, "\uF8FF€", "F0DB"},
    {"GB 18030 maps U+1E3F into two bytes (2005 table)", kGb18030, "ḿ", "A8BC"},
    {"GBK", kGbk, "中文", "D6D0CEC4"},
    {"ISO-2022-JP returns to ASCII", kIso2022Jp, "a日b", "611B2442467C1B284262"},
    {"ISO-2022-JP substitutes in ASCII mode", kIso2022Jp, "日€本", "1B2442467C1B28423F1B24424B5C1B2842"},
    {"ISO-2022-KR without Korean has no designation", kIso2022Kr, "abc", "616263"},
    {"ISO-2022-KR designation at the start", kIso2022Kr, "a한", "1B242943610E47510F"},
    {"HZ without Chinese is plain", kHz, "a~b", "617E7E62"},
    {"HZ closes its GB run", kHz, "a中", "617E7B56507E7D"},
    {"UTF-16 writes a mark and little-endian", kUtf16, "aé", "FFFE6100E900"},
    {"UTF-32 writes a mark and little-endian", kUtf32, "a", "FFFE000061000000"},
    {"UTF-16 writes nothing for an empty text", kUtf16, "", ""},
    {"UTF-8 replaces invalid bytes", kUtf8, "a\xC3(\xED\xA0\x80", "613F283F3F3F"},
    {"non-lossy ASCII", kNonLossy, "a\\é€\U0001F600", "615C5C5C75303065395C75323061635C75643833645C7564653030"},
    {"fallback for Inuit (Mac OS)", cf(0x00EC), "Aé", "413F"},
    {"Symbol: Greek letters in the ASCII range", 6, "Αα∑•", "4161E5B7"},
    {"Dingbats", cf(0x0022), "✁✡❶", "2141B6"},
    {"NextStep", 2, "éﬁ", "DDAE"},
    {"Mac Farsi writes ASCII punctuation low", cf(0x008C), "!(", "2128"},
    {"fallback for a code outside the table", 12345, "x€", "783F"},
};

class EncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, WritesTheseBytes)
{
    EXPECT_EQ(encoded(GetParam().code, GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeTest, testing::ValuesIn(kEncodeCases));

struct DecodeCase {
    const char* label;
    CharsetCode code;
    std::string bytes;
    const char* text;  // nullptr: decoding fails
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << c.label;
}

const DecodeCase kDecodeCases[] = {
    {"cp1251", kCp1251, "\xCF\xF0\xE8", "При"},
    {"cp1252 passes unassigned bytes as C1 controls", kCp1252, "\x81", "\xC2\x81"},
    {"Shift JIS reads 0x5C as the yen sign", kShiftJis, "\x5C\x7E", "¥‾"},
    {"cp932 reads 0x5C as backslash", kCp932, "\x5C", "\\"},
    {"cut-off double byte", kGbk, "A\xD6", nullptr},
    {"UTF-16 little-endian mark", kUtf16, std::string("\xFF\xFE\x61\x00", 4), "a"},
    {"UTF-16 big-endian mark", kUtf16, std::string("\xFE\xFF\x00\x61", 4), "a"},
    {"UTF-16 without a mark reads little-endian", kUtf16, std::string("\x61\x00", 2), "a"},
    {"UTF-16LE keeps a leading U+FEFF", kUtf16Le, std::string("\xFF\xFE\x61\x00", 4), "\uFEFFa"},
    {"UTF-16 odd length", kUtf16, std::string("\x61\x00\x62", 3), nullptr},
    {"UTF-16 lone high surrogate", kUtf16Le, std::string("\x3D\xD8\x61\x00", 4), nullptr},
    {"UTF-16 lone low surrogate", kUtf16Be, std::string("\xDE\x00", 2), nullptr},
    {"UTF-32 big-endian mark", kUtf32, std::string("\x00\x00\xFE\xFF\x00\x00\x00\x61", 8), "a"},
    {"UTF-32 beyond U+10FFFF", kUtf32, std::string("\x00\x00\x11\x00", 4), nullptr},
    {"UTF-8 overlong", kUtf8, "\xC0\xAF", nullptr},
    {"UTF-8 encoded surrogate", kUtf8, "\xED\xA0\x80", nullptr},
    {"non-lossy escapes", kNonLossy, "\\u00e9\\u20AC\\\\\\351", "é€\\é"},
    {"non-lossy surrogate pair", kNonLossy, "\\ud83d\\ude00", "\U0001F600"},
    {"non-lossy stray backslash stands for itself", kNonLossy, "C:\\dir\\u12", "C:\\dir\\u12"},
    {"non-lossy unpaired surrogate", kNonLossy, "\\ud83dx", nullptr},
    {"non-lossy 8-bit byte", kNonLossy, "\xE9", nullptr},
    {"fallback reads ASCII", cf(0x001A), "plain", "plain"},
    {"fallback refuses 8-bit bytes", cf(0x001A), "caf\xE9", nullptr},
    {"Mac Farsi reads both punctuation bytes", cf(0x008C), "!\xA1", "!!"},
    {"ISO-2022-JP", kIso2022Jp, "\x1B$BF|\x1B(B", "日"},
    {"HZ", kHz, "~{VP~}", "中"},
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, ReadsThisText)
{
    const DecodeCase& c = GetParam();
    std::string out = "kept:";
    bool ok = Codec::forCode(c.code).decode(c.bytes, out);
    EXPECT_EQ(ok, c.text != nullptr);
    if (ok && c.text) {
        EXPECT_EQ(out, std::string("kept:") + c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeTest, testing::ValuesIn(kDecodeCases));

struct FitCase {
    const char* label;
    CharsetCode code;
    const char* text;
    size_t capacity;
    const char* bytes;  // hex: the longest whole prefix that fits
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.label;
}

const FitCase kFitCases[] = {
    {"single-byte cuts at capacity", kCp1251, "Привет", 3, "CFF0E8"},
    {"UTF-8 never splits a character", kUtf8, "aбв", 2, "61"},
    {"double-byte never splits", kGbk, "中文", 3, "D6D0"},
    {"double-byte with invalid UTF-8", kGbk, "\xFF中", 2, "3F"},
    {"ISO-2022-JP needs room for the return to ASCII", kIso2022Jp, "日本", 7, ""},
    {"ISO-2022-JP one character and its escapes", kIso2022Jp, "日本", 8, "1B2442467C1B2842"},
    {"HZ keeps its closing ~}", kHz, "中a", 6, "7E7B56507E7D"},
    {"UTF-16 mark only with the first character", kUtf16, "ab", 3, ""},
    {"UTF-16 mark and one character", kUtf16, "ab", 5, "FFFE6100"},
    {"UTF-16 surrogate pair stays whole", kUtf16Le, "a\U0001F600", 5, "6100"},
    {"non-lossy escape stays whole", kNonLossy, "aé", 6, "61"},
    {"zero capacity", kCp1251, "abc", 0, ""},
    {"everything fits", kShiftJis, "日本", 10, "93FA967B"},
};

class FitTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitTest, WritesTheLongestWholePrefix)
{
    const FitCase& c = GetParam();
    std::string buffer(c.capacity + 4, '\xEE');
    size_t n = Codec::forCode(c.code).encodeInto(c.text, buffer.data(), c.capacity);
    EXPECT_EQ(hex(buffer.substr(0, n)), c.bytes);
    EXPECT_EQ(buffer.substr(c.capacity), std::string(4, '\xEE')) << "wrote past the capacity";
}

INSTANTIATE_TEST_SUITE_P(Cases, FitTest, testing::ValuesIn(kFitCases));

TEST(CodecForCode, GivesOneObjectPerCodeWithItsKind)
{
    EXPECT_EQ(&Codec::forCode(kGbk), &Codec::forCode(kGbk));
    EXPECT_EQ(Codec::forCode(12345).code(), 12345);
    EXPECT_FALSE(Codec::forCode(12345).available());
    EXPECT_TRUE(Codec::forCode(kCp1251).singleByte());
    EXPECT_FALSE(Codec::forCode(kGbk).singleByte());
    EXPECT_EQ(Codec::forCode(cf(0x00EC)).converterName(), "ascii-fallback");
}

// Several threads encode and decode with the same codecs at once and get
// what one thread alone gets.
TEST(CodecThreads, GiveTheSameResultsAsOneThread)
{
    const CharsetCode codes[] = {kCp1251, kGbk, kShiftJis, kIso2022Jp, kHz, kUtf16, kIso2022Kr};
    const std::string text = "Строка 中文 日本語 한국어 abc ~\\ €";
    std::vector<std::string> expected;
    for (CharsetCode code : codes) {
        std::string out;
        Codec::forCode(code).encode(text, out);
        expected.push_back(out);
    }
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            std::string out, back;
            for (int round = 0; round < 300; ++round) {
                size_t i = size_t(round + t) % std::size(codes);
                const Codec& codec = Codec::forCode(codes[i]);
                out.clear();
                codec.encode(text, out);
                back.clear();
                if (out != expected[i] || !codec.decode(out, back))
                    ++mismatches[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

} // namespace
