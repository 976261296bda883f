// The default Prefilter phase.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "engine/zo_cluster.h"
#include "imaging/dib.h"
#include "imaging/random.h"

namespace {

using Colour = std::array<int, 3>;  // blue, green, red

std::unique_ptr<TDib> Picture(int width, int height, const std::function<Colour(int, int)>& at) {
    std::unique_ptr<TDib> dib = TDib::Create24(width, height);
    std::memset(dib->Bits(), 0, dib->ImageBytes());
    dib->SetPelsPerMeter(2834, 2834);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour colour = at(x, y);
            for (int c = 0; c < 3; ++c) dib->Row(y)[3 * x + c] = static_cast<uint8_t>(colour[c]);
        }
    return dib;
}

std::unique_ptr<TDib> Copy(const TDib& dib) {
    std::unique_ptr<TDib> copy = TDib::Create24(dib.Width(), dib.Height());
    std::memcpy(copy->Bits(), dib.Bits(), dib.ImageBytes());
    return copy;
}

bool SamePixels(const TDib& a, const TDib& b) {
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), 3 * static_cast<size_t>(a.Width())) != 0) return false;
    return true;
}

// An engine with source and status set and the work images made.
struct Engine {
    explicit Engine(std::unique_ptr<TDib> picture) : source(std::move(picture)) {
        engine.source = source.get();
        engine.status = status;
    }
    std::unique_ptr<TDib> source;
    char status[kStatusSize] = "";
    ExpertBase engine;
};

TEST(PhasePrefilter, SmallPictureEndsAsItsFilteredCentre) {
    // 3 × 3, smooth enough that Denoise leaves it (measure 3 × 1672 / 4 = 1254 < 8000).
    // PairSmooth: the left neighbour 90 and the row before 104 are the closer ones,
    // (90 + 104) >> 1 = 97, repeated over the border; Sharpen of a flat canvas keeps it.
    const int grey[3][3] = {{100, 104, 100}, {90, 100, 120}, {100, 95, 100}};  // [y][x]
    Engine e(Picture(3, 3, [&](int x, int y) {
        const int v = grey[y][x];
        return Colour{v, v, v};
    }));
    ASSERT_EQ(e.engine.Initialize(), 1);
    const uint32_t randomState = RandomState;
    EXPECT_EQ(e.engine.Prefilter(), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(e.source->Row(y)[3 * x + c], 97) << x << "," << y;
                EXPECT_EQ(e.engine.canvas->Row(y)[3 * x + c], 97) << "canvas " << x << "," << y;
            }
        }
    EXPECT_STREQ(e.status, "Cluster:");
    EXPECT_EQ(RandomState, randomState) << "the filters draw nothing";
}

TEST(PhasePrefilter, RunsDenoisePairSmoothAndSharpenIntoTheSource) {
    // Rough enough that Denoise smooths (a 0/200 checkerboard with a slope).
    const auto rough = [](int x, int y) {
        const int v = ((x + y) % 2) * 200;
        return Colour{v, (v + 13 * x) % 256, (255 - v + 7 * y) % 256};
    };
    Engine e(Picture(7, 5, rough));
    ASSERT_EQ(e.engine.Initialize(), 1);
    EXPECT_EQ(e.engine.Prefilter(), 1);

    // The same chain by hand on a copy: source in place, source -> canvas, canvas -> source.
    std::unique_ptr<TDib> source = Picture(7, 5, rough);
    std::unique_ptr<TDib> canvas = TDib::Create24(7, 5);
    char status[kStatusSize] = "";
    ZoCluster cluster(source.get(), canvas.get(), status);
    EXPECT_EQ(cluster.Denoise(8000), 1) << "this picture is rough enough to be smoothed";
    const std::unique_ptr<TDib> denoised = Copy(*source);
    cluster.PairSmooth(1);
    cluster.Sharpen(7, 0);

    EXPECT_TRUE(SamePixels(*e.source, *source)) << "the result ends in the source";
    EXPECT_TRUE(SamePixels(*e.engine.canvas, *canvas)) << "the canvas holds the PairSmooth";

    // Without the Denoise the chain gives another picture: the phase did run it.
    std::unique_ptr<TDib> plain = Picture(7, 5, rough);
    std::unique_ptr<TDib> plainCanvas = TDib::Create24(7, 5);
    ZoCluster noDenoise(plain.get(), plainCanvas.get(), status);
    noDenoise.PairSmooth(1);
    noDenoise.Sharpen(7, 0);
    EXPECT_FALSE(SamePixels(*e.source, *plain));
    EXPECT_FALSE(SamePixels(*denoised, *Picture(7, 5, rough)));
}

TEST(PhasePrefilter, WithoutACanvasLeavesThePictureAndItsText) {
    // Not initialised: no canvas, so the filter object is invalid and does nothing; the
    // phase itself does not test the filters' results.
    Engine e(Picture(4, 4, [](int x, int y) { return Colour{x * 60, y * 60, 30}; }));
    const std::unique_ptr<TDib> original = Copy(*e.source);
    EXPECT_EQ(e.engine.Prefilter(), 1);
    EXPECT_TRUE(SamePixels(*e.source, *original));
    EXPECT_STREQ(e.status, "Cluster:Invalid Dib.");
}

TEST(PhasePrefilter, OnePixelPicture) {
    Engine e(Picture(1, 1, [](int, int) { return Colour{10, 20, 30}; }));
    ASSERT_EQ(e.engine.Initialize(), 1);
    EXPECT_EQ(e.engine.Prefilter(), 1);
    EXPECT_EQ(e.source->Row(0)[0], 10);
    EXPECT_EQ(e.source->Row(0)[1], 20);
    EXPECT_EQ(e.source->Row(0)[2], 30);
}

}  // namespace
