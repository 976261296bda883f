// ZoPart::Outline: black outlines along the borders between parts. Border pixels are marked,
// then the marks grow outward step by step, each candidate taken by chance, and every marked
// pixel becomes label 255 painted black. The canvas's blue and green bytes serve as the two
// planes that the growing steps read and write in turn.
#include <cstdint>

#include "engine/zo_part.h"
#include "imaging/random.h"

namespace {

constexpr int kBluePlane = 0;
constexpr int kGreenPlane = 1;

// Whether one of the four neighbours of (x, y) inside the picture satisfies `test`, tried in
// the order right, above, left, below (rows in storage order).
template <typename Test>
bool AnyNeighbour(int x, int y, int width, int height, Test&& test) {
    return (x + 1 < width && test(x + 1, y)) || (y + 1 < height && test(x, y + 1)) ||
           (x > 0 && test(x - 1, y)) || (y > 0 && test(x, y - 1));
}

}  // namespace

void ZoPart::Outline(int width, int percent, const uint8_t* table) {
    if (!valid_ || width <= 0 || percent <= 0 || table == nullptr) return;
    if (percent > 100) percent = 100;
    outlineWidth_ = width;

    // The chance as a 32-bit threshold; 100 % may round just above 2^32 - 1 in floating point.
    double chance = percent * 4294967295.0 * 0.01;
    if (chance > 4294967295.0) chance = 4294967295.0;
    const uint32_t threshold = static_cast<uint32_t>(chance);
    int reach[256];
    for (int f = 0; f < 256; ++f) reach[f] = static_cast<int>(int64_t{table[f]} * width / 255);

    const int w = width_;
    const int h = height_;
    auto label = [&](int x, int y) { return labelMap_->Row(y)[x]; };
    auto plane = [&](int x, int y, int p) -> uint8_t& { return canvas_->Row(y)[3 * x + p]; };

    for (int y = 0; y < h; ++y) {
        const uint8_t* focus = focusMap_->Row(y);
        for (int x = 0; x < w; ++x) {
            const uint8_t own = label(x, y);
            const bool border =
                reach[focus[x]] > 0 &&
                AnyNeighbour(x, y, w, h, [&](int nx, int ny) { return label(nx, ny) != own; });
            const uint8_t mark = border ? 255 : 0;
            plane(x, y, kBluePlane) = mark;
            plane(x, y, kGreenPlane) = mark;
        }
    }

    int written = kGreenPlane;
    for (int r = 0; r <= width; ++r) {
        const int read = r % 2 == 0 ? kBluePlane : kGreenPlane;
        written = read == kBluePlane ? kGreenPlane : kBluePlane;
        for (int y = 0; y < h; ++y) {
            const uint8_t* focus = focusMap_->Row(y);
            uint8_t* pixel = canvas_->Row(y);
            for (int x = 0; x < w; ++x, pixel += 3) {
                if (pixel[read] != 0) {
                    pixel[written] = pixel[read];
                } else if (r + 1 < reach[focus[x]]) {
                    // The draw comes first: every candidate steps the generator, taken or not.
                    if (ChanceOf(NextRandom(), threshold) &&
                        AnyNeighbour(x, y, w, h,
                                     [&](int nx, int ny) { return plane(nx, ny, read) != 0; })) {
                        pixel[written] = 255;
                    }
                }
            }
        }
    }

    for (int y = 0; y < h; ++y) {
        uint8_t* labels = labelMap_->Row(y);
        uint8_t* pixel = canvas_->Row(y);
        for (int x = 0; x < w; ++x, pixel += 3) {
            if (pixel[written] != 255) continue;
            labels[x] = kOutline;
            pixel[0] = pixel[1] = pixel[2] = 0;
        }
    }
}
