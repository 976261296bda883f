// The integer helpers, by example: shifts, the byte clamp, rounding, square roots and the
// bounded byte move.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>

#include "imaging/int_helpers.h"

TEST(ArithmeticShiftRight, DividesByAPowerOfTwoRoundingDown) {
    const struct {
        int32_t value;
        int count, shifted;
    } cases[] = {{7, 1, 3},   {-7, 1, -4},  {-1, 1, -1},       {-1, 31, -1},     {-8, 3, -1},
                 {-9, 3, -2}, {0, 5, 0},    {INT_MIN, 31, -1}, {INT_MIN, 1, INT_MIN / 2},
                 {INT_MAX, 30, 1}, {-5, 0, -5}};
    for (const auto& c : cases) {
        EXPECT_EQ(ArithmeticShiftRight(c.value, c.count), c.shifted)
            << c.value << " >> " << c.count;
    }
}

TEST(ClampToByte, LimitsEvery64BitValue) {
    const struct {
        int64_t value;
        int32_t clamped;
    } cases[] = {{0, 0},   {255, 255}, {256, 255}, {-1, 0}, {128, 128},
                 {INT64_MAX, 255}, {INT64_MIN, 0}, {int64_t{1} << 32, 255}};
    for (const auto& c : cases) EXPECT_EQ(ClampToByte(c.value), c.clamped) << c.value;
}

namespace {

void ExpectFloorRoot(uint32_t a) {
    const uint64_t r = static_cast<uint64_t>(ISqrt(a));
    ASSERT_LE(r * r, a) << a;
    ASSERT_GT((r + 1) * (r + 1), a) << a;
}

}  // namespace

TEST(ISqrt, SmallValuesAndBoundaries) {
    const struct {
        uint32_t a;
        int root;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {99, 9}, {100, 10},
                 {2147483648u, 46340}, {4294836224u, 65534}, {4294836225u, 65535},
                 {4294967295u, 65535}};
    for (const auto& c : cases) EXPECT_EQ(ISqrt(c.a), c.root) << c.a;
}

TEST(ISqrt, IsTheFloorRootAroundEverySquareAndDenselyBetween) {
    for (uint32_t a = 0; a < (1u << 20); ++a) ExpectFloorRoot(a);
    for (uint64_t k = 1; k <= 65535; ++k) {
        const uint64_t square = k * k;
        ExpectFloorRoot(static_cast<uint32_t>(square - 1));
        ExpectFloorRoot(static_cast<uint32_t>(square));
        ExpectFloorRoot(static_cast<uint32_t>(square + 1));
        ExpectFloorRoot(static_cast<uint32_t>(square + 2 * k));  // (k + 1)^2 - 1
    }
    for (uint64_t a = 1u << 20; a <= 0xFFFFFFFFu; a += 1009) ExpectFloorRoot(static_cast<uint32_t>(a));
    for (uint32_t a = 0xFFFFFFFFu - 100000; a != 0; ++a) ExpectFloorRoot(a);
}

TEST(MoveBytes, CopiesOverlappingRangesBothWays) {
    char forward[] = "abcdefgh";
    MoveBytes(forward + 2, forward, 5);
    EXPECT_STREQ(forward, "ababcdeh");

    char backward[] = "abcdefgh";
    MoveBytes(backward, backward + 2, 5);
    EXPECT_STREQ(backward, "cdefgfgh");

    char untouched[] = "abc";
    MoveBytes(untouched, "xyz", 0);
    MoveBytes(untouched, "xyz", -4);
    EXPECT_STREQ(untouched, "abc");
}

TEST(RoundHalfUp, RoundsHalvesUpOnBothSidesOfZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x;
        int rounded;
    } cases[] = {{0.0, 0},   {0.5, 1},    {0.49999999999999994, 0}, {2.5, 3},   {2.4, 2},
                 {-0.5, 0},  {-0.6, -1},  {-2.3, -2},               {-2.5, -2}, {-2.7, -3},
                 {nan, 0},   {1e300, INT_MAX}, {-1e300, INT_MIN},   {2147483646.5, INT_MAX}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfUp(c.x), c.rounded) << c.x;
}

TEST(ShiftBits, ShiftsLeftAsUnsignedAndRightArithmetically) {
    const struct {
        int value, count, shifted;
    } cases[] = {{1, 3, 8},          {-1, 4, -16},       {1, 31, INT_MIN}, {0x40000000, 2, 0},
                 {7, 0, 7},          {1, 32, 0},         {5, -1, 2},       {-5, -1, -3},
                 {-16, -2, -4},      {-1, -31, -1},      {-8, -40, -1},    {8, -40, 0},
                 {8, INT_MIN, 0},    {-8, INT_MIN, -1},  {3, INT_MAX, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ShiftBits(c.value, c.count), c.shifted) << c.value << " by " << c.count;
    }
}
