// The back-run: colours running into their surroundings as wet paint does. Each pass visits the
// picture's pixels in storage order, lets every pixel it may change draw one random point from
// rings around it and moves the pixel's colour toward that point's when the point is at least
// as colourful for its darkness; the pixel is written back at once, so later pixels of the same
// pass see the new colour.
#pragma once

#include <cstdint>

#include "imaging/dib.h"

namespace grisov {

// The most ring points the field holds; rings that need as many fail.
constexpr int kBackRunFieldSize = 500;

// The points of ring i (1..radius) of a field of `radius` rings: from 15 innermost (radius 8
// and more) down to 8 outermost.
constexpr int RingPointCount(int ring, int radius) { return ((radius - ring) * 8) / radius + 8; }

// The ring points, innermost ring first, each ring from angle 0 in steps of 6.28 / its count:
// the offsets in columns and rows, rounded away from zero, and the matching byte offset in
// 24-bit rows of `rowBytes` bytes.
struct RingField {
    int count = 0;
    int reach = 0;  // the largest column or row offset
    int16_t dx[kBackRunFieldSize];
    int16_t dy[kBackRunFieldSize];
    int32_t offsets[kBackRunFieldSize];
};

// Fills `field` with the points of rings 1..radius; false when they reach kBackRunFieldSize.
bool MakeRingField(int radius, int rowBytes, RingField& field);

// A pixel's colourfulness for its darkness: max × 16 / (min + 16) of its three channels. Below
// 16 only for greys and near-greys.
constexpr int ColourMeasure(int maximum, int minimum) { return maximum * 16 / (minimum + 16); }

// `passes` passes of the back-run over `picture` (24 bits) with the focus map `focus` (8 bits,
// the picture's size) and a field made for the picture's rows. Pass p changes the pixels of
// focus f with loops[f] > p and weights[f] > 0, each drawing one random step, by
// min(weights[f], 128) / 128 of the difference to the drawn point, with the arithmetic shift.
// A point outside the picture leaves the pixel. `work` (24 bits, the picture's size) is scratch:
// its bytes hold the pixels' measures during the passes, one byte per pixel.
void RunBackRun(TDib& picture, TDib& work, const TDib& focus, const RingField& field,
                int passes, const uint8_t* loops, const uint8_t* weights);

}  // namespace grisov
