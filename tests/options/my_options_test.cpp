#include <gtest/gtest.h>

#include <thread>

#include "options/logical_value.h"
#include "options/my_options.h"

namespace {

TEST(MyOptionsTest, FreshRecordIsZeroAndAbsent)
{
    myOptions options;
    EXPECT_EQ(options.separateFiles(), 0);
    EXPECT_EQ(options.targetCharset(), 0);
    EXPECT_FALSE(options.shouldBreak());
    EXPECT_FALSE(options.outputFile().has_value());
    EXPECT_FALSE(options.targets().has_value());
}

TEST(MyOptionsTest, AddTargetKeepsEachPathOnce)
{
    myOptions options;
    EXPECT_TRUE(options.addTarget("/out/a.dbf"));
    EXPECT_TRUE(options.addTarget("/out/b.dbf"));
    EXPECT_FALSE(options.addTarget("/out/a.dbf"));
    EXPECT_EQ(options.targets(), QStringList({"/out/a.dbf", "/out/b.dbf"}));
}

TEST(MyOptionsTest, ListsGrowFromAbsent)
{
    myOptions options;
    options.appendOnlytable("Sheet1");
    options.appendOnlytable("Sheet2");
    options.appendXchg("NAME=x");
    EXPECT_EQ(options.onlytables(), QStringList({"Sheet1", "Sheet2"}));
    EXPECT_EQ(options.xchg(), QStringList({"NAME=x"}));
}

// A worker appending targets while the window replaces texts: run under
// ThreadSanitizer this proves the record needs no outside lock.
TEST(MyOptionsTest, SharedBetweenThreads)
{
    myOptions options;
    std::thread worker([&] {
        for (int i = 0; i < 1000; ++i) {
            options.addTarget(QString::number(i % 10));
            options.setTarget(QString::number(i));
            (void)options.shouldBreak();
        }
    });
    for (int i = 0; i < 1000; ++i) {
        options.setOutputFile(QString::number(i));
        (void)options.targets();
        (void)options.target();
    }
    options.setShouldBreak(true);
    worker.join();
    EXPECT_EQ(options.targets()->size(), 10);
}

struct LogicalCase {
    int64_t logical;
    std::optional<QString> yes;
    std::optional<QString> no;
    const char* input;
    const char* expected;
};

class LogicalValueTest : public testing::TestWithParam<LogicalCase> {};

TEST_P(LogicalValueTest, FollowsTheSetting)
{
    const LogicalCase& c = GetParam();
    myOptions options;
    options.setLogical(c.logical);
    options.setYesValue(c.yes);
    options.setNoValue(c.no);
    EXPECT_EQ(GetLogicalValue(options, QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LogicalValueTest,
    testing::Values(LogicalCase{0, {}, {}, "1", "1"},
                    LogicalCase{5, {}, {}, "1", "1"},
                    LogicalCase{-1, {}, {}, "0", "0"},
                    LogicalCase{1, {}, {}, "T", "1"},
                    LogicalCase{1, {}, {}, "Tt", "1"},   // a run inside "TtYy1"
                    LogicalCase{1, {}, {}, "TY", "0"},   // not a run
                    LogicalCase{1, {}, {}, "True", "0"}, // longer than any run
                    LogicalCase{1, {}, {}, "", "0"},
                    LogicalCase{2, {}, {}, "1", "TRUE"},
                    LogicalCase{2, {}, {}, "0", "FALSE"},
                    LogicalCase{3, {}, {}, "y", "Yes"},
                    LogicalCase{3, {}, {}, "F", "No"},
                    LogicalCase{4, QString("Ja"), QString("Nein"), "1", "Ja"},
                    LogicalCase{4, QString("Ja"), QString("Nein"), "0", "Nein"},
                    LogicalCase{4, QString("Ja"), {}, "1", "Ja"},
                    LogicalCase{4, QString("Ja"), {}, "0", "0"},  // no "no" text: unchanged
                    LogicalCase{4, {}, QString("Nein"), "1", "1"}, // no "yes" text: unchanged
                    LogicalCase{4, QString("Да"), QString(""), "0", ""}));

} // namespace
