// The collage style's shared components on the sample picture, pinned by one hash that both
// builds must reach: the extended colour map with the collage thresholds, the line engine
// with the collage settings from tracing to the composite, and the paper fill and shadows of
// a grid of pieces on the PAPER3 ground.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/fnv1a.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "styles/kolda/collage_paper.h"
#include "styles/kolda/collage_shadow.h"
#include "styles/kolda/color_map_ex.h"
#include "styles/kolda/zo_drawing.h"
#include "tests/support/context_images.h"
#include "tests/support/drawing_fixture.h"
#include "tests/support/files.h"
#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

namespace {

class Hash {
public:
    void Add(const void* data, size_t size) {
        value_ = Fnv1a64(static_cast<const uint8_t*>(data), size, value_);
    }
    void Add(const TDib& image) { Add(image.Bits(), image.ImageBytes()); }
    void Add(int64_t v) { Add(&v, sizeof v); }
    uint64_t Value() const { return value_; }

private:
    uint64_t value_ = kFnv1a64Basis;
};

struct Curve {
    uint8_t table[256];
    Curve(double slope, double centre, double low, double high) {
        MathTbl t;
        t.Sigmoid(slope, centre, low, high);
        std::memcpy(table, t.Table(), 256);
    }
};

constexpr int kPieceSide = 20;

TEST(KoldaCrossBuild, SamplePictureThroughEveryComponent) {
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    ASSERT_TRUE(sample);
    const int width = sample->Width(), height = sample->Height();
    ContextImages images(width, height, 72);
    std::memcpy(images.source->Bits(), sample->Bits(), sample->ImageBytes());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2, dy = y - height / 2;
            const int d = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
            images.focusMap->Row(y)[x] = static_cast<uint8_t>(d > 255 ? 0 : 255 - d);
        }
    Hash hash;

    ColorMapEx map(images.status);
    ASSERT_EQ(map.LoadFile(SourcePath("resources/colormaps/kolda.cmp")), 1);
    ASSERT_EQ(map.SetupMasked(images.source.get(), images.source.get(), images.focusMap.get(), 0, 0), 1);
    map.SetThresholds(16, 128, 0, 200);
    ASSERT_EQ(map.Run(), 1);
    hash.Add(*images.source);

    const Curve distance(0.03, 0.4, 0.2, 1.0), spot(0.03, 0.5, 0.0, 1.0),
        minLength(0.03, 0.7, 1.0, 0.4), penSize(0.03, 1.0, 1.0, 0.0), weight(0.0, 1.0, 1.0, 1.0),
        speed(0.03, 0.7, 1.0, 0.0);
    // The collage style's settings at touch level 1, with its curves.
    DrawingTables unused;
    DrawingSettings settings = EdgeSettings(unused);
    settings.minLength = 50;
    settings.minWidth = 15;
    settings.fullLength = 250;
    settings.fullStrength = 150;
    settings.colorDistanceTable = distance.table;
    settings.minLengthTable = minLength.table;
    settings.penSizeTable = penSize.table;
    settings.weightTable = weight.table;
    settings.speedTable = speed.table;
    settings.spotSizeTable = spot.table;
    ZoDrawing drawing(images.Context());
    ASSERT_EQ(drawing.Run(&settings), 1);
    EXPECT_GT(drawing.StrokeCount(), 10);
    hash.Add(drawing.StrokeCount());
    hash.Add(static_cast<int64_t>(drawing.Density() * 1e9));
    drawing.ForEachStroke([&](const ZoDrawing::StrokeHeader& header, const ZoDrawing::StrokePoint* points) {
        hash.Add(&header, sizeof header);
        hash.Add(points, sizeof *points * static_cast<size_t>(header.pointCount));
    });
    const auto mapped = TDib::Create24(width, height);  // the pieces' colours, before the lines
    std::memcpy(mapped->Bits(), images.source->Bits(), images.source->ImageBytes());
    ASSERT_EQ(drawing.Render(1), 1);
    hash.Add(*images.canvas);
    hash.Add(*images.source);

    const std::vector<uint8_t> paper = test_files::ReadAll(SourcePath("resources/grounds/PAPER3.mat"));
    ASSERT_EQ(paper.size(), 80u + 64 * 64);
    std::vector<uint8_t> texture(paper.begin() + 80, paper.end());
    const MaterialInfo ground{64, 255, 244, 210, 174, 234, 253, 100, 30, 13, texture.data()};
    SetSeed(20240601);
    CollagePaper pieces(images.Context(&ground));
    ASSERT_TRUE(pieces.IsValid());
    pieces.SetGains(180, 2, 0, -4, 4);
    int32_t meanFocus[256] = {};
    for (int top = 0; top < height; top += kPieceSide)
        for (int left = 0; left < width; left += kPieceSide) {
            int64_t sums[3] = {0, 0, 0}, count = 0, focus = 0;
            for (int y = top; y < top + kPieceSide && y < height; ++y)
                for (int x = left; x < left + kPieceSide && x < width; ++x) {
                    const uint8_t* p = mapped->Row(y) + 3 * x;
                    sums[0] += p[2], sums[1] += p[1], sums[2] += p[0];
                    focus += images.focusMap->Row(y)[x];
                    ++count;
                    images.colorIndexMap->Row(y)[x] =
                        static_cast<uint8_t>((top / kPieceSide * 7 + left / kPieceSide) % 120);
                }
            meanFocus[(top / kPieceSide * 7 + left / kPieceSide) % 120] = static_cast<int32_t>(focus / count);
            pieces.BeginPiece(sums[0], sums[1], sums[2], count);
            for (int y = top; y < top + kPieceSide && y < height; ++y)
                pieces.PaintSpan(left, left + kPieceSide - 1, y);
        }
    hash.Add(static_cast<int64_t>(RandomState));
    ASSERT_EQ(ShadowEdges(images.canvas.get(), images.colorIndexMap.get(), meanFocus, 6, -62, 31,
                          images.status),
              1);
    hash.Add(*images.canvas);
    EXPECT_EQ(hash.Value(), 12969239040406786103ull);
}

}  // namespace
