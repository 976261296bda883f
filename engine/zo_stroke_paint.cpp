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

}  // namespace

int ZoStroke::Paint() {
    if (!valid_ || brushPixels_ < 1) return 0;
    if (rowsFlag_) {
        StrokePass<false, true>(0);
    } else {
        StrokePass<false, false>(0);
    }
    return 1;
}

int ZoStroke::PaintColor(int label) {
    if (!valid_ || brushPixels_ < 1) return 0;
    if (rowsFlag_) {
        StrokePass<true, true>(label);
    } else {
        StrokePass<true, false>(label);
    }
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
        int last = width_ - 1;
        while (row[last] != value) --last;
        x0 = std::min(x0, first);
        x1 = std::max(x1, last);
        if (y0 > y) y0 = y;
        y1 = y;
    }
    return y1 >= 0;
}

// kLabel: only pixels of `label` are sampled and painted. kRows: the brush's slices are image
// rows (positions along a slice are columns), else image columns.
template <bool kLabel, bool kRows>
void ZoStroke::StrokePass(int label) {
    const StrokeSettings& s = settings_;
    const bool shifting = s.cellHueStep > 0 || s.lightUpStep > 0 || s.lightDownStep > 0;
    const uint8_t* const sample = (s.sampleFromSource ? source_ : canvas_)->Bits();
    uint8_t* const paint = canvas_->Bits();
    const uint8_t* const focus = focusMap_->Bits();
    const uint8_t* const labels = labelMap_->Bits();
    const uint8_t labelValue = static_cast<uint8_t>(label);

    // Slices lie on lines (rows or columns) and run along places (columns or rows).
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
    for (int y = 0; y < rowEnd; y += s.stepY, ++r) {
        int c = 0;
        for (int x = 0; x < columnEnd; x += s.stepX, ++c) {
            if (!ChanceOf(NextRandom(), s.densityThreshold)) continue;
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
                const uint8_t* pixel = sample + lineAt * line24 + placeAt * along24;
                const ptrdiff_t at8 = lineAt * line8 + placeAt * along8;
                const uint8_t* f = focus + at8;
                const uint8_t* l = labels + at8;
                for (int k = k0; k < k1; ++k, pixel += along24, f += along8, l += along8) {
                    if (kLabel && *l != labelValue) continue;
                    if (*f < s.focusLow || *f > s.focusHigh) {
                        outOfFocus = true;
                        break;
                    }
                    const uint32_t b = pixel[0], g = pixel[1], red = pixel[2];
                    sumBlue += b;
                    sumGreen += g;
                    sumRed += red;
                    squares += b * b + g * g + red * red;
                    ++count;
                    if (*f > focusMax) focusMax = *f;
                }
            }
            if (outOfFocus || count == 0) continue;

            int red = static_cast<int>(sumRed / count);
            int green = static_cast<int>(sumGreen / count);
            int blue = static_cast<int>(sumBlue / count);
            const int brightness = red + green + blue + kDither[r & 3][c & 3];
            if (brightness < s.brightnessLow || brightness > s.brightnessHigh) continue;
            // Both terms wrap alike in 32 bits; their difference, count × variance, fits.
            const uint32_t meanSquares = static_cast<uint32_t>(red * red + green * green +
                                                               blue * blue);
            const uint32_t variance = (squares - count * meanSquares) / count;
            if (variance < s.minVariance[focusMax] || variance >= s.maxVariance[focusMax])
                continue;

            if (shifting) {
                HueColor colour{red, green, blue, 0, 0, 0};
                RgbToHcy(colour);
                colour.hue += s.hueShift;
                colour.chroma += s.chromaShift;
                colour.luma += s.lightShift;
                switch ((c & 1) + 2 * (r & 1)) {
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
            if (s.colorJitter > 0) {
                red += DrawNoise(s.colorJitter);
                green += DrawNoise(s.colorJitter);
                blue += DrawNoise(s.colorJitter);
            }

            for (int i = i0; i < i1; ++i) {
                const int first = centre + start[i] + bend[b0 + i];
                int k0, k1;
                ClipSlice(first, length[i], placeLow, placeHigh, k0, k1);
                if (k0 >= k1) continue;
                const ptrdiff_t lineAt = firstLine + i;
                const ptrdiff_t placeAt = first + k0;
                uint8_t* pixel = paint + lineAt * line24 + placeAt * along24;
                const uint8_t* l = labels + lineAt * line8 + placeAt * along8;
                const uint8_t* pair = pairs + 2 * static_cast<ptrdiff_t>(firstPair[i] + k0);
                for (int k = k0; k < k1; ++k, pixel += along24, l += along8, pair += 2) {
                    if (kLabel && *l != labelValue) continue;
                    const int coverage = pair[0];
                    const int relief = pair[1] - 128;
                    const int target[3] = {ClampToByte(blue + relief), ClampToByte(green + relief),
                                           ClampToByte(red + relief)};
                    for (int ch = 0; ch < 3; ++ch) {
                        const int p = pixel[ch];
                        pixel[ch] = static_cast<uint8_t>(
                            ClampToByte(p + ArithmeticShiftRight((target[ch] - p) * coverage, 7)));
                    }
                }
            }
        }
    }
}
