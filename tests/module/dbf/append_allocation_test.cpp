// The append path allocates nothing per record or field: values are
// encoded straight into the record buffer and records collect in a buffer
// made once. Counted with a replacement operator new that only counts while
// a test asks it to.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "module/dbf/xbtable.h"
#include "support/test_support.h"

namespace {
std::atomic<bool> counting {false};
std::atomic<long> allocations {0};
} // namespace

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

TEST(AppendAllocationTest, AppendingRecordsAllocatesNothing)
{
    testsupport::TempDir dir;
    xbtable table;
    table.setEncoding(11);
    ASSERT_TRUE(table.prepareNewTable(0, 512, 0));
    ASSERT_TRUE(table.addField("n", 'N', 12, 2));
    ASSERT_TRUE(table.addField("c", 'C', 40, 0));
    ASSERT_TRUE(table.addField("d", 'D', 8, 0));
    ASSERT_TRUE(table.addField("l", 'L', 1, 0));
    ASSERT_TRUE(table.addField("m", 'M', 10, 0));
    ASSERT_TRUE(table.createTable(dir.file("alloc.dbf")));
    auto appendOne = [&](int i) {
        table.clearRecord();
        table.setField(0, "1234.5", 1234.5 + i);
        table.setField(1, "Текст в кодировке Windows-1251", 0);
        table.setField(2, "20240131120000", 0);
        table.setField(3, "1", 0);
        table.setField(4, "памятка одинаковой длины", 0);
        return table.appendRecord(0);
    };
    ASSERT_TRUE(appendOne(0)); // the first memo sizes its buffer
    counting = true;
    bool ok = true;
    for (int i = 1; i < 20000 && ok; ++i) // several record and memo buffer flushes
        ok = appendOne(i);
    counting = false;
    ASSERT_TRUE(ok) << table.lastError();
    EXPECT_EQ(allocations.load(), 0);
}

} // namespace
