#include <gtest/gtest.h>

#include "module/dbf/xbtable.h"

TEST(BlockSizeTest, SixteenShiftedByIndex)
{
    EXPECT_EQ(xbtable::blockSize(0), 16);
    EXPECT_EQ(xbtable::blockSize(5), 512);
    EXPECT_EQ(xbtable::blockSize(11), 32768);
}
