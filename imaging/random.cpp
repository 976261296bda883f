// The one random generator's state and its seeds.
#include "imaging/random.h"

#include <cstring>
#include <ctime>

uint32_t RandomState = 0;

int SetSeed(int seed) {
    RandomState = static_cast<uint32_t>(seed);
    return seed;
}

int SeedFromTime() {
    RandomState = static_cast<uint32_t>(std::time(nullptr));
    return static_cast<int>(RandomState);
}

int SeedFromText(const char* text) {
    uint32_t state = 1;
    if (text != nullptr) {
        const size_t length = std::strlen(text);
        const size_t count = length < 31 ? length : 31;
        for (size_t i = 0; i < count; ++i) {
            // The character as a signed byte, added as its 32-bit two's-complement pattern.
            const int32_t c = static_cast<signed char>(text[i]);
            state += (uint32_t{1} << i) * static_cast<uint32_t>(c);
        }
    }
    RandomState = state;
    return static_cast<int>(state);
}
