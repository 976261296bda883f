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

// Whether a neighbour of column x (right, above, left, below; rows in storage order) is marked
// in the plane at byte `plane` of the canvas pixels: `row` is the pixel's canvas row, `above`
// and `below` the rows next to it, or null at the picture's edge.
bool AnyNeighbourMarked(const uint8_t* row, const uint8_t* above, const uint8_t* below, int x,
                        int width, int plane) {
    const int i = 3 * x + plane;
    return (x + 1 < width && row[i + 3] != 0) || (above != nullptr && above[i] != 0) ||
           (x > 0 && row[i - 3] != 0) || (below != nullptr && below[i] != 0);
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
    auto rowOrNull = [](TDib* image, int y, int height) {
        return y >= 0 && y < height ? image->Row(y) : nullptr;
    };

    for (int y = 0; y < h; ++y) {
        const uint8_t* focus = focusMap_->Row(y);
        const uint8_t* labels = labelMap_->Row(y);
        const uint8_t* above = rowOrNull(labelMap_, y + 1, h);
        const uint8_t* below = rowOrNull(labelMap_, y - 1, h);
        uint8_t* pixel = canvas_->Row(y);
        for (int x = 0; x < w; ++x, pixel += 3) {
            const uint8_t own = labels[x];
            const bool border =
                reach[focus[x]] > 0 &&
                ((x + 1 < w && labels[x + 1] != own) || (above != nullptr && above[x] != own) ||
                 (x > 0 && labels[x - 1] != own) || (below != nullptr && below[x] != own));
            const uint8_t mark = border ? 255 : 0;
            pixel[kBluePlane] = mark;
            pixel[kGreenPlane] = mark;
        }
    }

    int widest = 0;
    for (int f = 0; f < 256; ++f) widest = reach[f] > widest ? reach[f] : widest;

    // Marks only grow, and the plane a step writes holds the marks of two steps back, all among
    // those it reads: each step leaves there the marks it read plus the new ones. Steps from
    // widest - 1 on could neither grow a mark nor draw, only copy, so they are not run; with no
    // growing step at all both planes still hold the border marks.
    int written = kGreenPlane;
    for (int r = 0; r + 1 < widest; ++r) {
        const int read = r % 2 == 0 ? kBluePlane : kGreenPlane;
        written = read == kBluePlane ? kGreenPlane : kBluePlane;
        for (int y = 0; y < h; ++y) {
            const uint8_t* focus = focusMap_->Row(y);
            uint8_t* row = canvas_->Row(y);
            const uint8_t* above = rowOrNull(canvas_, y + 1, h);
            const uint8_t* below = rowOrNull(canvas_, y - 1, h);
            const bool innerRow = above != nullptr && below != nullptr;
            uint8_t* pixel = row;
            for (int x = 0; x < w; ++x, pixel += 3) {
                if (pixel[read] != 0) {
                    pixel[written] = pixel[read];
                } else if (r + 1 < reach[focus[x]]) {
                    // The draw comes first: every candidate steps the generator, taken or not.
                    if (!ChanceOf(NextRandom(), threshold)) continue;
                    const int i = 3 * x + read;
                    // Away from the picture's edges all four neighbours exist.
                    const bool grows = innerRow && x > 0 && x + 1 < w
                                           ? (row[i + 3] | above[i] | row[i - 3] | below[i]) != 0
                                           : AnyNeighbourMarked(row, above, below, x, w, read);
                    if (grows) pixel[written] = 255;
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
