// Checks that the style engines' tests share: the ground's relief laid by hand at one weight
// everywhere, to compare a finish with; a small textured ground and a focus ramp to lay it on;
// and the finish's relief by material level checked against it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/material_info.h"
#include "engine/status_text.h"
#include "engine/zo_material.h"
#include "imaging/dib.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "tests/support/curve_expectations.h"
#include "tests/support/pictures.h"

// Lays the ground's relief over `picture` as ZoMaterial::ApplyTexture(table, a, b, c, d) does
// with `weight` at every focus, drawing from the random state as it stands.
inline void LayReliefByHand(TDib& picture, TDib& focusMap, const MaterialInfo& ground, int weight,
                            int a, int b, int c, int d) {
    char status[kStatusSize] = "";
    uint8_t weights[256];
    std::memset(weights, weight, sizeof weights);
    ZoMaterial material(&picture, nullptr, &focusMap, ground, status);
    ASSERT_TRUE(material.IsValid());
    material.ApplyTexture(weights, a, b, c, d);
}

// The heights of a small 16 × 16 ground: 100..250, scrambled so that neighbours differ.
inline std::vector<uint8_t> SmallGroundTexture() {
    std::vector<uint8_t> texture(16 * 16);
    for (int i = 0; i < 16 * 16; ++i) texture[i] = static_cast<uint8_t>(100 + (i * 37) % 151);
    return texture;
}

// A textured ground over `texture` (SmallGroundTexture's heights), which must outlive it.
inline MaterialInfo SmallGround(uint8_t* texture) {
    return {16, 255, 244, 210, 100, 180, 250, 100, 30, 12, texture};
}

// A focus that rises from background to subject across the columns: x * 21.
inline void RampFocusAcrossColumns(TDib& focusMap) {
    for (int y = 0; y < focusMap.Height(); ++y)
        for (int x = 0; x < focusMap.Width(); ++x)
            focusMap.Row(y)[x] = static_cast<uint8_t>(x * 21);
}

// The relief's weight at a material level: its curve's low and high, and every table entry.
struct ReliefWeight {
    int level;
    double w;
    int weight;
};
inline constexpr ReliefWeight kReliefWeights[] = {{0, 0.3, 76}, {1, 0.5, 127}, {2, 0.8, 204}};

// The finish of `engine`, initialised at c.level on its ground, lays the relief at one weight:
// its curve "Wight" is the flat sigmoid at c.w, its table c.weight throughout, and the picture
// and the random state end as the relief laid by hand (the displacement's last argument
// `lastShift`) leaves them from the same state. `weightCurve(engine)` gives the curve.
template <typename Engine, typename WeightCurve>
void ExpectReliefAtOneWeight(Engine& engine, const ReliefWeight& c, int lastShift,
                             WeightCurve weightCurve) {
    TDib& picture = *engine.source;
    const std::unique_ptr<TDib> expected =
        test_pictures::Crop(picture, 0, 0, picture.Width(), picture.Height());
    const uint32_t state = RandomState;
    LayReliefByHand(*expected, *engine.focusMap, *engine.ground, c.weight, 2, 0, -4, lastShift);
    const uint32_t stateAfter = RandomState;

    SetSeed(static_cast<int>(state));
    EXPECT_EQ(engine.Finish(), 1);
    const ParamCurve* curve = weightCurve(engine);
    ASSERT_NE(curve, nullptr) << "Wight";
    constexpr CurveRows kReliefRows = {{0.01, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, {5, 1, 1, 1}};
    ExpectSigmoidCurve(*curve, "Wight", {0, 0, c.w, c.w}, &kReliefRows);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(curve->table[i], c.weight) << i;
    EXPECT_EQ(test_pictures::PixelBytes(picture), test_pictures::PixelBytes(*expected));
    EXPECT_EQ(RandomState, stateAfter);
}
