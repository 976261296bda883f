// The random generator's state a number of steps on, for tests that count a component's draws.
#pragma once

#include <cstdint>

#include "imaging/random.h"

// `state` advanced `steps` times as the generator advances it.
inline uint32_t StateAfterSteps(uint32_t state, uint32_t steps) {
    for (uint32_t n = 0; n < steps; ++n) state = NextState(state);
    return state;
}
