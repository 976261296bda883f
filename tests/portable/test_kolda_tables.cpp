// The collage angles and the curve blending weights as the painter and the pen read them.
#include <gtest/gtest.h>

#include <cmath>

#include "styles/kolda/kolda_tables.h"

namespace {

TEST(KoldaTables, AnglesUseTheFactor628AndTruncate) {
    struct Case {
        const char* name;
        const int32_t* table;
        int index;
        int32_t expected;
    } cases[] = {
        {"sin 0", kCollageSine, 0, 0},
        {"cos 0", kCollageCosine, 0, 1000},
        // 1000 sin(1.57) = 999.9997: short of a quarter turn, truncated.
        {"sin 8", kCollageSine, 8, 999},
        {"cos 8", kCollageCosine, 8, 0},
        {"sin 16", kCollageSine, 16, 1},
        {"cos 16", kCollageCosine, 16, -999},
        {"sin 24", kCollageSine, 24, -999},
        // 1000 cos(4.71) = -2.39, truncated toward zero.
        {"cos 24", kCollageCosine, 24, -2},
        {"sin 4", kCollageSine, 4, 706},
        {"cos 31", kCollageCosine, 31, 980},
    };
    for (const Case& c : cases) EXPECT_EQ(c.table[c.index], c.expected) << c.name;
    for (int i = 0; i < kCollageAngles; ++i) {
        const double angle = i * 6.28 / 32;
        EXPECT_NEAR(kCollageSine[i], 1000 * std::sin(angle), 1.0) << i;
        EXPECT_NEAR(kCollageCosine[i], 1000 * std::cos(angle), 1.0) << i;
        EXPECT_LE(kCollageSine[i] * kCollageSine[i] + kCollageCosine[i] * kCollageCosine[i],
                  1000 * 1000)
            << "the painter relies on |(cos, sin)| <= 1000 to keep texel positions positive";
    }
}

TEST(KoldaTables, BlendingRowsMatchTheirPrintedValues) {
    struct Case {
        int row;
        double w0, w1, w2;
    } cases[] = {
        {0, 0.5, 0.5, 0.0},
        {50, 0.14644703, 0.70710613, 0.14644684},
        {98, 0.00048886, 0.51709031, 0.48242083},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_NEAR(kCurveBlend[c.row][0], c.w0, 0.000001);
        EXPECT_NEAR(kCurveBlend[c.row][1], c.w1, 0.000001);
        EXPECT_NEAR(kCurveBlend[c.row][2], c.w2, 0.000001);
    }
    EXPECT_EQ(kCurveBlend[0][0], 0.5);
    EXPECT_EQ(kCurveBlend[0][2], 0.0);
}

TEST(KoldaTables, BlendingRowsFollowTheirFormula) {
    const double a = 1.7715533;
    for (int r = 0; r < kCurveBlendRows; ++r) {
        SCOPED_TRACE(r);
        const double t = r / 100.0;
        EXPECT_NEAR(kCurveBlend[r][0], std::pow(1 - t, a) / 2, 1e-12);
        EXPECT_NEAR(kCurveBlend[r][2], std::pow(t, a) / 2, 1e-12);
        EXPECT_NEAR(kCurveBlend[r][0] + kCurveBlend[r][1] + kCurveBlend[r][2], 1.0, 1e-15);
        if (r > 0) {
            EXPECT_EQ(kCurveBlend[r][2], kCurveBlend[100 - r][0]) << "mirror rows";
        }
    }
    // The exponent puts √2/2 on the middle control point halfway along.
    EXPECT_NEAR(kCurveBlend[50][1], std::sqrt(2.0) / 2, 1e-7);
}

}  // namespace
