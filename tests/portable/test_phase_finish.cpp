// The default Finish phase.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "engine/zo_material.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"

namespace {

std::vector<uint8_t> PixelsOf(const TDib& image) {
    return std::vector<uint8_t>(image.Bits(), image.Bits() + image.ImageBytes());
}

// An initialised engine on a 13 × 9 gradient with a focus map from background to subject and
// a small ground of its own.
struct PhaseFinish : ::testing::Test {
    char status[kStatusSize] = "";
    std::unique_ptr<TDib> picture = test_pictures::Gradient(13, 9);
    std::vector<uint8_t> texture = std::vector<uint8_t>(16 * 16);
    MaterialInfo ground = {16, 255, 244, 210, 100, 180, 250, 100, 30, 12, nullptr};
    ExpertBase engine;

    void SetUp() override {
        for (int i = 0; i < 16 * 16; ++i) texture[i] = static_cast<uint8_t>(100 + (i * 37) % 151);
        ground.texture = texture.data();
        engine.source = picture.get();
        engine.status = status;
        ASSERT_EQ(engine.Initialize(), 1);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 13; ++x) engine.focusMap->Row(y)[x] = static_cast<uint8_t>(x * 20);
        }
        StatusCopy(status, "Form:");
    }
};

TEST_F(PhaseFinish, NoGroundOrAPlainGroundDoesNothing) {
    MaterialInfo plain = {0, 255, 255, 255, 255, 255, 255, 100, 50, 14, texture.data()};
    const MaterialInfo* grounds[] = {nullptr, &plain};
    const auto before = PixelsOf(*picture);
    for (const MaterialInfo* g : grounds) {
        SCOPED_TRACE(g == nullptr ? "no ground" : "plain ground");
        engine.ground = g;
        const uint32_t state = RandomState;
        EXPECT_EQ(engine.Finish(), 1);
        EXPECT_EQ(PixelsOf(*picture), before);
        EXPECT_EQ(RandomState, state);
        EXPECT_STREQ(status, "Form:") << "no component was made";
    }
}

TEST_F(PhaseFinish, ReliefWeighedByTheWightCurveOfTheMaterialLevel) {
    struct Case {
        int level;
        double low, high;
    } cases[] = {{0, 0.2, 0.05}, {1, 0.4, 0.1}, {2, 0.6, 0.2}, {-1, 0.4, 0.1}};
    const auto source = PixelsOf(*picture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        // The same relief done by hand from the same random state.
        auto expected = test_pictures::Gradient(13, 9);
        char scratch[kStatusSize] = "";
        const uint32_t state = RandomState;
        MathTbl weights;
        weights.Sigmoid(0.01, 0.0, c.low, c.high);
        {
            ZoMaterial material(expected.get(), nullptr, engine.focusMap.get(), ground, scratch);
            ASSERT_TRUE(material.IsValid());
            material.ApplyTexture(weights.Table(), 4, -4, -4, 4);
        }
        const uint32_t stateAfter = RandomState;

        SetSeed(static_cast<int>(state));
        std::memcpy(picture->Bits(), source.data(), source.size());
        engine.ground = &ground;
        engine.materialLevel = c.level;
        EXPECT_EQ(engine.Finish(), 1);
        EXPECT_STREQ(status, "Material:");
        EXPECT_EQ(RandomState, stateAfter);
        EXPECT_EQ(PixelsOf(*picture), PixelsOf(*expected));
        EXPECT_NE(PixelsOf(*picture), source) << "the ground shows";
    }
}

TEST_F(PhaseFinish, ReliefThatCannotBeSetUpFailsThePhase) {
    // No focus map to weigh the ground by: the component is not valid.
    engine.focusMap.reset();
    engine.ground = &ground;
    const auto before = PixelsOf(*picture);
    EXPECT_EQ(engine.Finish(), 0);
    EXPECT_STREQ(status, "メモリが足りません。");
    EXPECT_EQ(PixelsOf(*picture), before);
}

}  // namespace
