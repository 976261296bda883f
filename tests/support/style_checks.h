// Checks that the style engines' tests share: a curve's record as a phase fills it, and the
// ground's relief laid by hand at one weight everywhere, to compare a finish with.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "engine/material_info.h"
#include "engine/status_text.h"
#include "engine/zo_material.h"
#include "imaging/dib.h"
#include "imaging/math_tbl.h"

// The curve holds a filled sigmoid named `name` with the four values and the rows given.
inline void ExpectSigmoidCurve(const ParamCurve& curve, const char* name,
                               const double (&values)[4], const double (&steps)[4],
                               const double (&minima)[4], const double (&maxima)[4]) {
    SCOPED_TRACE(name);
    EXPECT_STREQ(curve.name, name);
    EXPECT_EQ(curve.count, 4);
    EXPECT_EQ(curve.type, kCurveSigmoid);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(curve.value[i], values[i]) << i;
        EXPECT_EQ(curve.step[i], steps[i]) << i;
        EXPECT_EQ(curve.minimum[i], minima[i]) << i;
        EXPECT_EQ(curve.maximum[i], maxima[i]) << i;
    }
}

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
