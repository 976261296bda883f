// The default Deform phase.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "engine/zo_form.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"

namespace {

std::vector<uint8_t> PixelsOf(const TDib& image) {
    return std::vector<uint8_t>(image.Bits(), image.Bits() + image.ImageBytes());
}

// An initialised engine on a 37 × 29 gradient whose two maps and canvas hold patterns.
struct PhaseDeform : ::testing::Test {
    char status[kStatusSize] = "";
    std::unique_ptr<TDib> picture = test_pictures::Gradient(37, 29);
    ExpertBase engine;

    void SetUp() override {
        engine.source = picture.get();
        engine.status = status;
        ASSERT_EQ(engine.Initialize(), 1);
        for (int y = 0; y < 29; ++y) {
            for (int x = 0; x < 37; ++x) {
                engine.colorIndexMap->Row(y)[x] = static_cast<uint8_t>((x / 4 + y / 3) % 64);
                engine.focusMap->Row(y)[x] = static_cast<uint8_t>(x * 7);
            }
        }
        std::memset(engine.canvas->Bits(), 0x5A, engine.canvas->ImageBytes());
        StatusCopy(status, "Low:");
    }
};

TEST_F(PhaseDeform, LevelZeroLeavesSourceCanvasAndBothMaps) {
    engine.deformLevel = 0;
    const auto source = PixelsOf(*picture);
    const auto canvas = PixelsOf(*engine.canvas);
    const auto indices = PixelsOf(*engine.colorIndexMap);
    const auto focus = PixelsOf(*engine.focusMap);
    const uint32_t state = RandomState;
    EXPECT_EQ(engine.Deform(), 1);
    EXPECT_EQ(PixelsOf(*picture), source);
    EXPECT_EQ(PixelsOf(*engine.canvas), canvas);
    EXPECT_EQ(PixelsOf(*engine.colorIndexMap), indices);
    EXPECT_EQ(PixelsOf(*engine.focusMap), focus);
    EXPECT_EQ(RandomState, state);
    EXPECT_STREQ(status, "Low:") << "no component was made";
}

TEST_F(PhaseDeform, LevelsPickTheDistortionStrength) {
    struct Case {
        int level;
        double strength;
    } cases[] = {{1, 0.03}, {2, 0.06}, {5, 0.03}};  // out of range: the level-1 strength
    const auto source = PixelsOf(*picture);
    const auto indices = PixelsOf(*engine.colorIndexMap);
    const auto focus = PixelsOf(*engine.focusMap);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        // The same deformation done by hand on copies.
        auto expectedSource = test_pictures::Gradient(37, 29);
        auto expectedIndices = TDib::Create8(37, 29);
        auto expectedFocus = TDib::Create8(37, 29);
        auto work = TDib::Create24(37, 29);
        std::memcpy(expectedIndices->Bits(), indices.data(), indices.size());
        std::memcpy(expectedFocus->Bits(), focus.data(), focus.size());
        char scratch[kStatusSize] = "";
        ZoForm form(37, 29, scratch);
        ASSERT_EQ(form.Distort(c.strength, 0.0), 1);
        ASSERT_EQ(form.WarpImage(expectedSource.get(), work.get()), 1);
        ASSERT_EQ(form.WarpPlanes(expectedIndices.get(), expectedFocus.get(), work.get()), 1);

        std::memcpy(picture->Bits(), source.data(), source.size());
        std::memcpy(engine.colorIndexMap->Bits(), indices.data(), indices.size());
        std::memcpy(engine.focusMap->Bits(), focus.data(), focus.size());
        engine.deformLevel = c.level;
        EXPECT_EQ(engine.Deform(), 1);
        EXPECT_STREQ(status, "Form:");
        EXPECT_EQ(PixelsOf(*picture), PixelsOf(*expectedSource));
        EXPECT_EQ(PixelsOf(*engine.colorIndexMap), PixelsOf(*expectedIndices));
        EXPECT_EQ(PixelsOf(*engine.focusMap), PixelsOf(*expectedFocus));
        EXPECT_NE(PixelsOf(*picture), source) << "the picture is bent";
    }
}

TEST_F(PhaseDeform, ComponentThatCannotBeMadeFailsThePhase) {
    // Without Initialize an engine has no size, so the deformation cannot be set up.
    char bareStatus[kStatusSize] = "Low:";
    auto barePicture = test_pictures::Gradient(5, 5);
    ExpertBase bare;
    bare.source = barePicture.get();
    bare.status = bareStatus;
    const auto before = PixelsOf(*barePicture);
    EXPECT_EQ(bare.Deform(), 0);
    EXPECT_STREQ(bareStatus, "メモリが足りません。");
    EXPECT_EQ(PixelsOf(*barePicture), before);
}

}  // namespace
