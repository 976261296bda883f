// The screen resolution dialog's ruler and arrow as primitives: the box, the ruler line, the
// long and short ticks, and the 200-pixel arrow the user measures.
#include "dialogs/screen_ruler.h"

#include <gtest/gtest.h>

#include <set>

using screen_ruler::Primitive;

namespace {

struct Drawn {
    Primitive primitives[screen_ruler::kPrimitiveCount];
    Drawn() { screen_ruler::Primitives(primitives); }
};

bool Same(const Primitive& p, Primitive::Kind kind, int x1, int y1, int x2, int y2) {
    return p.kind == kind && p.x1 == x1 && p.y1 == y1 && p.x2 == x2 && p.y2 == y2;
}

}  // namespace

TEST(ScreenRuler, BoxLineAndArrowInDrawingOrder) {
    const Drawn drawn;
    const Primitive* p = drawn.primitives;
    EXPECT_TRUE(Same(p[0], Primitive::kRectangle, 10, 35, 210, 75));
    EXPECT_TRUE(Same(p[1], Primitive::kLine, 10, 65, 209, 65));
    const Primitive* arrow = p + 2 + 50;
    const struct {
        int x1, y1, x2, y2;
    } rest[] = {{10, 80, 10, 120},   {209, 80, 209, 120}, {10, 100, 209, 100}, {20, 90, 10, 100},
                {10, 100, 20, 110},  {199, 90, 209, 100}, {209, 100, 199, 110}};
    for (int i = 0; i < 7; ++i) {
        const auto& r = rest[i];
        EXPECT_TRUE(Same(arrow[i], Primitive::kLine, r.x1, r.y1, r.x2, r.y2)) << "arrow part " << i;
    }
    // The arrow spans 200 pixels: the shaft's end point is drawn by the right head.
    EXPECT_EQ(arrow[2].x2 - arrow[2].x1 + 1, 200);
}

TEST(ScreenRuler, TicksEveryFourPixelsLongEveryTwenty) {
    const Drawn drawn;
    std::set<int> longTicks, shortTicks;
    for (int i = 2; i < 2 + 50; ++i) {
        const Primitive& tick = drawn.primitives[i];
        ASSERT_EQ(tick.kind, Primitive::kLine);
        ASSERT_EQ(tick.x1, tick.x2);
        ASSERT_EQ(tick.y1, 75);
        ASSERT_TRUE(tick.y2 == 55 || tick.y2 == 65) << tick.y2;
        (tick.y2 == 55 ? longTicks : shortTicks).insert(tick.x1);
    }
    EXPECT_EQ(longTicks, (std::set<int>{10, 30, 50, 70, 90, 110, 130, 150, 170, 190}));
    EXPECT_EQ(shortTicks.size(), 40u);
    EXPECT_EQ(*shortTicks.begin(), 14);
    EXPECT_EQ(*shortTicks.rbegin(), 206);
}
