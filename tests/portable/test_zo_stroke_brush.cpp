// ZoStroke: construction, loading and scaling a brush into slices of (coverage, relief) pairs,
// the buffer limit, and the settings the setters leave.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/zo_stroke.h"
#include "tests/support/context_images.h"
#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

namespace {

// A 24-bit brush bitmap; red and green from functions of (x, y), blue 0.
std::unique_ptr<TDib> BrushBitmap(int width, int height, const std::function<int(int, int)>& red,
                                  const std::function<int(int, int)>& green) {
    auto bitmap = TDib::Create24(width, height);
    test_pictures::FillPixels(*bitmap, 0, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            test_pictures::SetPixel(*bitmap, x, y, 0, green(x, y), red(x, y));
    return bitmap;
}

std::vector<int> PairsOf(const ZoStroke& stroke) {
    return std::vector<int>(stroke.Pairs(), stroke.Pairs() + stroke.BytesUsed());
}

struct ZoStrokeBrush : ::testing::Test {
    ContextImages images{10, 10, 72, 0};
    ZoStroke stroke{images.source.get(), images.canvas.get(), images.focusMap.get(),
                    images.colorIndexMap.get(), images.status};
};

TEST(ZoStrokeConstruction, AcceptsOnlyMatchingImages) {
    ContextImages images(6, 4, 72, 0);
    ContextImages other(4, 6, 72, 0);
    struct Case {
        const char* name;
        TDib *source, *canvas, *focus, *labels;
        bool valid;
    } cases[] = {
        {"all fit", images.source.get(), images.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(), true},
        {"no source", nullptr, images.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(), false},
        {"8-bit source", images.focusMap.get(), images.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(), false},
        {"canvas of another size", images.source.get(), other.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(), false},
        {"8-bit canvas", images.source.get(), images.colorIndexMap.get(), images.focusMap.get(), images.colorIndexMap.get(), false},
        {"24-bit focus map", images.source.get(), images.canvas.get(), images.canvas.get(), images.colorIndexMap.get(), false},
        {"label map of another size", images.source.get(), images.canvas.get(), images.focusMap.get(), other.colorIndexMap.get(), false},
        {"no label map", images.source.get(), images.canvas.get(), images.focusMap.get(), nullptr, false},
    };
    auto knife = BrushBitmap(4, 4, [](int, int) { return 255; }, [](int, int) { return 128; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatusCopy(images.status, "Mass:old");
        ZoStroke stroke(c.source, c.canvas, c.focus, c.labels, images.status);
        EXPECT_EQ(stroke.IsValid(), c.valid);
        EXPECT_STREQ(images.status, "Stroke:");
        EXPECT_EQ(stroke.LoadBrushFromBitmap(knife.get(), 1000, 2.0, 1.0, 1.0), c.valid ? 1 : 0);
        EXPECT_STREQ(images.status, "Stroke:") << "an invalid object adds no text";
        if (!c.valid) {
            EXPECT_EQ(stroke.Paint(), 0);
        }
    }
}

TEST_F(ZoStrokeBrush, DefaultsAfterConstruction) {
    const StrokeSettings& s = stroke.Settings();
    EXPECT_EQ(s.sampleFromSource, 1);
    EXPECT_EQ(s.densityThreshold, 4294967295u);
    EXPECT_EQ(s.stepX, 10);
    EXPECT_EQ(s.stepY, 10);
    EXPECT_EQ(s.jitterX, 0);
    EXPECT_EQ(s.focusLow, 0);
    EXPECT_EQ(s.focusHigh, 255);
    EXPECT_EQ(s.brightnessLow, -382);
    EXPECT_EQ(s.brightnessHigh, 1148);
    EXPECT_EQ(s.maxVariance[0], 1200u);
    EXPECT_EQ(s.maxVariance[255], 1200u);
    EXPECT_EQ(s.minVariance[17], 0u);
    EXPECT_EQ(stroke.BrushPixels(), 0);
    EXPECT_EQ(stroke.Paint(), 0) << "no brush yet";
}

// The synthetic 4 × 6 brush, fully covered: relief rises by 10 per pair.
std::unique_ptr<TDib> FourBySix() {
    return BrushBitmap(4, 6, [](int, int) { return 255; }, [](int x, int y) { return 10 * (4 * y + x); });
}

TEST_F(ZoStrokeBrush, FourBySixBrushIsStoredInRowSlices) {
    auto bitmap = FourBySix();
    ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, 1.0, 1.0), 1);
    EXPECT_EQ(stroke.BrushPixels(), 24);
    EXPECT_EQ(stroke.BytesUsed(), 48);
    EXPECT_EQ(stroke.BufferSize(), 1000);
    EXPECT_EQ(stroke.RowsFlag(), 1) << "taller than wide";
    EXPECT_EQ(stroke.SliceCount(), 6);
    EXPECT_EQ(stroke.BendSize(), 42);
    EXPECT_EQ(stroke.ExtentX(), 4);
    EXPECT_EQ(stroke.ExtentY(), 6);
    // Centre (6 × 6 / 24, 4 × 15 / 24) = (1, 2), integer division.
    EXPECT_EQ(stroke.CentreX(), 1);
    EXPECT_EQ(stroke.CentreY(), 2);
    EXPECT_EQ(stroke.SliceOffset(), -2);
    for (int t = 0; t < 6; ++t) {
        EXPECT_EQ(stroke.SliceStart(t), -1);
        EXPECT_EQ(stroke.SliceLength(t), 4);
    }
    for (int i = 0; i < 42; ++i) EXPECT_EQ(stroke.Bend(i), 0);
    std::vector<int> expected;
    for (int k = 0; k < 24; ++k) {
        expected.push_back(255);  // 2.0 × 0.5 × 255
        expected.push_back(10 * k);
    }
    EXPECT_EQ(PairsOf(stroke), expected);
}

TEST_F(ZoStrokeBrush, SlicesStartAtTheirFirstCoveredPosition) {
    // A 5 × 3 brush (column slices): column 0 empty, column 1 covered in row 2 only, columns
    // 2..4 in rows 1..2.
    auto bitmap = BrushBitmap(5, 3, [](int x, int y) { return (x == 1 && y == 2) || (x >= 2 && y >= 1) ? 255 : 0; },
                              [](int, int) { return 128; });
    ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 1.0, 1.0, 1.0), 1);
    EXPECT_EQ(stroke.RowsFlag(), 0);
    EXPECT_EQ(stroke.SliceCount(), 5);
    EXPECT_EQ(stroke.BrushPixels(), 7);
    // Centre: x (1 + 2·2 + 3·2 + 4·2) / 7 = 2, y (2 + 3·3) / 7 = 1.
    EXPECT_EQ(stroke.CentreX(), 2);
    EXPECT_EQ(stroke.CentreY(), 1);
    EXPECT_EQ(stroke.SliceOffset(), -2);
    const int starts[5] = {3 - 1, 2 - 1, 0, 0, 0};  // an empty slice keeps its full length
    const int lengths[5] = {0, 1, 2, 2, 2};
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(stroke.SliceStart(t), starts[t]) << t;
        EXPECT_EQ(stroke.SliceLength(t), lengths[t]) << t;
    }
    EXPECT_EQ(stroke.ExtentX(), 4);
    EXPECT_EQ(stroke.ExtentY(), 2);
}

TEST_F(ZoStrokeBrush, TheBufferMustKeepTwoBytesSpare) {
    auto bitmap = FourBySix();  // 24 pairs, 48 bytes
    struct Case {
        int size;
        int result;
    } cases[] = {{50, 0}, {51, 1}, {2, 0}, {0, 0}, {-5, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        StatusCopy(images.status, "Stroke:");
        EXPECT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), c.size, 2.0, 1.0, 1.0), c.result);
        EXPECT_STREQ(images.status, c.result ? "Stroke:" : "Stroke:Out Of Brush Buffer");
        EXPECT_EQ(stroke.BrushPixels(), c.result ? 24 : 0);
        EXPECT_EQ(stroke.SliceCount(), c.result ? 6 : 0);
        EXPECT_EQ(stroke.ExtentX(), c.result ? 4 : 0);
    }
}

TEST_F(ZoStrokeBrush, CoverageFactorHalvesAndDropsFaintPairs) {
    const int reds[6] = {255, 29, 28, 0, 128, 200};
    auto bitmap = BrushBitmap(6, 2, [&](int x, int) { return reds[x]; }, [](int, int) { return 128; });
    struct Case {
        double factor;
        std::vector<int> coverages;  // per column with a pair, row 0 then row 1 of each column
    } cases[] = {
        {0.9, {114, 114, 13, 13, 57, 57, 90, 90}},  // trunc(0.45 × red); 28 gives 12: dropped
        {2.0, {255, 255, 29, 29, 28, 28, 128, 128, 200, 200}},
        {2.4, {255, 255, 34, 34, 33, 33, 153, 153, 240, 240}},  // 306 clamped, not wrapped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, c.factor, 1.0, 1.0), 1);
        std::vector<int> coverages;
        for (int k = 0; k < stroke.BrushPixels(); ++k) coverages.push_back(stroke.Pairs()[2 * k]);
        EXPECT_EQ(coverages, c.coverages);
    }
}

TEST_F(ZoStrokeBrush, ReliefFactorScalesAroundFlat) {
    const int greens[4] = {208, 48, 128, 0};
    auto bitmap = BrushBitmap(4, 2, [](int, int) { return 255; }, [&](int x, int) { return greens[x]; });
    struct Case {
        double factor;
        int reliefs[4];
    } cases[] = {
        {0.5, {168, 88, 128, 64}},
        {1.0, {208, 48, 128, 0}},
        {3.0, {255, 0, 128, 0}},  // 368 and -112, -256 clamped, not wrapped
        {0.0, {128, 128, 128, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, 1.0, c.factor), 1);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(stroke.Pairs()[2 * (2 * x) + 1], c.reliefs[x]) << x;
    }
}

TEST_F(ZoStrokeBrush, ShrinkingAveragesBoxesOfTheBitmap) {
    // An 8 × 8 bitmap whose red is 16 × x + y and green 100 + x.
    auto bitmap = BrushBitmap(8, 8, [](int x, int y) { return 16 * x + y + 20; }, [](int x, int) { return 100 + x; });
    struct Case {
        double scale;
        int side;
        std::vector<int> pairs;  // column slices: (x, y) = (0,0), (0,1), (1,0), ...
    } cases[] = {
        // Box 4: means of 4 × 4 blocks; red 16·1.5 + 1.5 + 20 = 45.5 -> 45; green 101.5 gives
        // trunc(101.5 - 128) + 128 = 102 (truncation toward zero).
        {0.25, 2, {45, 102, 49, 102, 109, 106, 113, 106}},
        // Box 2 over 2 × 2 blocks at (0,0), (0,2), ...: first column x 0..1.
        {0.5, 4, {28, 101, 30, 101, 32, 101, 34, 101, 60, 103, 62, 103, 64, 103, 66, 103,
                  92, 105, 94, 105, 96, 105, 98, 105, 124, 107, 126, 107, 128, 107, 130, 107}},
        // Box 1 (u = 1.333): single pixels at trunc(x × u) = 0, 1, 2, 4, 5, 6.
        {0.75, 6, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, c.scale, 1.0), 1);
        EXPECT_EQ(stroke.SliceCount(), c.side);
        EXPECT_EQ(stroke.BrushPixels(), c.side * c.side);
        if (!c.pairs.empty()) {
            EXPECT_EQ(PairsOf(stroke), c.pairs);
        }
    }
    // Scale 0.75 picks the pixel itself: scaled column 3 is bitmap column 4, row 5 is row 6.
    const int picked[6] = {0, 1, 2, 4, 5, 6};
    for (int t = 0; t < 6; ++t)
        for (int j = 0; j < 6; ++j) {
            const int k = 6 * t + j;
            EXPECT_EQ(stroke.Pairs()[2 * k], 16 * picked[t] + picked[j] + 20);
            EXPECT_EQ(stroke.Pairs()[2 * k + 1], 100 + picked[t]);
        }
}

TEST_F(ZoStrokeBrush, EnlargingInterpolatesAndClampsTheLastPixel) {
    // 2 × 2 bitmap, red (row 0) 40 200, (row 1) 100 255; scale 2: positions 0, 0.5, then 1.0
    // reached as x0 = 0 with fraction 1.
    const int red[2][2] = {{40, 200}, {100, 255}};
    auto bitmap = BrushBitmap(2, 2, [&](int x, int y) { return red[y][x]; }, [](int, int) { return 128; });
    ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, 2.0, 1.0), 1);
    ASSERT_EQ(stroke.SliceCount(), 4);
    ASSERT_EQ(stroke.BrushPixels(), 16);
    const int expected[4][4] = {
        // [column t][row j]: column 0 is 40 .. 100, column 1 halfway to the right column.
        {40, 70, 100, 100},
        {120, 148, 177, 177},  // top 120, bottom 177.5; (120 + 177.5) / 2 = 148.75
        {200, 227, 255, 255},
        {200, 227, 255, 255},
    };
    for (int t = 0; t < 4; ++t)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(stroke.Pairs()[2 * (4 * t + j)], expected[t][j]) << t << "," << j;
}

TEST_F(ZoStrokeBrush, SidesAreAtLeastTwoAndSquaresUseColumns) {
    auto bitmap = BrushBitmap(3, 3, [](int, int) { return 255; }, [](int, int) { return 128; });
    ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, 0.1, 1.0), 1);
    EXPECT_EQ(stroke.SliceCount(), 2);
    EXPECT_EQ(stroke.RowsFlag(), 0);
    // Box 10 from (0, 0) covers the bitmap; the other positions start outside it.
    EXPECT_EQ(stroke.BrushPixels(), 1);
    EXPECT_EQ(stroke.SliceLength(1), 0);
}

TEST_F(ZoStrokeBrush, RefusedBrushes) {
    auto eightBit = TDib::Create8(4, 4);
    auto narrow = BrushBitmap(1, 6, [](int, int) { return 255; }, [](int, int) { return 128; });
    auto low = BrushBitmap(6, 1, [](int, int) { return 255; }, [](int, int) { return 128; });
    auto good = FourBySix();
    struct Case {
        const char* name;
        const TDib* bitmap;
        double scale;
        const char* status;
    } cases[] = {
        {"no bitmap", nullptr, 1.0, "Stroke:Load Brush."},
        {"8 bits", eightBit.get(), 1.0, "Stroke:Bad Brush."},
        {"one column", narrow.get(), 1.0, "Stroke:Bad Brush."},
        {"one row", low.get(), 1.0, "Stroke:Bad Brush."},
        {"scale 0", good.get(), 0.0, "Stroke:Bad Brush."},
        {"negative scale", good.get(), -2.0, "Stroke:Bad Brush."},
        {"scale beyond any picture", good.get(), 1e7, "Stroke:Bad Brush."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(stroke.LoadBrushFromBitmap(good.get(), 1000, 2.0, 1.0, 1.0), 1);
        StatusCopy(images.status, "Stroke:");
        EXPECT_EQ(stroke.LoadBrushFromBitmap(c.bitmap, 1000, 2.0, c.scale, 1.0), 0);
        EXPECT_STREQ(images.status, c.status);
        EXPECT_EQ(stroke.BrushPixels(), 0) << "the old brush is gone";
        EXPECT_EQ(stroke.SliceCount(), 0);
    }
    StatusCopy(images.status, "Stroke:");
    EXPECT_EQ(stroke.LoadBrush(TestModule(), "NOSUCHBRUSH", 1000, 0.9, 1.0, 1.0), 0);
    EXPECT_STREQ(images.status, "Stroke:Load Brush.");
}

TEST_F(ZoStrokeBrush, AnEmptyBrushLoadsButPaintsNothing) {
    auto faint = BrushBitmap(4, 4, [](int, int) { return 20; }, [](int, int) { return 128; });
    EXPECT_EQ(stroke.LoadBrushFromBitmap(faint.get(), 1000, 0.9, 1.0, 1.0), 1);  // 9 each
    EXPECT_EQ(stroke.BrushPixels(), 0);
    EXPECT_EQ(stroke.ExtentX(), 0);
    stroke.SetSpacing(1.0, 1.0);
    EXPECT_EQ(stroke.Settings().stepX, 1);
    EXPECT_EQ(stroke.Settings().stepY, 1);
    EXPECT_EQ(stroke.Paint(), 0);
    EXPECT_EQ(stroke.PaintColor(0), 0);
}

TEST_F(ZoStrokeBrush, ANewBrushDropsTheOldBendAndExtentsButKeepsTheSettings) {
    auto first = BrushBitmap(8, 4, [](int, int) { return 255; }, [](int, int) { return 128; });
    ASSERT_EQ(stroke.LoadBrushFromBitmap(first.get(), 1000, 2.0, 1.0, 1.0), 1);
    stroke.SetSpacing(0.5, 0.5);
    stroke.SetBend(1.0, 1.0);
    EXPECT_EQ(stroke.Settings().stepX, 4);
    EXPECT_EQ(stroke.Settings().stepY, 2);
    EXPECT_EQ(stroke.Bend(8), 3);  // a quarter sweep in, 4 × sin(1.57)

    auto second = FourBySix();
    ASSERT_EQ(stroke.LoadBrushFromBitmap(second.get(), 1000, 2.0, 1.0, 1.0), 1);
    EXPECT_EQ(stroke.ExtentX(), 4);
    EXPECT_EQ(stroke.ExtentY(), 6);
    for (int i = 0; i < stroke.BendSize(); ++i) EXPECT_EQ(stroke.Bend(i), 0);
    EXPECT_EQ(stroke.Settings().stepX, 4) << "steps are not recomputed by LoadBrush";
    EXPECT_EQ(stroke.Settings().stepY, 2);
    stroke.SetSpacing(0.5, 0.5);
    EXPECT_EQ(stroke.Settings().stepY, 3);
}

TEST_F(ZoStrokeBrush, SettersStoreWhatTheyAreGiven) {
    auto bitmap = BrushBitmap(9, 5, [](int, int) { return 255; }, [](int, int) { return 128; });
    ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, 1.0, 1.0), 1);
    const StrokeSettings& s = stroke.Settings();

    const struct {
        double p;
        uint32_t threshold;
    } densities[] = {{1.0, 4294967295u}, {0.0, 0u}, {0.5, 2147483647u}, {0.8, 3435973836u},
                     {1.5, 2147483646u}};  // 6442450942 keeps its low 32 bits
    for (const auto& d : densities) {
        stroke.SetDensity(d.p);
        EXPECT_EQ(s.densityThreshold, d.threshold) << d.p;
    }

    stroke.SetSpacing(0.6, 0.6);  // extent 9 × 5
    EXPECT_EQ(s.stepX, 5);
    EXPECT_EQ(s.stepY, 3);
    stroke.SetSpacing(0.01, -1.0);
    EXPECT_EQ(s.stepX, 1);
    EXPECT_EQ(s.stepY, 1);
    stroke.SetSpacing(1.0, 1.0);
    stroke.SetJitter(0.5, 2.0);
    EXPECT_EQ(s.jitterX, 4);
    EXPECT_EQ(s.jitterY, 10);

    stroke.SetFocusRange(50, 255);
    EXPECT_EQ(s.focusLow, 50);
    EXPECT_EQ(s.focusHigh, 255);
    stroke.SetBrightnessRange(0, 255);
    EXPECT_EQ(s.brightnessLow, -382);
    EXPECT_EQ(s.brightnessHigh, 1148);
    stroke.SetBrightnessRange(10, 100);
    EXPECT_EQ(s.brightnessLow, -322);
    EXPECT_EQ(s.brightnessHigh, 218);

    uint8_t table[256];
    for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i);
    stroke.SetMaxVariance(table);
    EXPECT_EQ(s.maxVariance[255], 195075u);  // 3 × 255²
    EXPECT_EQ(s.maxVariance[10], 300u);
    stroke.SetMinVariance(table);
    EXPECT_EQ(s.minVariance[2], 12u);

    stroke.SetColorJitter(-60);
    EXPECT_EQ(s.colorJitter, 60);
    stroke.SetCellShift(-32, -7, 40, -10);
    EXPECT_EQ(s.cellHueStep, 32);
    EXPECT_EQ(s.spareCellValue, 7);
    EXPECT_EQ(s.lightUpStep, 40);
    EXPECT_EQ(s.lightDownStep, 10);
    stroke.SetColorShift(-3, 20, -40);
    EXPECT_EQ(s.hueShift, -3);
    EXPECT_EQ(s.chromaShift, 20);
    EXPECT_EQ(s.lightShift, -40);
    stroke.SetSampleSource(0);
    EXPECT_EQ(s.sampleFromSource, 0);
}

TEST_F(ZoStrokeBrush, BendTableRunsThreeSweeps) {
    // 4 × 2 brush: 4 column slices, extent 2 along them. Amplitude 10 → A = 20, sweep 6.28:
    // entries 0..15 step 6.28 / 16 at 20, 16..23 step 6.28 / 8 at 10, 24..27 step 6.28 / 4 at 5.
    auto bitmap = BrushBitmap(4, 2, [](int, int) { return 255; }, [](int, int) { return 128; });
    ASSERT_EQ(stroke.LoadBrushFromBitmap(bitmap.get(), 1000, 2.0, 1.0, 1.0), 1);
    ASSERT_EQ(stroke.BendSize(), 28);
    stroke.SetBend(10.0, 1.0);
    // sin(1.57) × 20 = 19.99999: truncated, the peak is 19.
    const int expected[28] = {0, 7, 14, 18, 19, 18, 14, 7, 0, -7, -14, -18, -19, -18, -14, -7,
                              0, 7, 9,  7,  0,  -7, -9, -7, 0, 4,  0,   -4};
    for (int i = 0; i < 28; ++i) EXPECT_EQ(stroke.Bend(i), expected[i]) << i;
    stroke.SetBend(0.0, 1.0);
    for (int i = 0; i < 28; ++i) EXPECT_EQ(stroke.Bend(i), 0);
}

TEST_F(ZoStrokeBrush, Knife6AtScaleOneAndFour) {
    ASSERT_EQ(stroke.LoadBrush(TestModule(), "KNIFE6", 150000, 0.9, 1.0, 0.5), 1);
    EXPECT_EQ(stroke.BrushPixels(), 4324);
    EXPECT_EQ(stroke.SliceCount(), 100);
    EXPECT_EQ(stroke.RowsFlag(), 0);
    EXPECT_EQ(stroke.ExtentX(), 95);
    EXPECT_EQ(stroke.ExtentY(), 46);
    EXPECT_EQ(stroke.CentreX(), 49);
    EXPECT_EQ(stroke.CentreY(), 24);
    EXPECT_EQ(stroke.Pairs()[0], 114);
    ASSERT_EQ(stroke.LoadBrush(TestModule(), "knife6", 150000, 0.9, 4.0, 0.5), 1) << "names match in any case";
    EXPECT_EQ(stroke.BrushPixels(), 70866);
    EXPECT_EQ(stroke.BytesUsed(), 141732);
}

}  // namespace
