// A disk that fills up under the engine: while a table is created, while
// records are appended, while memos are written, and when the header's
// count cannot be updated. The call that meets the failure returns false
// with a reason, and what stays on disk is a valid table whose header
// counts exactly the records that are wholly there.
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "dbf_test_support.h"
#include "faulty_file_system.h"
#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"

namespace {

using dbftest::FaultyFileSystem;

constexpr int kRecords = 5000;

std::string memoText(int i)
{
    return i % 2 ? "памятка " + std::to_string(i) : "";
}

// Creates a FoxPro table (N, C, M) through files and appends until a call
// fails or all records are in; returns how many appends succeeded.
int fillUntilFailure(const std::shared_ptr<ll::dbf::FileSystem>& files, std::string& error)
{
    xbtable table(files);
    table.setEncoding(11);
    if (!table.prepareNewTable(1, 64, 0) || !table.addField("n", 'N', 8, 0) || !table.addField("c", 'C', 20, 0)
        || !table.addField("m", 'M', 10, 0) || !table.createTable("/f.dbf")) {
        error = table.lastError();
        return -1;
    }
    int appended = 0;
    for (int i = 0; i < kRecords; ++i) {
        table.clearRecord();
        table.setField(0, std::to_string(i), i);
        table.setField(1, "запись " + std::to_string(i), 0);
        table.setField(2, memoText(i), 0);
        if (!table.appendRecord(0)) {
            error = table.lastError();
            break;
        }
        ++appended;
    }
    table.closeDBFfile();
    if (error.empty())
        error = table.lastError();
    return appended;
}

// The table on disk is whole: the header counts what the file holds, and
// every counted record (and its memo) reads back as written.
void expectValidTable(const std::shared_ptr<ll::dbf::MemoryFileSystem>& disk, int atMost)
{
    std::string bytes = disk->get("/f.dbf").value_or("");
    ASSERT_GE(bytes.size(), 32u);
    const uint32_t count = dbftest::headerCount(bytes);
    const uint64_t end = dbftest::headerLength(bytes) + uint64_t(count) * dbftest::recordLength(bytes);
    EXPECT_TRUE(bytes.size() == end || (bytes.size() == end + 1 && bytes.back() == '\x1A'))
        << "file " << bytes.size() << " bytes, header says " << end;
    EXPECT_LE(int(count), atMost);
    xbtable table(disk);
    table.setEncoding(11);
    ASSERT_TRUE(table.openDBFfile("/f.dbf")) << table.lastError();
    ASSERT_EQ(table.recCount(), int64_t(count));
    for (int64_t i = 0; i < int64_t(count); ++i) {
        ASSERT_TRUE(table.getRecord(i));
        ASSERT_EQ(table.getString(0).value_or(""), std::to_string(i));
        ASSERT_EQ(table.getString(1).value_or(""), "запись " + std::to_string(i));
        ASSERT_EQ(table.getString(2).value_or("<unreadable>"), memoText(int(i)));
    }
}

TEST(FaultInjectionTest, AFullDiskWhileCreatingLeavesNoFile)
{
    for (const char* suffix : {".dbf", ".fpt"}) {
        for (int64_t budget : {0, 10, 100}) {
            auto disk = std::make_shared<ll::dbf::MemoryFileSystem>();
            std::string error;
            int appended = fillUntilFailure(std::make_shared<FaultyFileSystem>(disk, suffix, budget), error);
            EXPECT_EQ(appended, -1) << suffix << " " << budget;
            EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
            EXPECT_FALSE(disk->exists("/f.dbf"));
            EXPECT_FALSE(disk->exists("/f.fpt"));
        }
    }
}

TEST(FaultInjectionTest, AFullDiskWhileAppendingKeepsTheCountTrue)
{
    // Budgets that end inside the first, second and a later record buffer,
    // on a record boundary and in the middle of one.
    for (int64_t budget : {1000, 65536 + 200, 65536 * 2 + 39 * 7, 150000}) {
        SCOPED_TRACE(budget);
        auto disk = std::make_shared<ll::dbf::MemoryFileSystem>();
        std::string error;
        int appended = fillUntilFailure(std::make_shared<FaultyFileSystem>(disk, ".dbf", budget), error);
        // The failure shows at the append that fills the buffer, or at close.
        EXPECT_GE(appended, 0);
        EXPECT_FALSE(error.empty());
        expectValidTable(disk, appended);
    }
}

TEST(FaultInjectionTest, AFullMemoDiskNeverLeavesPointersToUnwrittenBlocks)
{
    for (int64_t budget : {600, 5000, 70000}) {
        SCOPED_TRACE(budget);
        auto disk = std::make_shared<ll::dbf::MemoryFileSystem>();
        std::string error;
        int appended = fillUntilFailure(std::make_shared<FaultyFileSystem>(disk, ".fpt", budget), error);
        EXPECT_FALSE(error.empty());
        expectValidTable(disk, appended);
    }
}

TEST(FaultInjectionTest, AHeaderThatCannotBeUpdatedCountsNothingNew)
{
    auto disk = std::make_shared<ll::dbf::MemoryFileSystem>();
    std::string error;
    int appended = fillUntilFailure(std::make_shared<FaultyFileSystem>(disk, ".dbf", INT64_MAX, true), error);
    EXPECT_LT(appended, kRecords);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    expectValidTable(disk, 0);
}

// A file that opens only for reading (read-only on disk): the table opens
// for reading, says it is not writable, refuses records and keeps its bytes.
TEST(FaultInjectionTest, AReadOnlyTableOpensForReadingOnly)
{
    class ReadOnlyFiles final : public ll::dbf::FileSystem {
    public:
        explicit ReadOnlyFiles(std::shared_ptr<ll::dbf::FileSystem> inner) : inner_(std::move(inner)) {}
        std::unique_ptr<ll::dbf::File> open(const std::string& path, ll::dbf::OpenMode mode, int& errorCode) override
        {
            if (mode != ll::dbf::OpenMode::Read) {
                errorCode = EACCES;
                return nullptr;
            }
            return inner_->open(path, mode, errorCode);
        }
        bool exists(const std::string& path) override { return inner_->exists(path); }
        bool remove(const std::string&) override { return false; }

    private:
        std::shared_ptr<ll::dbf::FileSystem> inner_;
    };

    auto disk = std::make_shared<ll::dbf::MemoryFileSystem>();
    std::string error;
    ASSERT_EQ(fillUntilFailure(disk, error), kRecords) << error;
    const std::string before = disk->get("/f.dbf").value_or("");
    xbtable table(std::make_shared<ReadOnlyFiles>(disk));
    ASSERT_TRUE(table.openDBFfile("/f.dbf"));
    EXPECT_FALSE(table.isWritable());
    EXPECT_EQ(table.recCount(), kRecords);
    table.clearRecord();
    EXPECT_FALSE(table.appendRecord(0));
    table.closeDBFfile();
    EXPECT_EQ(disk->get("/f.dbf").value_or(""), before);
}

// A run killed between appends: whatever was flushed last is a whole table.
TEST(FaultInjectionTest, ATableLeftOpenIsValidAfterEveryFlush)
{
    auto disk = std::make_shared<ll::dbf::MemoryFileSystem>();
    xbtable table(disk);
    table.setEncoding(11);
    ASSERT_TRUE(table.prepareNewTable(1, 64, 0));
    ASSERT_TRUE(table.addField("n", 'N', 8, 0));
    ASSERT_TRUE(table.addField("c", 'C', 20, 0));
    ASSERT_TRUE(table.addField("m", 'M', 10, 0));
    ASSERT_TRUE(table.createTable("/f.dbf"));
    uint32_t lastCount = 0;
    for (int i = 0; i < kRecords; ++i) {
        table.clearRecord();
        table.setField(0, std::to_string(i), i);
        table.setField(1, "запись " + std::to_string(i), 0);
        table.setField(2, memoText(i), 0);
        ASSERT_TRUE(table.appendRecord(0));
        uint32_t count = dbftest::headerCount(disk->get("/f.dbf").value_or(std::string(32, '\0')));
        if (count != lastCount) {
            // Copy the files as a killed process would leave them.
            auto snapshot = std::make_shared<ll::dbf::MemoryFileSystem>();
            snapshot->put("/f.dbf", *disk->get("/f.dbf"));
            snapshot->put("/f.fpt", *disk->get("/f.fpt"));
            expectValidTable(snapshot, i + 1);
            lastCount = count;
        }
    }
    EXPECT_GT(lastCount, 0u);
}

} // namespace
