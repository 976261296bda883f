// Checks that the style engines' tests share: the ground's relief laid by hand at one weight
// everywhere, to compare a finish with.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "engine/material_info.h"
#include "engine/status_text.h"
#include "engine/zo_material.h"
#include "imaging/dib.h"

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
