// Region geometry: the flips between the picture's storage rows and the preview's screen rows,
// the axis and width rules, the hit test, the outline and the scaled and deleted regions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dialogs/preview_picture.h"
#include "dialogs/region_geometry.h"

namespace {

// A 1900 × 1000 picture reduced with step 10 sits at image origin (20, 65).
constexpr regions::PreviewMapping kWide = {20, 65, 10, 1000};

EllipseRegion Rubber(int sx, int sy, int ex, int ey) {
    EllipseRegion r = {};
    r.startX = sx;
    r.startY = sy;
    r.endX = ex;
    r.endY = ey;
    return r;
}

}  // namespace

TEST(RegionGeometry, PreviewPointsFlipToStorageRows) {
    const struct {
        int previewX, previewY, pictureX, pictureY;
    } cases[] = {
        {20, 65, 0, 999},      // the top-left pixel
        {21, 66, 10, 989},
        {209, 164, 1890, 9},   // the last preview pixel of the picture
        {10, 60, -100, 1049},  // outside the picture: not clamped
    };
    for (const auto& c : cases) {
        EllipseRegion rubber = Rubber(c.previewX, c.previewY, c.previewX, c.previewY);
        rubber.centerX = c.previewX;
        rubber.centerY = c.previewY;
        const EllipseRegion region = regions::RegionFromPreview(rubber, kWide);
        EXPECT_EQ(region.startX, c.pictureX);
        EXPECT_EQ(region.startY, c.pictureY);
        EXPECT_EQ(region.centerY, c.pictureY);
        const EllipseRegion back = regions::RegionToPreview(region, kWide);
        EXPECT_EQ(back.startX, c.previewX) << c.previewX << "," << c.previewY;
        EXPECT_EQ(back.startY, c.previewY) << c.previewX << "," << c.previewY;
    }
    // Truncation toward zero on the way back: picture row 994 is preview row 65 + 0.
    EllipseRegion region = {};
    region.startY = 994;
    region.length = 19;
    region.width = 9;
    const EllipseRegion rubber = regions::RegionToPreview(region, kWide);
    EXPECT_EQ(rubber.startY, 65);
    EXPECT_EQ(rubber.length, 1);
    EXPECT_EQ(rubber.width, 0);
}

TEST(RegionGeometry, AxisNeedsMoreThanTenPixelsInXOrY) {
    const struct {
        int dx, dy;
        bool accepted;
    } cases[] = {{10, 10, false}, {11, 0, true}, {0, 11, true}, {-11, 3, true}, {-10, -10, false}};
    for (const auto& c : cases)
        EXPECT_EQ(regions::AxisLongEnough(Rubber(50, 50, 50 + c.dx, 50 + c.dy)), c.accepted)
            << c.dx << "," << c.dy;
}

TEST(RegionGeometry, FixedAxisCentreLengthAndAngle) {
    const struct {
        const char* name;
        int sx, sy, ex, ey;
        int cx, cy, length;
        double angle;
    } cases[] = {
        {"horizontal", 40, 100, 120, 100, 80, 100, 80, 0.0},
        {"vertical: not pi / 2", 60, 80, 60, 140, 60, 110, 60, 1.57075},
        {"rising on screen", 40, 100, 70, 70, 55, 85, 42, std::atan(1.0)},
        {"odd sum truncates", 41, 100, 60, 100, 50, 100, 19, 0.0},
    };
    for (const auto& c : cases) {
        EllipseRegion rubber = Rubber(c.sx, c.sy, c.ex, c.ey);
        regions::FixAxis(&rubber);
        EXPECT_EQ(rubber.centerX, c.cx) << c.name;
        EXPECT_EQ(rubber.centerY, c.cy) << c.name;
        EXPECT_EQ(rubber.length, c.length) << c.name;
        EXPECT_DOUBLE_EQ(rubber.angle, c.angle) << c.name;
        EXPECT_EQ(rubber.width, 0) << c.name;
        // Stored in the picture, the angle is negated.
        EXPECT_DOUBLE_EQ(regions::RegionFromPreview(rubber, kWide).angle, -c.angle) << c.name;
    }
}

TEST(RegionGeometry, WidthIsTwiceThePointersDistanceFromTheAxis) {
    EllipseRegion rubber = Rubber(40, 100, 120, 100);
    regions::FixAxis(&rubber);
    const regions::AxisTerms terms = regions::AxisTermsOf(rubber);
    const struct {
        int x, y, width;
        double ratio;
    } cases[] = {
        {80, 100, 0, 0.0},     // on the axis line
        {80, 120, 40, 0.5},
        {200, 90, 20, 0.25},   // beyond the axis end: distance from the line
        {80, 140, 80, 1.0},    // half the length away: a circle
        {80, 400, 80, 1.0},    // at most the length
    };
    for (const auto& c : cases) {
        int width = -1;
        double ratio = -1;
        regions::WidthForPointer(rubber, terms, c.x, c.y, &width, &ratio);
        EXPECT_EQ(width, c.width) << c.x << "," << c.y;
        EXPECT_DOUBLE_EQ(ratio, c.ratio) << c.x << "," << c.y;
    }
}

TEST(RegionGeometry, HitTestInsideTheEllipseOnly) {
    EllipseRegion rubber = Rubber(40, 100, 120, 100);
    regions::FixAxis(&rubber);
    rubber.width = 40;
    rubber.ratio = 0.5;
    const struct {
        int x, y;
        bool hit;
    } cases[] = {{80, 100, true}, {119, 100, true}, {120, 100, false}, {80, 119, true},
                 {80, 120, false}, {110, 115, false}, {45, 100, true}};
    for (const auto& c : cases) EXPECT_EQ(regions::Hits(rubber, c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(RegionGeometry, OutlineStartsAtTheAxisEndAndNearlyCloses) {
    EllipseRegion rubber = Rubber(40, 100, 120, 100);
    regions::FixAxis(&rubber);
    rubber.width = 40;
    rubber.ratio = 0.5;
    regions::Point points[regions::kOutlinePoints];
    regions::OutlinePoints(rubber, points);
    EXPECT_EQ(points[0].x, 120);
    EXPECT_EQ(points[0].y, 100);
    // A quarter turn (25 steps of 0.06283, just short of pi / 2): the end of the half width,
    // below the axis in preview coordinates, 19.99... truncated toward zero.
    EXPECT_EQ(points[25].x, 80);
    EXPECT_EQ(points[25].y, 119);
    // 6.283 radians fall just short of a full turn: a little before and above the start.
    EXPECT_EQ(points[100].x, 119);
    EXPECT_EQ(points[100].y, 99);
}

TEST(RegionGeometry, StudiesScaleTheIntFieldsAndDeletionClosesTheGap) {
    EllipseRegion region = {};
    region.startX = 15;
    region.startY = -15;
    region.endX = 29;
    region.endY = 30;
    region.centerX = 22;
    region.centerY = 7;
    region.length = 49;
    region.width = 9;
    region.angle = 0.5;
    region.ratio = 0.2;
    region.cosine = 0.8;
    region.sine = 0.4;
    EllipseRegion scaled;
    regions::ScaleRegions(&region, 1, 10, &scaled);
    EXPECT_EQ(scaled.startX, 1);
    EXPECT_EQ(scaled.startY, -1) << "toward zero";
    EXPECT_EQ(scaled.endX, 2);
    EXPECT_EQ(scaled.endY, 3);
    EXPECT_EQ(scaled.centerX, 2);
    EXPECT_EQ(scaled.centerY, 0);
    EXPECT_EQ(scaled.length, 4);
    EXPECT_EQ(scaled.width, 0);
    EXPECT_EQ(scaled.angle, 0.5);
    EXPECT_EQ(scaled.ratio, 0.2);
    EXPECT_EQ(scaled.cosine, 0.8);
    EXPECT_EQ(scaled.sine, 0.4);

    EllipseRegion three[3] = {};
    for (int i = 0; i < 3; ++i) three[i].length = 100 + i;
    int count = 3;
    regions::DeleteRegion(three, &count, 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(three[0].length, 101);
    EXPECT_EQ(three[1].length, 102);
    regions::DeleteRegion(three, &count, 5);
    EXPECT_EQ(count, 2) << "an index beyond the count deletes nothing";
}

// The widest and the tallest picture a TDib holds (one row of 357913941 pixels, one column of
// 268435456) reduce with steps near two million: a pointer dragged some 1200 pixels past the
// preview lands beyond the int range in picture coordinates, and is held at its ends.
TEST(RegionGeometry, TheLargestPicturesMapWithoutOverflow) {
    constexpr int kWidest = 357913941, kTallest = 268435456;
    ASSERT_EQ(preview::ReductionStep(kWidest, 1, preview::kFitSide, preview::kFitSide), 1883758);
    ASSERT_EQ(preview::ReductionStep(1, kTallest, preview::kFitSide, preview::kFitSide), 1412819);
    // The reduced pictures, 189 × 1 and 1 × 189, centred in the preview.
    constexpr regions::PreviewMapping kWide = {20, 114, 1883758, 1};
    constexpr regions::PreviewMapping kTall = {114, 20, 1412819, kTallest};
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const struct {
        const char* name;
        regions::PreviewMapping mapping;
        int previewX, previewY, pictureX, pictureY;
    } cases[] = {
        {"widest: the origin", kWide, 20, 114, 0, 0},
        {"widest: the last column", kWide, 208, 114, 354146504, 0},
        {"widest: the farthest column that fits", kWide, 1159, 114, 2145600362, 0},
        {"widest: 1200 columns past", kWide, 1220, 114, kMax, 0},
        {"widest: 1200 columns before", kWide, -1180, 114, kMin, 0},
        {"widest: 1200 rows below", kWide, 20, 1314, 0, kMin},
        {"widest: 1200 rows above", kWide, 20, -1086, 0, kMax},
        {"tallest: the origin", kTall, 114, 20, 0, 268435455},
        {"tallest: the last row", kTall, 114, 208, 0, 2825483},
        {"tallest: 1600 rows below, still inside", kTall, 114, 1620, 0, -1992074945},
        {"tallest: 1800 rows below", kTall, 114, 1820, 0, kMin},
        {"tallest: 1600 rows above", kTall, 114, -1580, 0, kMax},
        {"tallest: 1600 columns past", kTall, 1714, 20, kMax, 268435455},
    };
    for (const auto& c : cases) {
        EllipseRegion rubber = Rubber(c.previewX, c.previewY, c.previewX, c.previewY);
        rubber.centerX = c.previewX;
        rubber.centerY = c.previewY;
        const EllipseRegion region = regions::RegionFromPreview(rubber, c.mapping);
        EXPECT_EQ(region.startX, c.pictureX) << c.name;
        EXPECT_EQ(region.startY, c.pictureY) << c.name;
        EXPECT_EQ(region.endX, c.pictureX) << c.name;
        EXPECT_EQ(region.endY, c.pictureY) << c.name;
        EXPECT_EQ(region.centerX, c.pictureX) << c.name;
        EXPECT_EQ(region.centerY, c.pictureY) << c.name;
    }

    EllipseRegion rubber = Rubber(20, 114, 20, 114);
    rubber.length = 1139;
    rubber.width = 1200;
    EllipseRegion region = regions::RegionFromPreview(rubber, kWide);
    EXPECT_EQ(region.length, 2145600362);
    EXPECT_EQ(region.width, kMax);

    // Back to the preview from fields at the ends of the int range.
    region = {};
    region.startX = kMax;
    region.startY = kMin;
    region.endY = kMax;
    region.length = kMax;
    rubber = regions::RegionToPreview(region, kTall);
    EXPECT_EQ(rubber.startX, 114 + 1519);
    EXPECT_EQ(rubber.startY, 20 + 1709);
    EXPECT_EQ(rubber.endY, 20 - 1329) << "toward zero";
    EXPECT_EQ(rubber.length, 1519);
}
