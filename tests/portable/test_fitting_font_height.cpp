// The largest font height at which a text fits its width on one line, found from a measure of
// the text's width at each height: the heights tried, and the one chosen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "dialogs/fitting_font_height.h"

namespace {

struct Case {
    const char* name;
    int height;
    int room;
    std::map<int, int> widths;  // by magnitude of the height; a height not listed is 0 wide
    int expected;
    std::vector<int> tried;  // the heights measured, in order
};

TEST(FittingFontHeight, TheLargestHeightAtWhichTheTextFitsFromTheTopDown) {
    const Case cases[] = {
        {"fits as it is: measured once", -15, 140, {{15, 140}}, -15, {-15}},
        {"wider by a pixel: one step down", -15, 140, {{15, 141}, {14, 131}}, -14, {-15, -14}},
        {"several steps down", -15, 140, {{15, 170}, {14, 159}, {13, 148}, {12, 137}}, -12,
         {-15, -14, -13, -12}},
        {"a cell height steps down as a positive one", 16, 100, {{16, 120}, {15, 101}, {14, 99}},
         14, {16, 15, 14}},
        // Hinting can make a smaller height as wide as a larger one; the first that fits from
        // the top is the largest, where a bisection would settle lower.
        {"widths that do not fall steadily", -15, 140,
         {{15, 150}, {14, 140}, {13, 141}, {12, 141}, {11, 141}}, -14, {-15, -14}},
        {"none fits: magnitude 1, never measured", -3, 5, {{3, 30}, {2, 20}, {1, 10}}, -1,
         {-3, -2}},
        {"magnitude 1 stays", 1, 0, {{1, 10}}, 1, {}},
        {"the default size stays", 0, 0, {{0, 500}}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> tried;
        const int chosen = FittingFontHeight(c.height, c.room, [&](int height) {
            tried.push_back(height);
            const auto width = c.widths.find(std::abs(height));
            return width != c.widths.end() ? width->second : 0;
        });
        EXPECT_EQ(chosen, c.expected);
        EXPECT_EQ(tried, c.tried);
    }
}

}  // namespace
