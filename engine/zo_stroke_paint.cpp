// ZoStroke's stroke pass: one stroke of the loaded brush per grid cell that passes the density
// draw, centred with a random jitter and bent along its slices; it takes the mean colour of
// the pixels under it (of one label, for PaintColor), is accepted by focus window, dithered
// brightness and colour variance, and is blended onto the canvas with the brush's coverage as
// opacity and its relief as light or shade. Every cell makes its random draws in a fixed order
// whether or not its footprint meets anything, so a painting depends only on the seed.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "engine/zo_stroke.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"
#include "imaging/random.h"

namespace {

constexpr int kHueSteps = 252;

// The part of positions first..first + length - 1 that lies in low..high, as indices
// k0..k1 - 1 into the slice (empty when k0 >= k1).
inline void ClipSlice(int first, int length, int low, int high, int& k0, int& k1) {
    k0 = low - first > 0 ? low - first : 0;
    k1 = high + 1 - first < length ? high + 1 - first : length;
}

// One channel blended toward the stroke colour shaded by the pair's relief, with the coverage
// in 1/128 and an arithmetic shift. Up to coverage 128 the result lies between the pixel and
// its target; kOvershoot holds the blend of a higher coverage to a byte instead of wrapping.
template <bool kOvershoot>
inline uint8_t BlendChannel(int pixel, int colour, int relief, int coverage) {
    const int target = ClampToByte(colour + relief);
    const int blended = pixel + ArithmeticShiftRight((target - pixel) * coverage, 7);
    return static_cast<uint8_t>(kOvershoot ? ClampToByte(blended) : blended);
}

template <bool kOvershoot>
inline void BlendPair(uint8_t* pixel, const uint8_t* pair, int blue, int green, int red) {
    const int coverage = pair[0];
    const int relief = pair[1] - 128;
    pixel[0] = BlendChannel<kOvershoot>(pixel[0], blue, relief, coverage);
    pixel[1] = BlendChannel<kOvershoot>(pixel[1], green, relief, coverage);
    pixel[2] = BlendChannel<kOvershoot>(pixel[2], red, relief, coverage);
}

}  // namespace

template <bool kLabel>
void ZoStroke::StrokePassFor(int label) {
    const bool overshoot = coverageMax_ > 128;
    if (rowsFlag_) {
        overshoot ? StrokePass<kLabel, true, true>(label) : StrokePass<kLabel, true, false>(label);
    } else {
        overshoot ? StrokePass<kLabel, false, true>(label)
                  : StrokePass<kLabel, false, false>(label);
    }
}

int ZoStroke::Paint() {
    if (!valid_ || brushPixels_ < 1) return 0;
    StrokePassFor<false>(0);
    return 1;
}

int ZoStroke::PaintColor(int label) {
    if (!valid_ || brushPixels_ < 1) return 0;
    StrokePassFor<true>(label);
    return 1;
}

bool ZoStroke::LabelBox(int label, int& x0, int& y0, int& x1, int& y1) const {
    if (label < 0 || label > 255) return false;
    const uint8_t value = static_cast<uint8_t>(label);
    x0 = width_;
    x1 = -1;
    y0 = height_;
    y1 = -1;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* row = labelMap_->Row(y);
        const void* found = std::memchr(row, value, static_cast<size_t>(width_));
        if (found == nullptr) continue;
        const int first = static_cast<int>(static_cast<const uint8_t*>(found) - row);
        x0 = std::min(x0, first);
        // Only an occurrence right of the box so far can widen it: look for one at memchr's
        // speed, then walk back from the row's end to the last.
        const int from = std::max(x1 + 1, first);
        if (std::memchr(row + from, value, static_cast<size_t>(width_ - from)) != nullptr) {
            int last = width_ - 1;
            while (row[last] != value) --last;
            x1 = last;
        }
        if (y0 > y) y0 = y;
        y1 = y;
    }
    return y1 >= 0;
}

// kLabel: only pixels of `label` are sampled and painted. kRows: the brush's slices are image
// rows (positions along a slice are columns), else image columns. kOvershoot: some coverage is
// above 128, so a blend can pass its target and must be held to a byte.
template <bool kLabel, bool kRows, bool kOvershoot>
void ZoStroke::StrokePass(int label) {
    const StrokeSettings& s = settings_;
    // Settings in locals: the painters' byte stores could alias them and force reloads.
    const bool shifting = s.cellHueStep > 0 || s.lightUpStep > 0 || s.lightDownStep > 0;
    const int focusLow = s.focusLow, focusHigh = s.focusHigh;
    const int brightnessLow = s.brightnessLow, brightnessHigh = s.brightnessHigh;
    const int colorJitter = s.colorJitter;
    const uint32_t density = s.densityThreshold;
    const int stepX = s.stepX, stepY = s.stepY;
    const uint8_t* const sample = (s.sampleFromSource ? source_ : canvas_)->Bits();
    uint8_t* const paint = canvas_->Bits();
    const uint8_t* const focus = focusMap_->Bits();
    const uint8_t* const labels = labelMap_->Bits();
    const uint8_t labelValue = static_cast<uint8_t>(label);
    MatchedPixel* const matched = matched_.get();

    // Slices lie on lines (rows or columns) and run along places (columns or rows). The source
    // and canvas share one layout, the focus and label maps another.
    const ptrdiff_t line24 = kRows ? rowBytes24_ : 3;
    const ptrdiff_t along24 = kRows ? 3 : rowBytes24_;
    const ptrdiff_t line8 = kRows ? rowBytes8_ : 1;
    const ptrdiff_t along8 = kRows ? 1 : rowBytes8_;

    // What a footprint may touch: the picture, or for a label the box around its pixels.
    int lineLow = 0, lineHigh = (kRows ? height_ : width_) - 1;
    int placeLow = 0, placeHigh = (kRows ? width_ : height_) - 1;
    bool reachable = true;
    if (kLabel) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        reachable = LabelBox(label, x0, y0, x1, y1);
        lineLow = kRows ? y0 : x0;
        lineHigh = kRows ? y1 : x1;
        placeLow = kRows ? x0 : y0;
        placeHigh = kRows ? x1 : y1;
    }

    // The footprint's reach along the slices around its centre, for any bend window.
    const int n = sliceCount_;
    const int* const start = sliceStart_.get();
    const int* const length = sliceLength_.get();
    const int* const firstPair = sliceFirstPair_.get();
    const int* const bend = bend_.get();
    const uint8_t* const pairs = pairs_.get();
    int reachLow = 0, reachHigh = -1;
    for (int i = 0; i < n; ++i) {
        if (length[i] == 0) continue;
        if (reachHigh < reachLow) {
            reachLow = start[i];
            reachHigh = start[i] + length[i] - 1;
        }
        reachLow = std::min(reachLow, start[i]);
        reachHigh = std::max(reachHigh, start[i] + length[i] - 1);
    }
    const int* const bendEnd = bend + bendSize_;
    reachLow += *std::min_element(bend, bendEnd);
    reachHigh += *std::max_element(bend, bendEnd);

    const uint32_t bendEntries = static_cast<uint32_t>(6 * n);
    const uint32_t jitterX = static_cast<uint32_t>(s.jitterX);
    const uint32_t jitterY = static_cast<uint32_t>(s.jitterY);
    const int rowEnd = height_ + extentY_ / 2;
    const int columnEnd = width_ + extentX_ / 2;
    int r = 0;
    for (int y = 0; y < rowEnd; y += stepY, ++r) {
        int c = 0;
        for (int x = 0; x < columnEnd; x += stepX, ++c) {
            if (!ChanceOf(NextRandom(), density)) continue;
            const int px = x + static_cast<int>(TopByteOf(NextRandom()) * jitterX / 512);
            const int py = y + static_cast<int>(TopByteOf(NextRandom()) * jitterY / 512);
            const int b0 = static_cast<int>(IndexOf(NextRandom(), bendEntries));
            if (!reachable) continue;

            // Slices i0..i1 - 1 lie on lines inside the reachable box.
            const int firstLine = (kRows ? py : px) + sliceOffset_;
            const int centre = kRows ? px : py;
            if (firstLine > lineHigh || firstLine + n - 1 < lineLow ||
                centre + reachLow > placeHigh || centre + reachHigh < placeLow)
                continue;
            const int i0 = std::max(0, lineLow - firstLine);
            const int i1 = std::min(n, lineHigh + 1 - firstLine);

            // Sampling. A label's pixels are remembered with their pairs, so that painting
            // visits only them.
            uint32_t sumBlue = 0, sumGreen = 0, sumRed = 0, squares = 0;
            uint32_t count = 0;
            int focusMax = 0;
            bool outOfFocus = false;
            for (int i = i0; i < i1 && !outOfFocus; ++i) {
                const int first = centre + start[i] + bend[b0 + i];
                int k0, k1;
                ClipSlice(first, length[i], placeLow, placeHigh, k0, k1);
                if (k0 >= k1) continue;
                const ptrdiff_t lineAt = firstLine + i;
                const ptrdiff_t placeAt = first + k0;
                const ptrdiff_t base24 = lineAt * line24 + placeAt * along24;
                const ptrdiff_t base8 = lineAt * line8 + placeAt * along8;
                const uint32_t basePair = static_cast<uint32_t>(firstPair[i] + k0);
                const int places = k1 - k0;
                // Position k of the clipped slice: one induction variable for the label test,
                // the other offsets only for the pixels that are sampled.
                auto take = [&](int k) {
                    const ptrdiff_t at8 = base8 + k * along8;
                    const int f = focus[at8];
                    if (f < focusLow || f > focusHigh) return false;
                    const ptrdiff_t at24 = base24 + k * along24;
                    const uint8_t* pixel = sample + at24;
                    const uint32_t b = pixel[0], g = pixel[1], red = pixel[2];
                    sumBlue += b;
                    sumGreen += g;
                    sumRed += red;
                    squares += b * b + g * g + red * red;
                    if (kLabel) {
                        matched[count] = {static_cast<uint32_t>(at24),
                                          basePair + static_cast<uint32_t>(k)};
                    }
                    ++count;
                    if (f > focusMax) focusMax = f;
                    return true;
                };
                if (!kLabel) {
                    for (int k = 0; k < places; ++k) {
                        if (!take(k)) {
                            outOfFocus = true;
                            break;
                        }
                    }
                } else if (kRows) {
                    // A row of the label map: runs of other labels are skipped at memchr's speed.
                    const uint8_t* const row = labels + base8;
                    for (int k = 0; k < places; ++k) {
                        if (row[k] != labelValue) {
                            const void* next =
                                std::memchr(row + k, labelValue, static_cast<size_t>(places - k));
                            if (next == nullptr) break;
                            k = static_cast<int>(static_cast<const uint8_t*>(next) - row);
                        }
                        if (!take(k)) {
                            outOfFocus = true;
                            break;
                        }
                    }
                } else {
                    const uint8_t* l = labels + base8;
                    for (int k = 0; k < places; ++k, l += along8) {
                        if (*l != labelValue) continue;
                        if (!take(k)) {
                            outOfFocus = true;
                            break;
                        }
                    }
                }
            }
            if (outOfFocus || count == 0) continue;

            int red = static_cast<int>(sumRed / count);
            int green = static_cast<int>(sumGreen / count);
            int blue = static_cast<int>(sumBlue / count);
            const int brightness = red + green + blue + kDither[r & 3][c & 3];
            if (brightness < brightnessLow || brightness > brightnessHigh) continue;
            // Both terms wrap alike in 32 bits; their difference, count × variance, fits.
            const uint32_t meanSquares = static_cast<uint32_t>(red * red + green * green +
                                                               blue * blue);
            const uint32_t variance = (squares - count * meanSquares) / count;
            if (variance < s.minVariance[focusMax] || variance >= s.maxVariance[focusMax])
                continue;

            if (shifting) ShiftColour(r, c, red, green, blue);
            if (colorJitter > 0) {
                red += DrawNoise(colorJitter);
                green += DrawNoise(colorJitter);
                blue += DrawNoise(colorJitter);
            }

            if (kLabel) {
                for (uint32_t k = 0; k < count; ++k) {
                    BlendPair<kOvershoot>(paint + matched[k].at24,
                                          pairs + 2 * static_cast<size_t>(matched[k].pair), blue,
                                          green, red);
                }
                continue;
            }
            for (int i = i0; i < i1; ++i) {
                const int first = centre + start[i] + bend[b0 + i];
                int k0, k1;
                ClipSlice(first, length[i], placeLow, placeHigh, k0, k1);
                if (k0 >= k1) continue;
                const ptrdiff_t lineAt = firstLine + i;
                const ptrdiff_t placeAt = first + k0;
                uint8_t* pixel = paint + lineAt * line24 + placeAt * along24;
                const uint8_t* pair = pairs + 2 * static_cast<ptrdiff_t>(firstPair[i] + k0);
                for (int k = k0; k < k1; ++k, pixel += along24, pair += 2)
                    BlendPair<kOvershoot>(pixel, pair, blue, green, red);
            }
        }
    }
}

void ZoStroke::ShiftColour(int row, int column, int& red, int& green, int& blue) const {
    const StrokeSettings& s = settings_;
    HueColor colour{red, green, blue, 0, 0, 0};
    RgbToHcy(colour);
    colour.hue += s.hueShift;
    colour.chroma += s.chromaShift;
    colour.luma += s.lightShift;
    switch ((column & 1) + 2 * (row & 1)) {
        case 0: colour.hue += s.cellHueStep; break;
        case 1: colour.luma += s.lightUpStep; break;
        case 2: colour.luma -= s.lightDownStep; break;
        default: colour.hue -= s.cellHueStep; break;
    }
    if (colour.hue >= kHueSteps) {
        colour.hue -= kHueSteps;
    } else if (colour.hue < 0) {
        colour.hue += kHueSteps;
    }
    colour.chroma = ClampToByte(colour.chroma);
    colour.luma = ClampToByte(colour.luma);
    HcyToRgb(colour);
    red = colour.red;
    green = colour.green;
    blue = colour.blue;
}
