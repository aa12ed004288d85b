// Output targets and the overwrite policy, against real files.

#include <gtest/gtest.h>

#include "options/my_options.h"
#include "shell/shell.h"
#include "support/recording_view.h"
#include "support/test_support.h"

using testsupport::TempDir;

namespace {

struct TargetsFixture : testing::Test {
    TargetsFixture()
    {
        options.setDefaultExtension(QStringLiteral("dbf"));
        options.setSeparateFiles(1);
    }
    QString path(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
    void touch(const std::string& name, const std::string& bytes = "old") const { testsupport::writeFile(dir.file(name), bytes); }
    std::string bytesOf(const std::string& name) const { return testsupport::readFile(dir.file(name)); }

    TempDir dir;
    myOptions options;
    RecordingView view;
    ImmediateMainThread main;
    Shell shell{options, view, main};
};

struct NamingCase {
    const char* output;   // relative to the temp dir; "/" marks a folder that exists
    int separateFiles;
    const char* table;    // nullptr: no table name
    const char* expected; // relative to the temp dir
};

class NamingTest : public TargetsFixture, public testing::WithParamInterface<NamingCase> {};

TEST_P(NamingTest, TargetFollowsOutputAndSeparation)
{
    const NamingCase& c = GetParam();
    std::filesystem::create_directories(dir.path() / "out");
    options.setOutputFile(path(c.output));
    options.setSeparateFiles(c.separateFiles);
    std::optional<QString> table;
    if (c.table)
        table = QString::fromUtf8(c.table);
    EXPECT_EQ(shell.prepareTarget(path("in/book.xls"), table), kTargetWrite);
    EXPECT_EQ(options.target(), path(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, NamingTest,
    testing::Values(NamingCase{"out", 1, "Sheet1", "out/Sheet1.dbf"},          // folder: one file per table
                    NamingCase{"out/all.dbf", 1, "Sheet2", "out/Sheet2.dbf"}, // a file name is ignored
                    NamingCase{"out", 0, "Sheet1", "out/Sheet1.dbf"},
                    NamingCase{"out/all.dbf", 0, "Sheet1", "out/all.dbf"},    // one table for everything
                    NamingCase{"out", 1, nullptr, "out/book.dbf"},            // no table: the source's name
                    NamingCase{"out", 1, "Лист 1", "out/Лист 1.dbf"}));

TEST_F(TargetsFixture, OverwriteDeletesOncePerRun)
{
    options.setOutputFile(path("all.dbf"));
    options.setSeparateFiles(0);
    options.setOverwriteFile(kOverwrite);
    touch("all.dbf");
    EXPECT_EQ(shell.prepareTarget(path("book.xls"), QString("Sheet1")), kTargetWrite);
    EXPECT_FALSE(std::filesystem::exists(dir.file("all.dbf")));
    EXPECT_EQ(options.deletedFile(), path("all.dbf"));
    touch("all.dbf", "written by the first table");
    EXPECT_EQ(shell.prepareTarget(path("book.xls"), QString("Sheet2")), kTargetWrite);
    EXPECT_EQ(bytesOf("all.dbf"), "written by the first table");
    EXPECT_TRUE(view.questions.isEmpty());
}

struct PolicyCase {
    int code;
    std::vector<int> answers; // for code 4
    int decision;
    const char* target;       // expected target, relative
    bool keepsBytes;          // the existing Sheet1.dbf is untouched
};

class PolicyTest : public TargetsFixture, public testing::WithParamInterface<PolicyCase> {};

TEST_P(PolicyTest, ExistingTargetFollowsTheCode)
{
    const PolicyCase& c = GetParam();
    options.setOutputFile(path(""));
    options.setOverwriteFile(c.code);
    view.answers.assign(c.answers.begin(), c.answers.end());
    touch("Sheet1.dbf", "existing bytes");
    touch("Sheet1.1.dbf");
    int decision = shell.prepareTarget(path("book.xls"), QString("Sheet1"));
    EXPECT_EQ(decision, c.decision);
    if (decision != kTargetStop) {
        EXPECT_EQ(options.target(), path(c.target));
    }
    EXPECT_EQ(bytesOf("Sheet1.dbf") == "existing bytes", c.keepsBytes);
    if (c.code == kAsk)
        EXPECT_EQ(view.questions, QStringList{path("book.xls") + " [Sheet1] -> " + path("Sheet1.dbf")});
    else
        EXPECT_TRUE(view.questions.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PolicyTest,
    testing::Values(PolicyCase{kOverwrite, {}, kTargetWrite, "Sheet1.dbf", false},
                    PolicyCase{kUse, {}, kTargetWrite, "Sheet1.dbf", true},
                    PolicyCase{kSkip, {}, kTargetSkip, "Sheet1.dbf", true},
                    PolicyCase{kUniqueName, {}, kTargetWrite, "Sheet1.2.dbf", true},
                    PolicyCase{kAsk, {kUse}, kTargetWrite, "Sheet1.dbf", true},
                    PolicyCase{kAsk, {kUniqueName}, kTargetWrite, "Sheet1.2.dbf", true},
                    PolicyCase{kAsk, {kSkip}, kTargetSkip, "Sheet1.dbf", true},
                    PolicyCase{kAsk, {kOverwrite}, kTargetWrite, "Sheet1.dbf", false},
                    PolicyCase{kAsk, {kAsk}, kTargetStop, "", true}, // Cancel
                    PolicyCase{17, {}, kTargetWrite, "Sheet1.dbf", false})); // unknown code overwrites

TEST(CreateUniqueNameTest, CountsUpBeforeTheExtension)
{
    TempDir dir;
    auto path = [&](const std::string& name) { return QString::fromStdString(dir.file(name)); };
    EXPECT_EQ(CreateUniqueName(path("Sheet1.dbf")), path("Sheet1.dbf")); // free already
    testsupport::writeFile(dir.file("Sheet1.dbf"), "");
    EXPECT_EQ(CreateUniqueName(path("Sheet1.dbf")), path("Sheet1.1.dbf"));
    testsupport::writeFile(dir.file("Sheet1.1.dbf"), "");
    EXPECT_EQ(CreateUniqueName(path("Sheet1.dbf")), path("Sheet1.2.dbf"));
    testsupport::writeFile(dir.file("a.b.dbf"), "");
    EXPECT_EQ(CreateUniqueName(path("a.b.dbf")), path("a.1.dbf")); // a dotted stem loses its last part
}

TEST(AskForTableTest, AsksOnlyForCodeFour)
{
    myOptions options;
    RecordingView view;
    ImmediateMainThread main;
    Shell shell(options, view, main);
    options.setOverwriteTable(kSkip);
    EXPECT_EQ(shell.askForTable("T"), kSkip);
    options.setOverwriteTable(kAsk);
    view.answers = {kUse, kAsk};
    EXPECT_EQ(shell.askForTable("T"), kUse);
    EXPECT_EQ(shell.askForTable("T"), -1);
    EXPECT_EQ(view.questions, QStringList({"T -> T [table]", "T -> T [table]"}));
}

} // namespace
