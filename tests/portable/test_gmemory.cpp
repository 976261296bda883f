// The stroke store's growable block: contents kept across growth, failures that change
// nothing, and no block held at size 0.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "styles/kolda/gmemory.h"

namespace {

std::vector<uint8_t> Contents(Gmemory& block) {
    const uint8_t* bytes = block.Lock();
    std::vector<uint8_t> copy(bytes, bytes + block.Size());
    block.Unlock();
    return copy;
}

TEST(Gmemory, StartsWithTheSizeAskedFor) {
    Gmemory none;
    EXPECT_EQ(none.Size(), 0u);
    EXPECT_EQ(none.Lock(), nullptr) << "no block to lock at size 0";
    EXPECT_FALSE(none.IsLocked());
    Gmemory some(10);
    EXPECT_EQ(some.Size(), 10u);
    EXPECT_NE(some.Lock(), nullptr);
    EXPECT_TRUE(some.IsLocked());
    some.Unlock();
    EXPECT_FALSE(some.IsLocked());
}

TEST(Gmemory, GrowingOneStrokeAtATimeKeepsEveryByte) {
    Gmemory block;
    std::vector<uint8_t> expected;
    for (int stroke = 0; stroke < 200; ++stroke) {
        const size_t end = block.Size();
        const size_t grow = 6 + 6 * static_cast<size_t>(stroke % 7);
        ASSERT_EQ(block.ReAlloc(end + grow), 1);
        uint8_t* at = block.Lock() + end;
        for (size_t i = 0; i < grow; ++i) {
            at[i] = static_cast<uint8_t>(stroke * 31 + i);
            expected.push_back(at[i]);
        }
        block.Unlock();
    }
    EXPECT_EQ(block.Size(), expected.size());
    EXPECT_TRUE(Contents(block) == expected);
    EXPECT_GE(block.Capacity(), block.Size());
    block.Compact();
    EXPECT_EQ(block.Capacity(), block.Size()) << "the spare capacity is given back";
    EXPECT_TRUE(Contents(block) == expected);
}

TEST(Gmemory, ShrinkingKeepsThePrefixAndZeroFreesTheBlock) {
    Gmemory block(8);
    uint8_t* bytes = block.Lock();
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(i + 1);
    ASSERT_EQ(block.ReAlloc(3), 1);
    EXPECT_FALSE(block.IsLocked()) << "a resize ends the lock: the block may move";
    EXPECT_EQ(Contents(block), (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_EQ(block.ReAlloc(0), 1);
    EXPECT_EQ(block.Size(), 0u);
    EXPECT_EQ(block.Capacity(), 0u) << "nothing is held at size 0";
    EXPECT_EQ(block.Lock(), nullptr);
    ASSERT_EQ(block.ReAlloc(5), 1) << "and it can grow again";
    EXPECT_EQ(block.Size(), 5u);
}

TEST(Gmemory, AFailedGrowthChangesNothing) {
    Gmemory block(4);
    std::memcpy(block.Lock(), "abcd", 4);
    block.Unlock();
    block.SetCeiling(10);
    EXPECT_EQ(block.ReAlloc(11), 0);
    EXPECT_EQ(block.Size(), 4u);
    EXPECT_EQ(Contents(block), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
    EXPECT_EQ(block.ReAlloc(10), 1) << "up to the ceiling it grows, capacity within it";
    EXPECT_LE(block.Capacity(), 10u);
    EXPECT_EQ(block.ReAlloc(SIZE_MAX), 0);
    EXPECT_EQ(block.Size(), 10u);
}

}  // namespace
