// The one random generator of a plug-in module: a 32-bit linear congruential state, 0 when the
// module is loaded, seeded only by the engine before every painting. Every random decision of
// a painting draws from it in a fixed order, so the same picture gives the same painting.
#pragma once

#include <cstdint>

extern uint32_t RandomState;

// One step, state = state × 1566083941 + 1 (mod 2^32); returns the new state. Inline because
// the stroke and noise loops draw several values per pixel.
inline uint32_t NextRandom() {
    RandomState = RandomState * 1566083941u + 1u;
    return RandomState;
}

// state = seed; returns seed.
int SetSeed(int seed);
