// Every codec against vectors that Python's own codecs computed
// (data/codec_vectors.txt, made by data/make_codec_vectors.py), and the
// table of which independent check applies to each of the 100 entries.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "module/text/codec.h"
#include "module/text/codec_table.h"
#include "options/charsets.h"
#include "support/test_support.h"

namespace {

using ll::text::CharsetCode;
using ll::text::Codec;
using ll::text::CodecBackend;

enum class Check {
    Python,          // vectors from Python's codecs
    IcuAgainstIconv, // Python lacks the page: ICU and iconv agree (codec_cross_test.cpp)
    OwnCases,        // our own code or table with no Python twin: codec_test.cpp
    Fallback,        // no converter anywhere: the ASCII fallback
};

constexpr CharsetCode cf(uint32_t value)
{
    return CharsetCode(0x80000000u + value);
}

// The check for every entry, in table order.
const std::map<CharsetCode, Check>& entryChecks()
{
    using enum Check;
    static const std::map<CharsetCode, Check> checks = {
        {1, Python}, {2, OwnCases}, {3, Python}, {4, Python}, {5, Python}, {6, OwnCases}, {7, OwnCases},
        {8, Python}, {9, Python}, {10, Python}, {11, Python}, {12, Python}, {13, Python}, {14, Python},
        {15, Python}, {21, Python}, {30, Python}, {CharsetCode(0x9C000100u), Python},
        {CharsetCode(0x98000100u), Python}, {CharsetCode(0x94000100u), Python},
        {CharsetCode(0x90000100u), Python}, {CharsetCode(0x8C000100u), Python},
        {cf(0x0C02), Python}, {cf(0x0A09), Fallback}, {cf(0x0A08), Python}, {cf(0x0A06), Python},
        {cf(0x0A05), Python}, {cf(0x0A04), Fallback}, {cf(0x0A03), Python}, {cf(0x0A02), Python},
        {cf(0x0A01), Python}, {cf(0x0940), Python}, {cf(0x0931), IcuAgainstIconv}, {cf(0x0930), Python},
        {cf(0x0840), Python}, {cf(0x0632), Python}, {cf(0x0631), Python}, {cf(0x0628), Python},
        {cf(0x0508), Python}, {cf(0x0507), Python}, {cf(0x0506), Python}, {cf(0x0505), Python},
        {cf(0x0423), Python}, {cf(0x0422), Python}, {cf(0x0421), Python}, {cf(0x041D), Python},
        {cf(0x041C), Python}, {cf(0x041B), Python}, {cf(0x041A), Python}, {cf(0x0419), Python},
        {cf(0x0418), Python}, {cf(0x0417), Python}, {cf(0x0416), Python}, {cf(0x0415), Python},
        {cf(0x0414), Python}, {cf(0x0413), Python}, {cf(0x0412), Python}, {cf(0x0411), IcuAgainstIconv},
        {cf(0x0410), Python}, {cf(0x0406), Python}, {cf(0x0405), Python}, {cf(0x0400), Python},
        {cf(0x0210), Python}, {cf(0x020F), Python}, {cf(0x020E), Python}, {cf(0x020D), Python},
        {cf(0x020B), Python}, {cf(0x020A), Python}, {cf(0x0209), Python}, {cf(0x0208), Python},
        {cf(0x0207), Python}, {cf(0x0206), Python}, {cf(0x0205), Python}, {cf(0x0204), Python},
        {cf(0x0203), Python}, {cf(0x00EC), Fallback}, {cf(0x0098), IcuAgainstIconv}, {cf(0x008C), Python},
        {cf(0x0029), Fallback}, {cf(0x0028), Fallback}, {cf(0x0027), Fallback}, {cf(0x0026), Python},
        {cf(0x0025), Python}, {cf(0x0024), Python}, {cf(0x0023), Python}, {cf(0x0022), OwnCases},
        {cf(0x001D), Python}, {cf(0x001A), Fallback}, {cf(0x0019), Fallback}, {cf(0x0015), Fallback},
        {cf(0x000B), Fallback}, {cf(0x000A), Fallback}, {cf(0x0009), Fallback}, {cf(0x0007), Python},
        {cf(0x0006), Python}, {cf(0x0005), Fallback}, {cf(0x0004), Python}, {cf(0x0003), Fallback},
        {cf(0x0002), Fallback}, {cf(0x0001), Fallback},
    };
    return checks;
}

struct Vector {
    char kind = 0;  // E encode, D decode, R both ways, X decoding fails
    CharsetCode code = 0;
    std::vector<std::string> fields;  // already turned from hex into bytes
    int line = 0;
};

std::string fromHex(std::string_view hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += char(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

std::string toHex(std::string_view bytes)
{
    std::string hex;
    char buffer[3];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        hex += buffer;
    }
    return hex;
}

const std::multimap<CharsetCode, Vector>& vectors()
{
    static const std::multimap<CharsetCode, Vector> all = [] {
        std::multimap<CharsetCode, Vector> loaded;
        std::ifstream file(testsupport::sourceDir() / "tests/module/text/data/codec_vectors.txt");
        std::string text;
        int number = 0;
        while (std::getline(file, text)) {
            ++number;
            if (text.empty() || text[0] == '#')
                continue;
            // Fields are separated by single spaces; an empty field is an
            // empty text or byte string.
            std::vector<std::string> words;
            size_t from = 0;
            for (size_t space; (space = text.find(' ', from)) != std::string::npos; from = space + 1)
                words.push_back(text.substr(from, space - from));
            words.push_back(text.substr(from));
            Vector v;
            v.kind = words[0][0];
            v.code = CharsetCode(std::stoul(words[1], nullptr, 16));
            v.line = number;
            for (size_t i = 2; i < words.size(); ++i)
                v.fields.push_back(fromHex(words[i]));
            while (v.kind != 'X' && v.fields.size() < 2)
                v.fields.emplace_back();
            loaded.emplace(v.code, std::move(v));
        }
        return loaded;
    }();
    return all;
}

// Where two byte strings first differ, for the failure message.
std::string firstDifference(const std::string& actual, const std::string& expected)
{
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    size_t from = i < 6 ? 0 : i - 6;
    return "at byte " + std::to_string(i) + ": ours ..." + toHex(actual.substr(from, 14)) + " expected ..." +
           toHex(expected.substr(from, 14));
}

class EntryTest : public testing::TestWithParam<int> {
protected:
    CharsetCode code() const { return charsetCodeAtIndex(GetParam()); }
};

TEST_P(EntryTest, HasItsCheckAndItsConverter)
{
    auto found = entryChecks().find(code());
    ASSERT_NE(found, entryChecks().end()) << "no check listed";
    const Codec& codec = Codec::forCode(code());
    EXPECT_EQ(codec.code(), code());
    const ll::text::CodecSpec* spec = ll::text::findCodecSpec(code());
    ASSERT_NE(spec, nullptr);
    // Every converter the table names opens on this platform.
    EXPECT_EQ(codec.backend(), spec->backend) << spec->converter;
    EXPECT_EQ(found->second == Check::Fallback, !codec.available());
    bool hasVectors = vectors().count(code()) > 0;
    EXPECT_EQ(found->second == Check::Python, hasVectors);
}

TEST_P(EntryTest, MatchesPythonVectors)
{
    const Codec& codec = Codec::forCode(code());
    auto [begin, end] = vectors().equal_range(code());
    if (begin == end)
        GTEST_SKIP() << "not known to Python";
    for (auto it = begin; it != end; ++it) {
        const Vector& v = it->second;
        SCOPED_TRACE("codec_vectors.txt line " + std::to_string(v.line) + " (" + codec.converterName().data() + ")");
        if (v.kind == 'E' || v.kind == 'R') {
            const std::string& text = v.kind == 'E' ? v.fields[0] : v.fields[1];
            const std::string& bytes = v.kind == 'E' ? v.fields[1] : v.fields[0];
            std::string encoded = "prefix:";
            codec.encode(text, encoded);
            EXPECT_TRUE(encoded.substr(7) == bytes) << "encode " << firstDifference(encoded.substr(7), bytes);
            std::string into(bytes.size() + 8, '\xEE');
            EXPECT_EQ(codec.encodeInto(text, into.data(), bytes.size()), bytes.size());
            EXPECT_TRUE(into.substr(0, bytes.size()) == bytes) << "encodeInto " << firstDifference(into, bytes);
        }
        if (v.kind == 'D' || v.kind == 'R') {
            std::string decoded = "prefix:";
            EXPECT_TRUE(codec.decode(v.fields[0], decoded));
            EXPECT_TRUE(decoded.substr(7) == v.fields[1]) << "decode " << firstDifference(decoded.substr(7), v.fields[1]);
        }
        if (v.kind == 'X') {
            for (const std::string& bad : v.fields) {
                std::string decoded;
                EXPECT_FALSE(codec.decode(bad, decoded)) << "decoded " << toHex(bad) << " to " << toHex(decoded);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllEntries, EntryTest, testing::Range(0, kCharsetCount),
                         [](const testing::TestParamInfo<int>& param) {
                             char name[32];
                             std::snprintf(name, sizeof name, "i%02d_%08X", param.param,
                                           uint32_t(charsetCodeAtIndex(param.param)));
                             return std::string(name);
                         });

TEST(CodecTable, ListsExactlyTheCharsetTableCodesInOrder)
{
    auto specs = ll::text::codecSpecs();
    ASSERT_EQ(specs.size(), size_t(kCharsetCount));
    for (int i = 0; i < kCharsetCount; ++i)
        EXPECT_EQ(specs[i].code, charsetCodeAtIndex(i)) << "index " << i;
    EXPECT_EQ(entryChecks().size(), size_t(kCharsetCount));
}

} // namespace
