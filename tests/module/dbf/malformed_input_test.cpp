// Tables whose bytes lie: truncated files, header lengths, record lengths
// and counts that do not fit, memo pointers and lengths past the end. Each
// either fails to open with a reason, or opens and reads what is really
// there, with the lying field unreadable (nullopt). None may crash or read
// past a buffer (the sanitizer build and the fuzzer watch for that).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "dbf_test_support.h"
#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"
#include "support/test_support.h"

namespace {

void putLe16(std::string& bytes, size_t at, uint32_t value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void putLe32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

void putBe32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = char((value >> (24 - 8 * i)) & 0xFF);
}

struct Files {
    std::string table;
    std::string memo;
};

enum class Outcome { OpenFails, Opens };

struct BadCase {
    const char* name;
    int flavour;
    std::function<void(Files&)> spoil;
    Outcome outcome;
    int64_t records;            // when it opens
    int64_t unreadableRecord;   // a record whose memo reads nullopt, or -1
};

// The sample table (64-byte memo blocks) has a 193-byte header and 62-byte
// records; its first memo starts at byte 512 of the memo file (block 8, or
// block 1 of dBase III's 512-byte blocks). Visual FoxPro's header is 456
// bytes.
constexpr size_t kHeader = 193;
constexpr size_t kRecord = 62;
constexpr size_t kMemoField = 1 + 30 + 12 + 1 + 8;

const BadCase kCases[] = {
    {"TooShortForAHeader", 0, [](Files& f) { f.table.resize(10); }, Outcome::OpenFails, 0, -1},
    {"CutInsideTheDescriptors", 0, [](Files& f) { f.table.resize(100); }, Outcome::OpenFails, 0, -1},
    {"CutInsideTheThirdRecord", 0, [](Files& f) { f.table.resize(kHeader + 2 * kRecord + 20); }, Outcome::Opens, 2, -1},
    {"CountFarBeyondTheFile", 0, [](Files& f) { putLe32(f.table, 4, 0xFFFFFFFF); }, Outcome::Opens, 4, -1},
    {"HeaderLengthZero", 0, [](Files& f) { putLe16(f.table, 8, 0); }, Outcome::OpenFails, 0, -1},
    {"HeaderLengthBelowTheDescriptors", 0, [](Files& f) { putLe16(f.table, 8, 100); }, Outcome::OpenFails, 0, -1},
    {"HeaderLengthPastTheFile", 0, [](Files& f) { putLe16(f.table, 8, 0xFFFF); }, Outcome::OpenFails, 0, -1},
    {"HeaderLengthInsideTheRecords", 0, [](Files& f) { putLe16(f.table, 8, kHeader + 40); }, Outcome::Opens, 3, -1},
    {"TerminatorMissing", 0, [](Files& f) { f.table[kHeader - 1] = 'X'; }, Outcome::OpenFails, 0, -1},
    {"RecordLengthShorterThanTheFields", 0, [](Files& f) { putLe16(f.table, 10, 20); }, Outcome::OpenFails, 0, -1},
    {"RecordLengthZero", 0, [](Files& f) { putLe16(f.table, 10, 0); }, Outcome::OpenFails, 0, -1},
    {"RecordLengthLongerThanTheFields", 0, [](Files& f) { putLe16(f.table, 10, 100); }, Outcome::Opens, 2, -1},
    {"UnknownVersionByte", 0, [](Files& f) { f.table[0] = char(0x99); }, Outcome::OpenFails, 0, -1},
    {"FieldWidthsPastTheRecord", 0, [](Files& f) { f.table[32 + 16] = char(0xFF); }, Outcome::OpenFails, 0, -1},
    {"MemoPointerPastTheEnd", 0,
     [](Files& f) { f.table.replace(kHeader + kMemoField, 10, "  99999999"); }, Outcome::Opens, 4, 0},
    {"MemoPointerNotANumber", 0,
     [](Files& f) { f.table.replace(kHeader + kMemoField, 10, "     12ab "); }, Outcome::Opens, 4, 0},
    {"MemoPointerIntoTheHeader", 2,
     [](Files& f) { f.table.replace(kHeader + kMemoField, 10, "         3"); }, Outcome::Opens, 4, 0},
    {"DbaseIvMemoLengthLies", 2, [](Files& f) { putLe32(f.memo, 512 + 4, 0x7FFFFFFF); }, Outcome::Opens, 4, 0},
    {"DbaseIvMemoLengthBelowItsHeader", 2, [](Files& f) { putLe32(f.memo, 512 + 4, 3); }, Outcome::Opens, 4, 0},
    {"FoxProMemoLengthLies", 1, [](Files& f) { putBe32(f.memo, 512 + 4, 0xFFFFFFF0); }, Outcome::Opens, 4, 0},
    {"FoxProBlockSizeZero", 1, [](Files& f) { putLe32(f.memo, 4, 0); }, Outcome::Opens, 4, 0},
    {"SmtMemoLengthLies", 4,
     [](Files& f) { putLe32(f.table, kHeader + kMemoField + 2, 0x7FFFFFFF); }, Outcome::Opens, 4, 0},
    {"SmtBlockPastTheEnd", 4,
     [](Files& f) { putLe32(f.table, kHeader + kMemoField + 6, 0xFFFFFFFF); }, Outcome::Opens, 4, 0},
    {"VfpPointerIntoTheHeaderBlocks", 3,
     [](Files& f) { putLe32(f.table, 456 + 1 + 30 + 12 + 1 + 8, 1); }, Outcome::Opens, 4, 0},
    {"MemoFileTruncated", 1, [](Files& f) { f.memo.resize(520); }, Outcome::Opens, 4, 0},
    {"MemoFileShorterThanItsHeader", 0, [](Files& f) { f.memo.resize(5); }, Outcome::Opens, 4, 0},
    {"DbaseIiiMemoWithoutTerminator", 0,
     [](Files& f) { f.memo.resize(512 + 10); }, Outcome::Opens, 4, -1},
};

const char* memoName(int flavour)
{
    switch (flavour) {
    case 1:
    case 3:
        return "/b.fpt";
    case 4:
        return "/b.smt";
    default:
        return "/b.dbt";
    }
}

class MalformedInputTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(MalformedInputTest, OpensOnlyWhatIsThereAndNeverCrashes)
{
    const BadCase& c = GetParam();
    auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
    std::string error;
    {
        xbtable writer(files);
        ASSERT_TRUE(dbftest::writeSampleTable(writer, "/b.dbf", c.flavour, 64, error)) << error;
    }
    Files bytes {*files->get("/b.dbf"), *files->get(memoName(c.flavour))};
    c.spoil(bytes);
    files->put("/b.dbf", bytes.table);
    files->put(memoName(c.flavour), bytes.memo);

    xbtable table(files);
    table.setEncoding(11);
    bool opened = table.openDBFfile("/b.dbf");
    if (c.outcome == Outcome::OpenFails) {
        EXPECT_FALSE(opened);
        EXPECT_FALSE(table.lastError().empty());
        EXPECT_EQ(table.recCount(), 0);
        EXPECT_EQ(table.fieldCount(), 0);
        return;
    }
    ASSERT_TRUE(opened) << table.lastError();
    EXPECT_EQ(table.recCount(), c.records);
    for (int64_t row = 0; row < table.recCount(); ++row) {
        ASSERT_TRUE(table.getRecord(row));
        for (int64_t i = 0; i < table.fieldCount(); ++i)
            (void)table.getString(i);
    }
    if (c.unreadableRecord >= 0) {
        ASSERT_TRUE(table.getRecord(c.unreadableRecord));
        EXPECT_FALSE(table.getString(4).has_value());
        EXPECT_TRUE(table.getString(0).has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedInputTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

// Inputs the fuzzer made (one per version byte and memo file it reached),
// replayed as fuzz_dbf runs them: open, read every field, append, read
// again. The fuzzer found no crash; these keep its paths in the normal
// suite and the sanitizer build.
TEST(MalformedInputTest, FuzzerInputsReadWithoutHarm)
{
    std::filesystem::path dir = testsupport::sourceDir() / "tests/module/dbf/fuzz_inputs";
    ASSERT_TRUE(std::filesystem::is_directory(dir));
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::string input = testsupport::readFile(entry.path());
        ASSERT_GE(input.size(), 5u);
        auto byte = [&](size_t i) { return uint32_t(static_cast<unsigned char>(input[i])); };
        uint32_t length = byte(1) | byte(2) << 8 | byte(3) << 16 | byte(4) << 24;
        std::string rest = input.substr(5);
        length = std::min<uint32_t>(length, uint32_t(rest.size()));
        auto files = std::make_shared<ll::dbf::MemoryFileSystem>(int64_t(4) << 20);
        files->put("/t/f.dbf", rest.substr(0, length));
        const char* memo[] = {"/t/f.dbt", "/t/f.fpt", "/t/f.smt", "/t/f.DBT"};
        files->put(memo[byte(0) & 3], rest.substr(length));
        xbtable table(files);
        table.setEncoding(11);
        for (int pass = 0; pass < 2; ++pass) {
            if (!table.openDBFfile("/t/f.dbf"))
                break;
            for (int64_t row = 0; row < table.recCount(); ++row) {
                ASSERT_TRUE(table.getRecord(row));
                for (int64_t i = 0; i < table.fieldCount(); ++i)
                    (void)table.getString(i);
            }
            table.clearRecord();
            for (int64_t i = 0; i < table.fieldCount(); ++i)
                (void)table.setField(i, "20240229123456", 12.5);
            (void)table.appendRecord(0);
            table.closeDBFfile();
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 10);
}

} // namespace
