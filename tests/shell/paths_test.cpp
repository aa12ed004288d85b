#include <gtest/gtest.h>

#include "shell/paths.h"

TEST(PathsTest, TextRules)
{
    EXPECT_EQ(paths::lastComponent("/out/a.b.dbf"), "a.b.dbf");
    EXPECT_EQ(paths::lastComponent("/out/dir/"), "dir");
    EXPECT_EQ(paths::deletingLastComponent("/out/a.dbf"), "/out");
    EXPECT_EQ(paths::deletingLastComponent("a.dbf"), "");
    EXPECT_EQ(paths::deletingLastComponent("/a"), "/");
    EXPECT_EQ(paths::appendingComponent("/out", "a.dbf"), "/out/a.dbf");
    EXPECT_EQ(paths::appendingComponent("/out/", "a.dbf"), "/out/a.dbf");
    EXPECT_EQ(paths::appendingComponent("", "a.dbf"), "a.dbf");
    EXPECT_EQ(paths::extension("/in/book.XLSX"), "XLSX");
    EXPECT_EQ(paths::extension("/in.d/book"), "");
    EXPECT_EQ(paths::extension("/in/.hidden"), "");
    EXPECT_EQ(paths::deletingExtension("/out/a.b.dbf"), "/out/a.b");
    EXPECT_EQ(paths::deletingExtension("/out/Sheet1"), "/out/Sheet1");
}
