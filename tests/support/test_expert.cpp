// The small test engine of the frame's tests and the test plug-ins.
#include "tests/support/test_expert.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/status_text.h"
#include "imaging/random.h"

namespace test_style {

int Expert::failingPhase = 0;
int Expert::destroyed = 0;
bool Expert::refuseNew = false;

ExpertBase* NewExpert() { return Expert::refuseNew ? nullptr : new (std::nothrow) Expert; }

int Expert::Step() {
    static const int kPercent[kPhases] = {25, 50, 75, 100};
    if (phaseCounter < 0 || phaseCounter >= kPhases) return -1;
    StatusCopy(status, "Test:");
    if (phaseCounter + 1 == failingPhase) {
        StatusAppend(status, "Phase failed.");
        return -1;
    }
    int ok = 0;
    switch (phaseCounter) {
        case 0: ok = Invert(); break;
        case 1: ok = AddNoise(); break;
        case 2: ok = BlurRows(); break;
        case 3: ok = Posterize(); break;
    }
    if (!ok) return -1;
    return kPercent[phaseCounter++];
}

int Expert::Invert() {
    for (int y = 0; y < height; ++y) {
        uint8_t* row = source->Row(y);
        for (int i = 0; i < 3 * width; ++i) row[i] = static_cast<uint8_t>(255 - row[i]);
    }
    return 1;
}

int Expert::AddNoise() {
    for (int y = 0; y < height; ++y) {
        uint8_t* row = source->Row(y);
        for (int i = 0; i < 3 * width; ++i) {
            const int noise = static_cast<int>(NextRandom() >> 28) - 8;
            row[i] = static_cast<uint8_t>(std::clamp(row[i] + noise, 0, 255));
        }
    }
    return 1;
}

// Horizontal 3-tap mean into the canvas, then back into the source.
int Expert::BlurRows() {
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = source->Row(y);
        uint8_t* out = canvas->Row(y);
        for (int x = 0; x < width; ++x) {
            const int left = std::max(x - 1, 0), right = std::min(x + 1, width - 1);
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = static_cast<uint8_t>(
                    (in[3 * left + c] + in[3 * x + c] + in[3 * right + c]) / 3);
        }
    }
    for (int y = 0; y < height; ++y) std::memcpy(source->Row(y), canvas->Row(y), 3 * width);
    return 1;
}

int Expert::Posterize() {
    for (int y = 0; y < height; ++y) {
        uint8_t* row = source->Row(y);
        for (int i = 0; i < 3 * width; ++i) row[i] = static_cast<uint8_t>(row[i] & 0xF0);
    }
    return 1;
}

}  // namespace test_style
