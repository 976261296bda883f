// Centring a dialog on its owner, halves truncated toward zero.
#include "dialogs/dialog_placement.h"

#include <gtest/gtest.h>

TEST(DialogPlacement, CentredOnTheOwnerWithHalvesTruncatedTowardZero) {
    const struct {
        const char* name;
        int left, top, right, bottom, width, height;
        int x, y;
    } cases[] = {
        {"smaller than its owner", 100, 50, 500, 350, 285, 284, 157, 58},
        {"odd difference: the half rounds down", 0, 0, 300, 201, 285, 100, 7, 50},
        {"taller than its owner: (275 - 284) / 2 is -4", 10, 20, 392, 295, 285, 284, 58, 16},
        {"wider than its owner: (200 - 225) / 2 is -12", 0, 0, 200, 300, 225, 214, -12, 43},
        {"an empty owner rectangle", 0, 0, 0, 0, 225, 214, -112, -107},
    };
    for (const auto& c : cases) {
        const placement::Origin origin =
            placement::CentredOn(c.left, c.top, c.right, c.bottom, c.width, c.height);
        EXPECT_EQ(origin.x, c.x) << c.name;
        EXPECT_EQ(origin.y, c.y) << c.name;
    }
}
