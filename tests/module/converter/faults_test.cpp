// Whole conversions meeting a hostile file system: a folder that goes away
// mid-run, a disk that fills up, a target that cannot be written, a source
// that disappears after listing. The run says why and goes on, and every
// table left behind is whole: its header counts exactly the records on disk.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "module/dbf/xbtable.h"
#include "support/headless_run.h"
#include "support/test_support.h"
#include "support/xlsx_builder.h"

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::XlsxBuilder;

namespace {

uint32_t le32(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

// The header's count against the file's size (with or without the end
// mark), and every counted record read back. Returns the count, or -1.
int64_t wholeTableRecords(const fs::path& path)
{
    std::string bytes = testsupport::readFile(path);
    if (bytes.size() < 32)
        return -1;
    uint32_t count = le32(bytes, 4);
    size_t headerLength = uint8_t(bytes[8]) | uint8_t(bytes[9]) << 8;
    size_t recordLength = uint8_t(bytes[10]) | uint8_t(bytes[11]) << 8;
    size_t data = headerLength + size_t(count) * recordLength;
    bool sizeFits = bytes.size() == data || (bytes.size() == data + 1 && bytes.back() == '\x1A');
    EXPECT_TRUE(sizeFits) << path << ": " << count << " records of " << recordLength << " after " << headerLength
                          << " header bytes, file of " << bytes.size();
    xbtable table;
    if (!sizeFits || !table.openDBFfile(path.string()) || table.recCount() != count)
        return -1;
    for (int64_t r = 0; r < count; ++r)
        if (!table.getRecord(r))
            return -1;
    return count;
}

// Caps the size of every file this process writes, as a full disk would:
// writes past the cap fail with EFBIG instead of raising SIGXFSZ.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = saved_;
        capped.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeCap()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

struct FaultsFixture : testing::Test {
    FaultsFixture()
    {
        fs::create_directories(outDir());
        run.options.setOutputFile(QString::fromStdString(outDir().string() + "/"));
    }
    fs::path outDir() const { return dir.path() / "out"; }
    fs::path out(const std::string& name) const { return outDir() / name; }
    QString save(const XlsxBuilder& builder, const std::string& name)
    {
        EXPECT_TRUE(builder.save(dir.file(name)));
        return QString::fromStdString(dir.file(name));
    }
    // A sheet per name, each of `rows` records of a number and a 60-byte text.
    QString book(const std::string& name, std::initializer_list<const char*> sheets, int rows)
    {
        XlsxBuilder builder;
        for (const char* sheet : sheets) {
            builder.sheet(sheet);
            for (int r = 0; r < rows; ++r)
                builder.number(r, 0, r).text(r, 1, std::string(50, 'a' + r % 26) + std::to_string(1000000000 + r));
        }
        return save(builder, name);
    }
    bool convert(const QString& path)
    {
        QStringList all;
        return run.module.convertFile(path, all);
    }
    bool logged(const QString& text) const { return run.view.logText().contains(text); }

    TempDir dir;
    HeadlessRun run;
};

TEST_F(FaultsFixture, OutputFolderRemovedMidRun)
{
    // Output named as a file in the folder: with the folder itself as the
    // output, a vanished folder reads as a file name and the tables go to
    // its parent.
    run.options.setOutputFile(QString::fromStdString(out("book.dbf").string()));
    QString first = book("first.xlsx", {"A", "B"}, 40);
    QString second = book("second.xlsx", {"C"}, 5);
    bool removed = false;
    run.view.onProgress = [&](double value) {
        if (value >= 10 && !removed)
            removed = fs::remove_all(outDir()) > 0;
    };
    EXPECT_TRUE(convert(first));
    EXPECT_TRUE(convert(second));
    ASSERT_TRUE(removed);
    // The table being written went with its folder; the next ones cannot be
    // created, and each failure is logged once.
    EXPECT_TRUE(logged(QString::fromUtf8("The file “A.dbf” couldn’t be read because there is no such file.")))
        << run.view.logText().toStdString();
    EXPECT_TRUE(logged("Cannot create output file: " + QString::fromStdString(out("B.dbf").string())));
    EXPECT_TRUE(logged("Cannot create output file: " + QString::fromStdString(out("C.dbf").string())));
    EXPECT_EQ(run.shell.outputsNotCreated(), 2);
    EXPECT_FALSE(fs::exists(outDir()));
}

TEST_F(FaultsFixture, FullDiskLeavesWholeTablesAndTheRunGoesOn)
{
    QString big = book("big.xlsx", {"Big"}, 3000);    // about 200 KB of records
    QString small = book("small.xlsx", {"Small"}, 3); // fits
    {
        FileSizeCap cap(64 * 1024);
        EXPECT_TRUE(convert(big));
        EXPECT_TRUE(convert(small));
    }
    int64_t kept = wholeTableRecords(out("Big.dbf"));
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 3000);
    EXPECT_EQ(wholeTableRecords(out("Small.dbf")), 3);
    EXPECT_TRUE(logged("Done, 3 records"));
}

TEST_F(FaultsFixture, AppendingMeetsAFullDiskAndKeepsTheOldRecords)
{
    run.options.setOverwriteFile(1); // use the existing table
    EXPECT_TRUE(convert(book("old.xlsx", {"T"}, 100)));
    std::string before = testsupport::readFile(out("T.dbf"));
    QString more = book("new.xlsx", {"T"}, 3000);
    {
        FileSizeCap cap(before.size() + 10000);
        EXPECT_TRUE(convert(more));
    }
    int64_t kept = wholeTableRecords(out("T.dbf"));
    EXPECT_GT(kept, 100);
    EXPECT_LT(kept, 3100);
    std::string after = testsupport::readFile(out("T.dbf"));
    size_t header = uint8_t(before[8]) | uint8_t(before[9]) << 8;
    EXPECT_EQ(after.substr(header, before.size() - 1 - header), before.substr(header, before.size() - 1 - header));
}

TEST_F(FaultsFixture, CancelWhileAppendingKeepsAWholeTable)
{
    run.options.setOverwriteFile(1);
    EXPECT_TRUE(convert(book("old.xlsx", {"T"}, 10)));
    run.breakAtRecord(7);
    EXPECT_FALSE(convert(book("new.xlsx", {"T"}, 50)));
    EXPECT_EQ(wholeTableRecords(out("T.dbf")), 17);
}

// A target that exists but cannot be opened as a table (here a folder, which
// even a privileged user cannot write as a file): nothing is deleted, the
// failure is logged, and the next workbook converts.
TEST_F(FaultsFixture, TargetThatCannotBeWrittenIsLoggedAndKept)
{
    for (int code : {0, 1}) { // overwrite, use
        SCOPED_TRACE(code);
        fs::remove_all(outDir());
        fs::create_directories(out("A.dbf"));
        testsupport::writeFile(out("A.dbf") / "inside", "kept");
        run.options.setOverwriteFile(code);
        run.options.setDeletedFile(QString());
        EXPECT_TRUE(convert(book("first.xlsx", {"A"}, 3)));
        EXPECT_TRUE(convert(book("second.xlsx", {"B"}, 3)));
        EXPECT_TRUE(logged("Cannot create output file: " + QString::fromStdString(out("A.dbf").string())));
        EXPECT_EQ(testsupport::readFile(out("A.dbf") / "inside"), "kept");
        EXPECT_EQ(wholeTableRecords(out("B.dbf")), 3);
    }
}

TEST_F(FaultsFixture, ReadOnlyTableIsNotAppendedTo)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind a privileged user";
    run.options.setOverwriteFile(1);
    EXPECT_TRUE(convert(book("old.xlsx", {"T"}, 3)));
    std::string before = testsupport::readFile(out("T.dbf"));
    fs::permissions(out("T.dbf"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(convert(book("new.xlsx", {"T"}, 3)));
    EXPECT_TRUE(logged("Cannot create output file: " + QString::fromStdString(out("T.dbf").string())))
        << run.view.logText().toStdString();
    EXPECT_EQ(testsupport::readFile(out("T.dbf")), before);
}

TEST_F(FaultsFixture, SourceDeletedAfterListing)
{
    QString gone = book("gone.xlsx", {"A", "B"}, 3);
    QString next = book("next.xlsx", {"C"}, 3);
    QStringList tables = run.module.getTables(gone);
    ASSERT_EQ(tables, (QStringList{"A", "B"}));
    fs::remove(gone.toStdString());
    EXPECT_TRUE(run.module.convertFile(gone, tables));
    EXPECT_TRUE(convert(next));
    EXPECT_TRUE(logged("Cannot open file: " + gone + "\n"));
    EXPECT_EQ(run.shell.filesNotOpened(), 1);
    EXPECT_FALSE(fs::exists(out("A.dbf")));
    EXPECT_EQ(wholeTableRecords(out("C.dbf")), 3);
}

} // namespace
