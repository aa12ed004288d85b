// The code-page byte (offset 29) of a new table follows the character set
// the text is written in; character sets that readers know no byte for get 0.
#include <gtest/gtest.h>

#include <memory>

#include "module/dbf/memory_file_system.h"
#include "module/dbf/xbtable.h"

namespace {

TEST(CodePageMarkTest, TheMarkNamesTheCodePageOfTheText)
{
    const struct {
        uint32_t charset;
        const char* name;
        uint8_t mark;
    } cases[] = {
        {11, "Windows-1251", 0xC9},       {12, "Windows-1252", 0x03},       {13, "Windows-1253", 0xCB},
        {14, "Windows-1254", 0xCA},       {15, "Windows-1250", 0xC8},       {8, "Windows-932", 0x7B},
        {30, "Mac Roman", 0x04},          {0x80000400, "DOS 437", 0x01},    {0x80000410, "DOS 850", 0x02},
        {0x80000412, "DOS 852", 0x64},    {0x8000041B, "DOS 866", 0x65},    {0x8000041A, "DOS 865", 0x66},
        {0x80000416, "DOS 861", 0x67},    {0x80000505, "Windows-1255", 0x7D}, {0x80000506, "Windows-1256", 0x7E},
        {0x80000507, "Windows-1257", 0xCC}, {0x80000421, "Windows-936", 0x7A}, {0x80000423, "Windows-950", 0x78},
        {0x8000041D, "Windows-874", 0x7C}, {0x80000007, "Mac Cyrillic", 0x96}, {4, "UTF-8", 0x00},
        {1, "ASCII", 0x00},               {0x80000A02, "KOI8-R", 0x00},     {5, "ISO 8859-1", 0x00},
        {10, "UTF-16", 0x00},
    };
    for (const auto& c : cases) {
        auto files = std::make_shared<ll::dbf::MemoryFileSystem>();
        {
            xbtable table(files);
            table.setEncoding(int32_t(c.charset));
            ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
            ASSERT_TRUE(table.addField("a", 'C', 1, 0));
            ASSERT_TRUE(table.createTable("/cp.dbf"));
        }
        EXPECT_EQ(static_cast<unsigned char>(files->get("/cp.dbf")->at(29)), c.mark) << c.name;
    }
}

} // namespace
