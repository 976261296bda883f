// The line engine from the picture to the stored strokes: construction, the limits of a
// tracing, Run's refusals, the edge marks, the tracing and the corner reduction.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "imaging/random.h"
#include "styles/kolda/zo_drawing.h"
#include "tests/support/context_images.h"
#include "tests/support/drawing_fixture.h"
#include "tests/support/pictures.h"

namespace {

using Points = std::vector<std::pair<int, int>>;

std::string NoMemoryText() { return std::string("Drawing:") + texts::kNoMemory; }

// Source pixels (x, y) with inside(x, y) white, the others black.
template <typename Inside>
void PaintTwoLevels(ContextImages& images, Inside inside) {
    for (int y = 0; y < images.height; ++y)
        for (int x = 0; x < images.width; ++x) {
            const uint8_t v = inside(x, y) ? 255 : 0;
            images.SetSourcePixel(x, y, v, v, v);
        }
}

std::set<std::pair<int, int>> MarkedPixels(const TDib& layer) {
    std::set<std::pair<int, int>> marked;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x)
            if (layer.Row(y)[3 * x + 2] != 0) marked.insert({x, y});
    return marked;
}

void SetMarks(ContextImages& images, const Points& points, uint8_t value) {
    for (const auto& p : points) images.canvas->Row(p.second)[3 * p.first + 2] = value;
}

Points Row(int y, int fromX, int toX) {
    Points points;
    for (int x = fromX; x <= toX; ++x) points.push_back({x, y});
    return points;
}

// A white square in the upper right of a black 40 × 40 picture, with the edge settings.
struct WhiteCorner : ::testing::Test {
    WhiteCorner() : images(40, 40, 72), settings(EdgeSettings(tables)), drawing(images.Context()) {
        PaintTwoLevels(images, [](int x, int y) { return x >= 20 && y >= 20; });
    }
    ContextImages images;
    DrawingTables tables;
    DrawingSettings settings;
    ZoDrawing drawing;
};

TEST(DrawingSettings, StartsZeroed) {
    // A style fills the record only while `filled` is 0, so a fresh one must be all zeros.
    const DrawingSettings settings;
    const DrawingSettings zeros = [] {
        DrawingSettings z;
        std::memset(static_cast<void*>(&z), 0, sizeof z);
        return z;
    }();
    EXPECT_EQ(std::memcmp(&settings, &zeros, sizeof settings), 0);
    EXPECT_EQ(sizeof settings, 18 * sizeof(int32_t) + 6 * sizeof(void*));
}

// ---- construction and limits ------------------------------------------------------------------

TEST(ZoDrawing, ConstructorTakesTheContext) {
    ContextImages images(30, 20, 72);
    std::strcpy(images.status, "Cluster:old");
    ZoDrawing drawing(images.Context());
    EXPECT_TRUE(drawing.IsValid());
    EXPECT_STREQ(images.status, "Drawing:");
    EXPECT_EQ(drawing.Capacity(), 100);
    EXPECT_NEAR(drawing.Scale(), std::pow(50.0, 0.2) * 0.072, 1e-15);
    EXPECT_EQ(drawing.StrokeCount(), 0);
    EXPECT_EQ(drawing.Store().Size(), 0u);
}

TEST(ZoDrawing, ImagesThatDoNotFitMakeItInvalid) {
    struct Case {
        const char* name;
        void (*spoil)(ContextImages&, EngineContext&);
    } cases[] = {
        {"no focus map", [](ContextImages&, EngineContext& c) { c.focusMap = nullptr; }},
        {"no canvas", [](ContextImages&, EngineContext& c) { c.canvas = nullptr; }},
        {"24-bit focus map", [](ContextImages& i, EngineContext& c) { c.focusMap = i.source.get(); }},
        {"8-bit canvas", [](ContextImages& i, EngineContext& c) { c.canvas = i.colorIndexMap.get(); }},
        {"context wider than the images", [](ContextImages&, EngineContext& c) { c.width += 1; }},
        {"no pixels", [](ContextImages&, EngineContext& c) { c.height = 0; }},
    };
    DrawingTables tables;
    const DrawingSettings settings = EdgeSettings(tables);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(20, 20, 72);
        EngineContext context = images.Context();
        c.spoil(images, context);
        ZoDrawing drawing(context);
        EXPECT_FALSE(drawing.IsValid());
        EXPECT_STREQ(images.status, "Drawing:Invalid Dib.");
        EXPECT_EQ(drawing.Run(&settings), 0) << "the status already says why";
        EXPECT_EQ(drawing.Render(1), 0);
        EXPECT_STREQ(images.status, "Drawing:Invalid Dib.");
    }
}

TEST(ZoDrawing, LimitsOfAThousandByEightHundredPictureAt100Dpi) {
    ContextImages images(1000, 800, 100);
    ZoDrawing drawing(images.Context());
    DrawingTables tables;
    DrawingSettings s = EdgeSettings(tables);
    s.minLength = 50;
    s.minWidth = 15;
    s.maxPoints = 50000;
    s.maxWidth = 90;
    s.fullLength = 250;
    s.fullStrength = 150;
    drawing.SetSettings(&s);
    EXPECT_NEAR(drawing.Scale(), 0.44777, 0.00001);
    struct Case {
        const char* name;
        int64_t marks;  // density = marks × 10 / 800000
        int maximumWidth;
    } cases[] = {
        {"density 1.0", 80000, 40},
        // 0.1 is raised to 0.2: factor (0.2 - 1) × 0.5 + 1 = 0.6 widens to 90 × 0.44777 / 0.6.
        {"density 0.1 raised to 0.2", 8000, 67},
        {"no marks at all", 0, 67},
        // 6.0 is lowered to 5.0: factor 3.
        {"density 6.0 lowered to 5.0", 480000, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drawing.MeasureDensity(c.marks);
        drawing.ComputeLimits();
        const ZoDrawing::Limits& l = drawing.TraceLimits();
        EXPECT_EQ(l.minimumLength, 22);
        EXPECT_EQ(l.maximumPoints, 3600) << "22388 capped by the capacity 2 × 1800";
        EXPECT_EQ(l.minimumWidth, 6);
        EXPECT_EQ(l.maximumWidth, c.maximumWidth);
        EXPECT_EQ(l.fullLength, 111);
        EXPECT_EQ(l.fullStrength, 150);
    }
}

TEST(ZoDrawing, LimitsAreClampedBeforeTheyBecomeInts) {
    ContextImages images(1000, 800, 100);  // scale 0.44777, capacity 3600, marks for density 0.5
    ZoDrawing drawing(images.Context());
    DrawingTables tables;
    struct Case {
        const char* name;
        void (*set)(DrawingSettings&);
        ZoDrawing::Limits expected;
    } cases[] = {
        {"zeros take the lower bounds",
         [](DrawingSettings& s) {
             s.minLength = s.maxPoints = s.minWidth = s.maxWidth = s.fullLength = 0;
             s.fullStrength = 0;
             s.densityInfluence = 0;
         },
         {3, 1, 2, 2, 1, 1}},
        {"beyond the int range take the upper bounds",
         [](DrawingSettings& s) {
             s.minLength = s.maxPoints = s.minWidth = s.maxWidth = s.fullLength = 2147483647;
             s.densityInfluence = 0;
         },
         {3600, 3600, 1000, 1000, 3600, 200}},
        {"negative values take the lower bounds",
         [](DrawingSettings& s) {
             s.minLength = s.maxPoints = s.minWidth = s.fullLength = -2147483647;
             s.fullStrength = -5;
         },
         {3, 1, 2, 40, 1, 1}},
        // (0.5 - 1) × 200 × 0.01 + 1 = 0: no division, the upper bound.
        {"a density factor of 0",
         [](DrawingSettings& s) { s.densityInfluence = 200; },
         {3, 3600, 2, 1000, 1, 200}},
        {"a negative density factor",
         [](DrawingSettings& s) { s.densityInfluence = 400; },
         {3, 3600, 2, 2, 1, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingSettings s = EdgeSettings(tables);
        s.densityInfluence = 0;
        c.set(s);
        drawing.SetSettings(&s);
        drawing.MeasureDensity(40000);
        drawing.ComputeLimits();
        const ZoDrawing::Limits& l = drawing.TraceLimits();
        EXPECT_EQ(l.minimumLength, c.expected.minimumLength);
        EXPECT_EQ(l.maximumPoints, c.expected.maximumPoints);
        EXPECT_EQ(l.minimumWidth, c.expected.minimumWidth);
        EXPECT_EQ(l.maximumWidth, c.expected.maximumWidth);
        EXPECT_EQ(l.fullLength, c.expected.fullLength);
        EXPECT_EQ(l.fullStrength, c.expected.fullStrength);
    }
}

// ---- Run ----------------------------------------------------------------------------------------

TEST(ZoDrawing, RunRefusesSettingsItCannotUse) {
    DrawingTables tables;
    struct Case {
        const char* name;
        void (*set)(DrawingSettings&);
        int expected;
    } cases[] = {
        {"edge lines", [](DrawingSettings&) {}, 1},
        {"hatching", [](DrawingSettings& s) { s.mode = kDrawingHatch; }, 1},
        {"mode 0", [](DrawingSettings& s) { s.mode = 0; }, 0},
        {"mode 3", [](DrawingSettings& s) { s.mode = 3; }, 0},
        {"taper -1", [](DrawingSettings& s) { s.taper = -1; }, 0},
        {"taper 4", [](DrawingSettings& s) { s.taper = 4; }, 0},
        {"taper 3", [](DrawingSettings& s) { s.taper = kTaperThinMiddle; }, 1},
        {"hatch direction 4",
         [](DrawingSettings& s) {
             s.mode = kDrawingHatch;
             s.hatchDirection = 4;
         },
         0},
        {"hatch direction -1",
         [](DrawingSettings& s) {
             s.mode = kDrawingHatch;
             s.hatchDirection = -1;
         },
         0},
        {"hatch direction 9 is not read by edge lines", [](DrawingSettings& s) { s.hatchDirection = 9; }, 1},
        {"no weight table", [](DrawingSettings& s) { s.weightTable = nullptr; }, 0},
        {"no pen size table", [](DrawingSettings& s) { s.penSizeTable = nullptr; }, 0},
        {"no speed table", [](DrawingSettings& s) { s.speedTable = nullptr; }, 0},
        {"no spot size table", [](DrawingSettings& s) { s.spotSizeTable = nullptr; }, 0},
        {"no minimum length table", [](DrawingSettings& s) { s.minLengthTable = nullptr; }, 0},
        {"hatching reads neither",
         [](DrawingSettings& s) {
             s.mode = kDrawingHatch;
             s.spotSizeTable = s.minLengthTable = nullptr;
         },
         1},
        {"the colour distance table is not read", [](DrawingSettings& s) { s.colorDistanceTable = nullptr; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(24, 24, 72);
        ZoDrawing drawing(images.Context());
        DrawingSettings s = EdgeSettings(tables);
        c.set(s);
        EXPECT_EQ(drawing.Run(&s), c.expected);
        EXPECT_STREQ(images.status, "Drawing:") << "refusals leave no text";
    }
    ContextImages images(24, 24, 72);
    ZoDrawing drawing(images.Context());
    EXPECT_EQ(drawing.Run(nullptr), 0);
}

TEST(ZoDrawing, APictureWithoutEdgesGivesNoStrokes) {
    ContextImages images(40, 30, 72);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) images.SetSourcePixel(x, y, 90, 120, 150);
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    ZoDrawing drawing(images.Context());
    EXPECT_EQ(drawing.Run(&s), 1);
    EXPECT_EQ(drawing.StrokeCount(), 0);
    EXPECT_TRUE(MarkedPixels(*images.canvas).empty());
    EXPECT_DOUBLE_EQ(drawing.Density(), 0.2);
    std::memset(images.canvas->Bits(), 77, images.canvas->ImageBytes());
    const uint64_t before = test_pictures::Checksum(*images.source);
    EXPECT_EQ(drawing.Render(1), 1);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(images.canvas->Row(y)[3 * x], 0) << "the line layer is cleared";
    EXPECT_EQ(test_pictures::Checksum(*images.source), before);
}

// ---- edge marks -----------------------------------------------------------------------------------

TEST_F(WhiteCorner, EdgeMarksSitOnTheStepInBothScans) {
    // Rows 20..39 have a step at column 20 and columns 20..39 one at row 20. With windows of 3
    // the differences rise 85, 170, 255 and fall after the step, so the mark is the step's
    // first white pixel, value 255. The column scan finds (20, 20) marked already and neither
    // rewrites nor counts it.
    drawing.SetSettings(&settings);
    drawing.PrepareGray();
    ASSERT_EQ(drawing.DetectEdges(), 1);
    std::set<std::pair<int, int>> expected;
    for (int i = 20; i < 40; ++i) {
        expected.insert({20, i});
        expected.insert({i, 20});
    }
    EXPECT_EQ(MarkedPixels(*images.canvas), expected);
    for (const auto& p : expected) EXPECT_EQ(images.canvas->Row(p.second)[3 * p.first + 2], 255);
    EXPECT_DOUBLE_EQ(drawing.Density(), 39 * 10.0 / 1600);
}

TEST(ZoDrawing, WindowsShorterThanOnePixelActAsOnePixel) {
    // Window lengths of 0 or below would compare a pixel with itself or read behind it; they
    // mark exactly as windows of one pixel do.
    DrawingTables tables;
    auto marksWith = [&](int shortWindow, int longWindow) {
        ContextImages images(40, 40, 72);
        PaintTwoLevels(images, [](int x, int y) { return x >= 20 && y >= 20; });
        DrawingSettings s = EdgeSettings(tables);
        s.shortWindow = shortWindow;
        s.longWindow = longWindow;
        ZoDrawing drawing(images.Context());
        drawing.SetSettings(&s);
        drawing.PrepareGray();
        EXPECT_EQ(drawing.DetectEdges(), 1);
        return MarkedPixels(*images.canvas);
    };
    const auto onePixel = marksWith(1, 1);
    ASSERT_FALSE(onePixel.empty());
    for (auto [shortWindow, longWindow] : {std::pair{0, 0}, {-5, -5}, {0, -3}, {-40, 1}})
        EXPECT_EQ(marksWith(shortWindow, longWindow), onePixel) << shortWindow << ", " << longWindow;
}

TEST(ZoDrawing, ColumnMarksOnlyRaiseRowMarks) {
    // Greys laid straight into the line layer: a step of `across` at column 20 and one of
    // `down` at row 20. Both scans mark (20, 20); the column scan's mark replaces the row
    // scan's only when larger, and a replaced mark is not counted again.
    struct Case {
        const char* name;
        int across, down;
        int corner;
    } cases[] = {
        {"the column step is larger", 105, 150, 150},
        {"the row step is larger", 150, 105, 150},
    };
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(40, 40, 72);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                images.canvas->Row(y)[3 * x] =
                    static_cast<uint8_t>((x >= 20 ? c.across : 0) + (y >= 20 ? c.down : 0));
        ZoDrawing drawing(images.Context());
        drawing.SetSettings(&s);
        ASSERT_EQ(drawing.DetectEdges(), 1);
        EXPECT_EQ(images.canvas->Row(20)[3 * 20 + 2], c.corner);
        EXPECT_EQ(images.canvas->Row(5)[3 * 20 + 2], c.across);
        EXPECT_EQ(images.canvas->Row(20)[3 * 5 + 2], c.down);
        EXPECT_EQ(MarkedPixels(*images.canvas).size(), 79u);
        EXPECT_DOUBLE_EQ(drawing.Density(), 79 * 10.0 / 1600);
    }
}

TEST(ZoDrawing, TheGreyIsStretchedBetweenTheFocusedTenthAndNinetiethLevel) {
    // Focused pixels: 10 of each grey 100..109 (the 10 % level is 100, the 90 % level 108);
    // unfocused pixels do not count. Borders of a 10 × 12 picture are not smoothed; the
    // interior of a picture whose greys differ by little is pulled to its neighbour mean.
    ContextImages images(10, 12, 72, 0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x) {
            const uint8_t g = static_cast<uint8_t>(y < 10 ? 100 + y : 30);
            images.SetSourcePixel(x, y, g, g, g);
            images.focusMap->Row(y)[x] = y < 10 ? 200 : 0;
        }
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    ZoDrawing drawing(images.Context());
    drawing.SetSettings(&s);
    drawing.PrepareGray();
    struct Case {
        int x, y, grey;
    } cases[] = {
        {0, 0, 0},      // 100 is the low level
        {9, 4, 127},    // (104 - 100) × 255 / 8
        {0, 9, 255},    // 109 lies above the high level 108
        {5, 11, 0},     // an unfocused 30, below the low level
    };
    for (const Case& c : cases)
        EXPECT_EQ(images.canvas->Row(c.y)[3 * c.x], c.grey) << c.x << ", " << c.y;
    for (int x = 0; x < 10; ++x) EXPECT_EQ(images.canvas->Row(0)[3 * x + 2], 0) << "no marks yet";
}

TEST(ZoDrawing, SmoothingPullsSmallRangesAndKeepsSteps) {
    // A lone grey 120 among 100s: range 20 pulls it most of the way to the mean 100 in the
    // first pass; across the black-white step the range 255 leaves every pixel as it was.
    ContextImages images(7, 7, 72, 0);  // no focused pixel: no stretch
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) images.SetSourcePixel(x, y, 100, 100, 100);
    images.SetSourcePixel(3, 3, 120, 120, 120);
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    ZoDrawing drawing(images.Context());
    drawing.SetSettings(&s);
    drawing.PrepareGray();
    const int centre = images.canvas->Row(3)[9];
    EXPECT_GE(centre, 100);
    EXPECT_LT(centre, 105);

    ContextImages step(8, 6, 72, 0);
    PaintTwoLevels(step, [](int x, int) { return x >= 4; });
    ZoDrawing steps(step.Context());
    steps.SetSettings(&s);
    steps.PrepareGray();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(step.canvas->Row(y)[3 * x], x >= 4 ? 255 : 0);
}

// ---- tracing ------------------------------------------------------------------------------------------

TEST_F(WhiteCorner, TracedEdgesBecomeTwoPointStrokes) {
    const uint32_t random = RandomState;
    ASSERT_EQ(drawing.Run(&settings), 1);
    EXPECT_EQ(RandomState, random) << "the line engine draws nothing at random";
    const auto strokes = StrokesOf(drawing);
    ASSERT_EQ(strokes.size(), 2u);
    // Storage order reaches (20, 20) first; straight up wins over right on the tie of equal
    // turns because it is found first.
    EXPECT_EQ(PositionsOf(strokes[0]), (Points{{20, 20}, {20, 39}}));
    EXPECT_EQ(PositionsOf(strokes[1]), (Points{{21, 20}, {39, 20}}));
    for (const auto& stroke : strokes) {
        EXPECT_EQ(stroke.header.weight, 255);
        EXPECT_EQ(stroke.header.colour[0] + stroke.header.colour[1] + stroke.header.colour[2], 0);
    }
    EXPECT_TRUE(MarkedPixels(*images.canvas).empty()) << "tracing clears every mark it walks";
}

TEST(ZoDrawing, LinesInTheBorderStripsAreDropped) {
    struct Case {
        const char* name;
        bool vertical;  // a step at column `at` (else at row `at`)
        int at;
        bool stored;
    } cases[] = {
        {"column 5, in the left strip", true, 5, false},
        {"column 10, largest x not above 10", true, 10, false},
        {"column 11", true, 11, true},
        {"column 29", true, 29, true},
        {"column 30, smallest x not below width - 10", true, 30, false},
        {"row 10", false, 10, false},
        {"row 11", false, 11, true},
        {"row 30", false, 30, false},
    };
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(40, 40, 72);
        const int at = c.at;
        if (c.vertical)
            PaintTwoLevels(images, [at](int x, int) { return x >= at; });
        else
            PaintTwoLevels(images, [at](int, int y) { return y >= at; });
        ZoDrawing drawing(images.Context());
        ASSERT_EQ(drawing.Run(&s), 1);
        EXPECT_EQ(drawing.StrokeCount(), c.stored ? 1 : 0);
    }
}

TEST(ZoDrawing, TracingKeepsLinesLongAndDarkEnough) {
    struct Case {
        const char* name;
        int length;  // marks along row 20 from column 12
        int dpi;
        const uint8_t* (*minLengthTable)(const DrawingTables&);
        const uint8_t* (*weightTable)(const DrawingTables&);
        int stored;
    } cases[] = {
        {"two points are never a stroke", 2, 72, [](const DrawingTables& t) { return t.zero; },
         [](const DrawingTables& t) { return t.full; }, 0},
        {"three points", 3, 72, [](const DrawingTables& t) { return t.zero; },
         [](const DrawingTables& t) { return t.full; }, 1},
        {"weight 3 is dropped", 20, 72, [](const DrawingTables& t) { return t.zero; },
         [](const DrawingTables&) -> const uint8_t* {
             static uint8_t three[256];
             std::memset(three, 3, sizeof three);
             return three;
         },
         0},
        // At 1000 dpi the scale is 80^0.2 = 2.40 and minLength 10 gives 24 points; half of it,
        // 12, must be exceeded.
        {"12 points do not exceed half of 24", 12, 1000, [](const DrawingTables& t) { return t.half; },
         [](const DrawingTables& t) { return t.full; }, 0},
        {"13 points do", 13, 1000, [](const DrawingTables& t) { return t.half; },
         [](const DrawingTables& t) { return t.full; }, 1},
    };
    DrawingTables tables;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(40, 40, c.dpi);
        DrawingSettings s = EdgeSettings(tables);
        s.minLength = 10;
        s.minLengthTable = c.minLengthTable(tables);
        s.weightTable = c.weightTable(tables);
        ZoDrawing drawing(images.Context());
        drawing.SetSettings(&s);
        SetMarks(images, Row(20, 12, 12 + c.length - 1), 100);
        EXPECT_EQ(drawing.TraceLines(), 1);
        EXPECT_EQ(drawing.StrokeCount(), c.stored);
        EXPECT_TRUE(MarkedPixels(*images.canvas).empty()) << "marks are cleared, stored or not";
    }
}

TEST(ZoDrawing, TheTracePrefersStrongMarksAndSmallTurns) {
    // From (12, 20) heading up-right: straight on along the row (weight 8 × 50) beats a 45°
    // turn up (4 × 90); a 90° turn (2 × 255) beats both.
    ContextImages images(40, 40, 72);
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    ZoDrawing drawing(images.Context());
    drawing.SetSettings(&s);
    SetMarks(images, Row(20, 12, 24), 50);
    SetMarks(images, {{24, 21}}, 90);
    SetMarks(images, {{25, 21}}, 40);
    // At (24, 20), heading right: (25, 21) scores 45° × 40 = 160, (24, 21) 90° × 90 = 180.
    // Had the trace taken (25, 21), it would have come back to (24, 21) and ended there.
    ASSERT_EQ(drawing.TraceLines(), 1);
    const auto strokes = StrokesOf(drawing);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(PositionsOf(strokes[0]).front(), (std::pair<int, int>{12, 20}));
    EXPECT_EQ(PositionsOf(strokes[0]).back(), (std::pair<int, int>{25, 21}));
}

TEST(ZoDrawing, LongLinesOnAWidePictureDoNotWrap) {
    // A picture 40000 wide: a horizontal edge traced as one line of 39960 points, stored and
    // drawn with coordinates beyond 32767.
    ContextImages images(40000, 24, 72);
    DrawingTables tables;
    DrawingSettings s = EdgeSettings(tables);
    s.maxPoints = 2147483647;
    s.minLength = 2147483647;
    // The line must be longer than 120/256 of the capacity 80048, that is 37522 points.
    uint8_t share[256];
    std::memset(share, 120, sizeof share);
    s.minLengthTable = share;
    ZoDrawing drawing(images.Context());
    drawing.SetSettings(&s);
    SetMarks(images, Row(12, 20, 39979), 200);
    ASSERT_EQ(drawing.TraceLines(), 1);
    EXPECT_EQ(drawing.TraceLimits().minimumLength, 80048);
    const auto strokes = StrokesOf(drawing);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(PositionsOf(strokes[0]), (Points{{20, 12}, {39979, 12}}));
    ASSERT_EQ(drawing.Render(0), 1);
    EXPECT_NE(images.canvas->Row(12)[3 * 39000], 0);
    EXPECT_EQ(images.canvas->Row(12)[3 * 39990], 0);
}

// ---- corner reduction ---------------------------------------------------------------------------------

TEST(ZoDrawing, SimplificationKeepsTheCorners) {
    struct Case {
        const char* name;
        Points traced;
        int simplifyFactor;
        const uint8_t* (*speed)(const DrawingTables&);
        Points kept;
    } cases[] = {
        {"a straight line keeps its ends", Row(5, 0, 9), 150,
         [](const DrawingTables& t) { return t.full; }, {{0, 5}, {9, 5}}},
        {"a straight diagonal too", {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}, 0,
         [](const DrawingTables& t) { return t.zero; }, {{0, 0}, {4, 4}}},
        // Any tolerance: the first split of a bent line is forced.
        {"an L keeps its corner",
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5}},
         10000, [](const DrawingTables& t) { return t.full; }, {{0, 0}, {5, 0}, {5, 5}}},
        {"equal distances: the first wins", {{0, 0}, {1, 1}, {2, 1}, {3, 0}}, 10000,
         [](const DrawingTables& t) { return t.full; }, {{0, 0}, {1, 1}, {3, 0}}},
        {"tolerance 0 keeps every point off its chord", {{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}}, 150,
         [](const DrawingTables& t) { return t.zero; }, {{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}}},
        // After the forced split at (5, 1), (10, 0) lies 0.4425 squared from the chord to
        // (20, 0), of length 15.03: a corner while 15.03 × factor stays below that.
        {"factor 2 × 255 / 25600: a second corner", {{0, 0}, {5, 1}, {10, 0}, {20, 0}}, 2,
         [](const DrawingTables& t) { return t.full; }, {{0, 0}, {5, 1}, {10, 0}, {20, 0}}},
        {"factor 3 × 255 / 25600: none", {{0, 0}, {5, 1}, {10, 0}, {20, 0}}, 3,
         [](const DrawingTables& t) { return t.full; }, {{0, 0}, {5, 1}, {20, 0}}},
    };
    DrawingTables tables;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(16, 16, 500);
        DrawingSettings s = EdgeSettings(tables);
        s.simplifyFactor = c.simplifyFactor;
        s.speedTable = c.speed(tables);
        ZoDrawing drawing(images.Context());
        drawing.SetSettings(&s);
        drawing.ComputeLimits();
        drawing.ClearPoints();
        bool first = true;
        for (const auto& p : c.traced) {
            drawing.AppendPoint(p.first, p.second, 255, first ? 1 : 0);
            first = false;
        }
        ASSERT_EQ(drawing.SimplifyLine(255, 255), 1);
        const auto strokes = StrokesOf(drawing);
        ASSERT_EQ(strokes.size(), 1u);
        EXPECT_EQ(PositionsOf(strokes[0]), c.kept);
    }
}

// ---- the stored widths ------------------------------------------------------------------------------

TEST(ZoDrawing, TapersSpreadTheWidthFromTheMinimum) {
    // 16 × 16 at 500 dpi: scale 32^0.2 × 0.5 = 1. Width span 74 - 10, pen size 128/256 of it:
    // e = 32 + 10 = 42, and the widest point is e + 10 = 52.
    struct Case {
        const char* name;
        int taper;
        int meanStrength;
        int fullLength;
        std::vector<int> radii;
    } cases[] = {
        {"rising", kTaperRising, 200, 5, {10, 18, 26, 35, 43}},
        {"falling", kTaperFalling, 200, 5, {52, 43, 35, 26, 18}},
        {"thick middle", kTaperThickMiddle, 200, 5, {10, 31, 52, 31, 10}},
        {"thin middle", kTaperThinMiddle, 200, 5, {52, 31, 10, 31, 52}},
        {"strength above full counts as full", kTaperThickMiddle, 400, 5, {10, 31, 52, 31, 10}},
        // Half the full strength: e = 16 + 10.
        {"half strength", kTaperThickMiddle, 100, 5, {10, 23, 36, 23, 10}},
        // 5 traced points of a full length of 20: a quarter, e = 8 + 10.
        {"short line", kTaperThickMiddle, 200, 20, {10, 19, 28, 19, 10}},
    };
    DrawingTables tables;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(16, 16, 500);
        DrawingSettings s = EdgeSettings(tables);
        s.taper = c.taper;
        s.minWidth = 10;
        s.maxWidth = 74;
        s.densityInfluence = 0;
        s.fullLength = c.fullLength;
        s.fullStrength = 200;
        ZoDrawing drawing(images.Context());
        ASSERT_DOUBLE_EQ(drawing.Scale(), 1.0);
        drawing.SetSettings(&s);
        drawing.ComputeLimits();
        ASSERT_EQ(StorePoints(drawing, {{1, 1}, {3, 1}, {5, 2}, {7, 4}, {9, 9}}, 200, 255,
                              c.meanStrength),
                  1);
        const auto strokes = StrokesOf(drawing);
        ASSERT_EQ(strokes.size(), 1u);
        std::vector<int> radii;
        for (const auto& p : strokes[0].points) radii.push_back(p.radius);
        EXPECT_EQ(radii, c.radii);
        EXPECT_EQ(strokes[0].header.weight, 200);
    }
}

// ---- the store ----------------------------------------------------------------------------------------

TEST(ZoDrawing, AStoreThatCannotGrowFailsTheStrokeAndKeepsTheOthers) {
    ContextImages images(16, 16, 500);
    DrawingTables tables;
    const DrawingSettings s = EdgeSettings(tables);
    ZoDrawing drawing(images.Context());
    drawing.SetSettings(&s);
    drawing.ComputeLimits();
    const size_t oneStroke = sizeof(ZoDrawing::StrokeHeader) + 3 * sizeof(ZoDrawing::StrokePoint);
    drawing.Store().SetCeiling(oneStroke);
    ASSERT_EQ(StorePoints(drawing, {{1, 1}, {4, 6}, {9, 2}}, 100), 1);
    EXPECT_STREQ(images.status, "Drawing:");
    EXPECT_EQ(StorePoints(drawing, {{2, 2}, {5, 5}, {8, 2}}, 100), 0);
    EXPECT_EQ(images.status, NoMemoryText());
    EXPECT_EQ(drawing.StrokeCount(), 1);
    const auto strokes = StrokesOf(drawing);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(PositionsOf(strokes[0]), (Points{{1, 1}, {4, 6}, {9, 2}}));
}

TEST_F(WhiteCorner, RunFailsWhenTheStoreCannotGrow) {
    drawing.Store().SetCeiling(sizeof(ZoDrawing::StrokeHeader) + 2 * sizeof(ZoDrawing::StrokePoint));
    EXPECT_EQ(drawing.Run(&settings), 0);
    EXPECT_EQ(images.status, NoMemoryText());
    EXPECT_EQ(drawing.StrokeCount(), 1) << "the strokes stored so far stay";
}

TEST_F(WhiteCorner, ResetEmptiesTheStore) {
    ASSERT_EQ(drawing.Run(&settings), 1);
    ASSERT_EQ(drawing.StrokeCount(), 2);
    drawing.Reset();
    EXPECT_EQ(drawing.StrokeCount(), 0);
    EXPECT_EQ(drawing.Store().Size(), 0u);
    EXPECT_EQ(drawing.Store().Capacity(), 0u);
    EXPECT_EQ(drawing.Render(0), 1);
    EXPECT_EQ(test_pictures::Checksum(*images.canvas), test_pictures::Checksum(*ContextImages(40, 40, 72).canvas));
}

}  // namespace
