#include "imaging/random.h"

uint32_t RandomState = 0;

int SetSeed(int seed) {
    RandomState = static_cast<uint32_t>(seed);
    return seed;
}
