// ZoCluster: neighbourhood filters between the source picture and the canvas.
#include "engine/zo_cluster.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "engine/neighbourhood.h"
#include "engine/status_text.h"
#include "imaging/int_helpers.h"

using neighbourhood::ColourDistance;

namespace {

// A channel pushed away from a reference by table[|difference|]: up when above it, down
// otherwise (so a channel equal to it is lowered by table[0]), kept within 0..255.
inline int PushAway(int value, int reference, const uint8_t* table) {
    const int difference = value - reference;
    return difference > 0 ? std::min(value + table[difference], 255)
                          : std::max(value - table[-difference], 0);
}

// The 3 × 3 window of a pixel in an in-place pass (see ZoCluster::InPlacePass).
using InPlaceWindow = neighbourhood::PixelWindow<3>;

// The four wedges, each the centre and seven pixels as (column, row) offsets:
//   0 toward +x: (1,-1) (2,-1) (1,0) (2,0) (3,0) (1,1) (2,1)
//   1 toward +y: (1,1) (1,2) (0,1) (0,2) (0,3) (-1,1) (-1,2)
//   2 toward -x: (-1,1) (-2,1) (-1,0) (-2,0) (-3,0) (-1,-1) (-2,-1)
//   3 toward -y: (-1,-1) (-1,-2) (0,-1) (0,-2) (0,-3) (1,-1) (1,-2)
// So wedge 0 is the centre, the column triples (rows y-1..y+1) at x+1 and x+2, and (x+3, y);
// wedge 1 the centre, the row triples (columns x-1..x+1) at y+1 and y+2, and (x, y+3); and
// wedges 2 and 3 the mirror images. RunWedges keeps each pixel's sums and the row triples in
// rings of seven rows, and the column triples of the row it works on, each summed once: a
// wedge is the sum of four stored terms.
constexpr int kWedgeReach = 3;

// Channel sums and the sum of squares over some pixels.
struct alignas(16) PixelSums {
    int blue = 0;
    int green = 0;
    int red = 0;
    int squares = 0;

    void Add(const uint8_t* p) {
        blue += p[0];
        green += p[1];
        red += p[2];
        squares += p[0] * p[0] + p[1] * p[1] + p[2] * p[2];
    }
};

inline PixelSums operator+(PixelSums a, const PixelSums& b) {
    a.blue += b.blue;
    a.green += b.green;
    a.red += b.red;
    a.squares += b.squares;
    return a;
}

// Means of eight pixels and their spread (sum of squares - 8 × squared means) / 8, never
// negative because each mean is at most the exact one.
inline int WedgeSpread(const PixelSums& sums, int* means) {
    means[0] = sums.blue >> 3;
    means[1] = sums.green >> 3;
    means[2] = sums.red >> 3;
    const int meanSquares = means[0] * means[0] + means[1] * means[1] + means[2] * means[2];
    return (sums.squares - 8 * meanSquares) / 8;
}

// The four line directions: +x, -y, -x, +y.
constexpr int kLineDx[4] = {1, 0, -1, 0};
constexpr int kLineDy[4] = {0, -1, 0, 1};

struct LineStats {
    bool fits;
    int means[3];
    int64_t spread;
};

// The line of `length` pixels from (x, y) in direction d: fits only when its far end lies inside
// the image; then its channel means (truncated) and its spread
// (sum of squares - length × squared means) / length.
LineStats MeasureLine(const uint8_t* bits, int rowBytes, int width, int height, int x, int y,
                      int d, int length) {
    LineStats line{};
    const int64_t endX = x + int64_t{kLineDx[d]} * (length - 1);
    const int64_t endY = y + int64_t{kLineDy[d]} * (length - 1);
    if (endX < 0 || endX >= width || endY < 0 || endY >= height) return line;
    line.fits = true;
    const ptrdiff_t step = ptrdiff_t{kLineDx[d]} * 3 + ptrdiff_t{kLineDy[d]} * rowBytes;
    const uint8_t* start = bits + static_cast<ptrdiff_t>(rowBytes) * y + 3 * x;
    int64_t sums[3] = {0, 0, 0};
    int64_t squares = 0;
    for (int k = 0; k < length; ++k) {
        const uint8_t* p = start + step * k;
        for (int c = 0; c < 3; ++c) {
            sums[c] += p[c];
            squares += p[c] * p[c];
        }
    }
    int64_t meanSquares = 0;
    for (int c = 0; c < 3; ++c) {
        line.means[c] = static_cast<int>(sums[c] / length);
        meanSquares += int64_t{line.means[c]} * line.means[c];
    }
    line.spread = (squares - length * meanSquares) / length;
    return line;
}

// Index of the fitting line with the least spread (the lower index on a tie), or -1.
int LeastSpreadLine(const LineStats (&lines)[4]) {
    int best = -1;
    for (int d = 0; d < 4; ++d)
        if (lines[d].fits && (best < 0 || lines[d].spread < lines[best].spread)) best = d;
    return best;
}

// Ring index of the neighbour most unlike the centre (the first on a tie).
template <typename T>
int MostUnlikeNeighbour(const T* const (&ring)[8], const T* centre) {
    int best = 0;
    int bestDistance = -1;
    for (int k = 0; k < 8; ++k) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) distance += std::abs(int{ring[k][c]} - int{centre[c]});
        if (distance > bestDistance) {
            bestDistance = distance;
            best = k;
        }
    }
    return best;
}

// Per channel, the sums of the five neighbours away from the most unlike one and of the three
// left out (it and the two beside it on the ring).
template <typename T>
void SplitRing(const T* const (&ring)[8], const T* centre, int* fiveSums, int* threeSums) {
    const int unlike = MostUnlikeNeighbour(ring, centre);
    for (int c = 0; c < 3; ++c) {
        fiveSums[c] = 0;
        threeSums[c] = 0;
    }
    for (int k = 0; k < 8; ++k) {
        const int around = (k - unlike + 8) % 8;
        int* target = (around == 0 || around == 1 || around == 7) ? threeSums : fiveSums;
        for (int c = 0; c < 3; ++c) target[c] += ring[k][c];
    }
}

}  // namespace

ZoCluster::ZoCluster(TDib* first, TDib* second, char* status) : status_(status) {
    StatusCopy(status_, texts::kClusterPrefix);
    // The filters step through both images with one row length, so both must be 24 bits.
    if (first == nullptr || second == nullptr || first->Width() != second->Width() ||
        first->Height() != second->Height() || first->BitCount() != 24 ||
        second->BitCount() != 24) {
        StatusAppend(status_, texts::kInvalidDib);
        return;
    }
    first_ = first;
    second_ = second;
    width_ = first->Width();
    height_ = first->Height();
    rowBytes_ = first->RowBytes();
    valid_ = 1;
}

bool ZoCluster::MapCovers(const TDib* map) const {
    return map != nullptr && map->BitCount() == 8 && map->Width() >= width_ &&
           map->Height() >= height_;
}

template <typename Visit>
void ZoCluster::ForEachInteriorPixel(int direction, Visit&& visit) {
    const uint8_t* input = Input(direction)->Bits();
    uint8_t* output = Output(direction)->Bits();
    const size_t step = static_cast<size_t>(rowBytes_);
    for (int y = 1; y < height_ - 1; ++y) {
        const uint8_t* in = input + step * y;
        uint8_t* out = output + step * y;
        for (int x = 1; x < width_ - 1; ++x) visit(in + 3 * x, out + 3 * x, x, y);
    }
}

template <typename Op>
void ZoCluster::ForEachInteriorMean(int direction, Op&& op) {
    CopyBorder(direction);
    if (width_ < 3 || height_ < 3) return;
    const TDib* in = Input(direction);
    TDib* out = Output(direction);
    // Whole rows at a time: the three-row column sums of a stretch of bytes first, then the
    // bytes, so that every sum is taken once.
    int16_t columns[neighbourhood::kStretchBytes + 6];
    neighbourhood::ForEachInteriorStretch(width_, height_, [&](int y, int first, int count) {
        const uint8_t* before = in->Row(y - 1) + first;
        const uint8_t* row = in->Row(y) + first;
        const uint8_t* after = in->Row(y + 1) + first;
        uint8_t* target = out->Row(y) + first;
        for (int k = -3; k < count + 3; ++k)
            columns[k + 3] = static_cast<int16_t>(before[k] + row[k] + after[k]);
        const int16_t* c = columns + 3;
        for (int k = 0; k < count; ++k) {
            const int value = row[k];
            const int mean = (c[k - 3] + c[k] + c[k + 3] - value) >> 3;
            target[k] = static_cast<uint8_t>(op(value, mean));
        }
    });
}

template <typename Visit>
bool ZoCluster::InPlacePass(TDib* image, Visit&& visit) {
    using Rows = neighbourhood::PaddedRowWindow<3>;
    const bool done = neighbourhood::RunRowPasses<3>(
        *image, 1, neighbourhood::RowBefore::kAsWritten, [&](const Rows& rows, int y) {
            uint8_t* row = image->Row(y);
            rows.ForEachPixel(
                [&](const InPlaceWindow& window, int x) { visit(window, row + 3 * x, x, y); });
        });
    if (!done) StatusAppend(status_, texts::kNoMemory);
    return done;
}

void ZoCluster::CopyBorder(int direction) {
    if (!valid_) return;
    const TDib* in = Input(direction);
    TDib* out = Output(direction);
    const size_t pixelBytes = static_cast<size_t>(3) * width_;
    std::memcpy(out->Row(0), in->Row(0), pixelBytes);
    std::memcpy(out->Row(height_ - 1), in->Row(height_ - 1), pixelBytes);
    const size_t last = pixelBytes - 3;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* source = in->Row(y);
        uint8_t* target = out->Row(y);
        std::memcpy(target, source, 3);
        std::memcpy(target + last, source + last, 3);
    }
}

void ZoCluster::Soften(int direction) {
    if (!valid_) return;
    ForEachInteriorMean(direction, [](int value, int mean) { return (value + mean) >> 1; });
}

int ZoCluster::Sharpen(int level, int direction) {
    if (!valid_) return 0;
    // Keeps the shift a valid one: no negative shift above level 8, none of 32 or more.
    const int shift = level >= 8 ? 0 : (level <= 8 - 31 ? 31 : 8 - level);
    ForEachInteriorMean(direction, [shift](int value, int mean) {
        return ClampToByte(value + ArithmeticShiftRight(value - mean, shift));
    });
    return 1;
}

int ZoCluster::RunWedges(int direction, WedgeOutput output) {
    const TDib* in = Input(direction);
    TDib* out = Output(direction);
    const size_t rowPixelBytes = static_cast<size_t>(3) * width_;
    const size_t frameBytes = 3 * kWedgeReach;
    const bool anyInterior = width_ >= 2 * kWedgeReach + 1 && height_ >= 2 * kWedgeReach + 1;
    if (!anyInterior) {
        for (int y = 0; y < height_; ++y) std::memcpy(out->Row(y), in->Row(y), rowPixelBytes);
        return 1;
    }

    // Every wedge is the centre, two column or row triples and one far pixel. Per row of the
    // seven rows around y: each pixel's sums (terms) and its horizontal triples; for row y the
    // vertical triples. Rows enter the rings as y moves, so each is summed once.
    constexpr int kRing = 2 * kWedgeReach + 1;
    const size_t w = static_cast<size_t>(width_);
    std::unique_ptr<PixelSums[]> buffer(new (std::nothrow) PixelSums[(2 * kRing + 1) * w]);
    if (!buffer) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    PixelSums* const terms = buffer.get();              // kRing rows
    PixelSums* const across = terms + kRing * w;        // kRing rows of horizontal triples
    PixelSums* const down = across + kRing * w;         // the vertical triples of row y
    auto enter = [&](int row) {
        PixelSums* t = terms + (row % kRing) * w;
        PixelSums* h = across + (row % kRing) * w;
        const uint8_t* p = in->Row(row);
        for (size_t x = 0; x < w; ++x) {
            t[x] = PixelSums();
            t[x].Add(p + 3 * x);
        }
        for (size_t x = 1; x + 1 < w; ++x) h[x] = t[x - 1] + t[x] + t[x + 1];
    };
    auto termsOf = [&](int row) { return terms + (row % kRing) * w; };
    auto acrossOf = [&](int row) { return across + (row % kRing) * w; };

    for (int row = 0; row < kRing - 1; ++row) enter(row);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* source = in->Row(y);
        uint8_t* target = out->Row(y);
        if (y < kWedgeReach || y >= height_ - kWedgeReach) {
            std::memcpy(target, source, rowPixelBytes);
            continue;
        }
        enter(y + kWedgeReach);
        std::memcpy(target, source, frameBytes);
        std::memcpy(target + rowPixelBytes - frameBytes, source + rowPixelBytes - frameBytes,
                    frameBytes);
        const PixelSums* t = termsOf(y);
        const PixelSums* before = termsOf(y - 1);
        const PixelSums* after = termsOf(y + 1);
        for (size_t x = 1; x + 1 < w; ++x) down[x] = before[x] + t[x] + after[x];
        const PixelSums* up1 = acrossOf(y + 1);
        const PixelSums* up2 = acrossOf(y + 2);
        const PixelSums* up3 = termsOf(y + 3);
        const PixelSums* down1 = acrossOf(y - 1);
        const PixelSums* down2 = acrossOf(y - 2);
        const PixelSums* down3 = termsOf(y - 3);

        for (size_t x = kWedgeReach; x + kWedgeReach < w; ++x) {
            const PixelSums& c = t[x];
            const uint8_t* centre = source + 3 * x;
            int wedge = 0;
            int means[3];
            if (output == WedgeOutput::kFollowMarker) {
                wedge = 2 * (centre[2] & 1) + (centre[0] & 1);
                const PixelSums chosen =
                    wedge == 0   ? c + down[x + 1] + down[x + 2] + t[x + 3]
                    : wedge == 1 ? c + up1[x] + up2[x] + up3[x]
                    : wedge == 2 ? c + down[x - 1] + down[x - 2] + t[x - 3]
                                 : c + down1[x] + down2[x] + down3[x];
                WedgeSpread(chosen, means);
            } else {
                // In wedge order; on equal spread the lower wedge stays.
                int bestSpread = WedgeSpread(c + down[x + 1] + down[x + 2] + t[x + 3], means);
                auto consider = [&](int k, const PixelSums& sums) {
                    int candidate[3];
                    const int spread = WedgeSpread(sums, candidate);
                    if (spread < bestSpread) {
                        bestSpread = spread;
                        wedge = k;
                        means[0] = candidate[0];
                        means[1] = candidate[1];
                        means[2] = candidate[2];
                    }
                };
                consider(1, c + up1[x] + up2[x] + up3[x]);
                consider(2, c + down[x - 1] + down[x - 2] + t[x - 3]);
                consider(3, c + down1[x] + down2[x] + down3[x]);
            }
            uint8_t* pixel = target + 3 * x;
            if (output == WedgeOutput::kPlainMean) {
                pixel[0] = static_cast<uint8_t>(means[0]);
                pixel[2] = static_cast<uint8_t>(means[2]);
            } else {
                pixel[0] = static_cast<uint8_t>((means[0] & 254) | (wedge & 1));
                pixel[2] = static_cast<uint8_t>((means[2] & 254) | (wedge >> 1));
            }
            pixel[1] = static_cast<uint8_t>(means[1]);
        }
    }
    return 1;
}

int ZoCluster::WedgeSmooth(int direction, int mode) {
    if (!valid_) return 0;
    return RunWedges(direction, mode == 0 ? WedgeOutput::kMarkChosen : WedgeOutput::kFollowMarker);
}

int ZoCluster::WedgeMean(int direction) {
    if (!valid_) return 0;
    return RunWedges(direction, WedgeOutput::kPlainMean);
}

uint32_t ZoCluster::MeasureRoughness() const {
    const int stepX = (width_ / 100) | 1;
    const int stepY = (height_ / 100) | 1;
    // 64-bit: a sharp pattern (a black-and-white checkerboard adds 390150 a sample) would wrap a
    // 32-bit sum past about 11000 samples and measure the roughest picture as smooth.
    uint64_t total = 0;
    uint32_t count = 0;
    for (int y = 1; y < height_; y += stepY) {
        const uint8_t* row = first_->Row(y);
        const uint8_t* below = first_->Row(y - 1);
        for (int x = 1; x < width_; x += stepX) {
            const uint8_t* pixel = row + 3 * x;
            const uint8_t* left = pixel - 3;
            const uint8_t* under = below + 3 * x;
            const uint8_t* diagonal = under - 3;
            int squares = 0;
            for (int c = 0; c < 3; ++c) {
                const int toLeft = pixel[c] - left[c];
                const int toUnder = pixel[c] - under[c];
                const int toDiagonal = pixel[c] - diagonal[c];
                squares += toLeft * toLeft + toUnder * toUnder + toDiagonal * toDiagonal;
            }
            total += static_cast<uint64_t>(squares);
            ++count;
        }
    }
    // A picture one pixel wide or high has no sample: nothing to measure, so it counts as smooth.
    return count == 0 ? 0 : static_cast<uint32_t>(total / count);
}

int ZoCluster::Denoise(int limit) {
    if (!valid_) return 0;
    constexpr int kMaxPasses = 5;
    int passes = 0;
    while (passes < kMaxPasses) {
        if (int64_t{MeasureRoughness()} < limit) break;
        if (!SmoothInPlace(1)) return 0;
        ++passes;
    }
    return passes > 0 ? 1 : 0;
}

int ZoCluster::SmoothInPlace(int whichImage) {
    if (!valid_) return 0;
    const bool done = InPlacePass(Chosen(whichImage), [](const InPlaceWindow& window,
                                                         uint8_t* pixel, int, int) {
        for (int c = 0; c < 3; ++c)
            pixel[c] = static_cast<uint8_t>((window.centre[c] + (window.sums[c] >> 3)) >> 1);
    });
    return done ? 1 : 0;
}

int ZoCluster::PairSmooth(int direction) {
    if (!valid_) return 0;
    // Without interior pixels there is nothing to repeat into the border: keep the picture.
    if (width_ < 3 || height_ < 3) {
        CopyBorder(direction);
        return 1;
    }
    const ptrdiff_t rowStep = rowBytes_;
    ForEachInteriorPixel(direction, [rowStep](const uint8_t* centre, uint8_t* out, int, int) {
        const uint8_t* left = centre - 3;
        const uint8_t* right = centre + 3;
        const uint8_t* before = centre - rowStep;
        const uint8_t* after = centre + rowStep;
        const uint8_t* across =
            ColourDistance(right, centre) < ColourDistance(left, centre) ? right : left;
        const uint8_t* along =
            ColourDistance(before, centre) < ColourDistance(after, centre) ? before : after;
        for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((across[c] + along[c]) >> 1);
    });
    TDib* out = Output(direction);
    const size_t rowPixelBytes = static_cast<size_t>(3) * width_;
    std::memcpy(out->Row(0), out->Row(1), rowPixelBytes);
    std::memcpy(out->Row(height_ - 1), out->Row(height_ - 2), rowPixelBytes);
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = out->Row(y);
        std::memcpy(row, row + 3, 3);
        std::memcpy(row + rowPixelBytes - 3, row + rowPixelBytes - 6, 3);
    }
    return 1;
}

void ZoCluster::RangeSmooth(const uint8_t* table, int direction) {
    if (!valid_ || table == nullptr) return;
    CopyBorder(direction);
    if (width_ < 3 || height_ < 3) return;
    const TDib* in = Input(direction);
    TDib* out = Output(direction);
    // Each interior pixel against its eight neighbours, whole rows at a time as in Sharpen, in
    // steps that each run over a stretch of bytes: the three-row column sums, lows and highs;
    // from them each byte's neighbour sum, low and high (its own column without its middle
    // byte); the pixels' weights from their largest channel range; the bytes moved.
    constexpr int kStretch = neighbourhood::kStretchBytes;
    int16_t columnSums[kStretch + 6];
    uint8_t columnLows[kStretch + 6];
    uint8_t columnHighs[kStretch + 6];
    int16_t sums[kStretch];
    uint8_t ranges[kStretch];
    int16_t weights[kStretch];
    neighbourhood::ForEachInteriorStretch(width_, height_, [&](int y, int first, int count) {
        const uint8_t* b = in->Row(y - 1) + first;
        const uint8_t* r = in->Row(y) + first;
        const uint8_t* a = in->Row(y + 1) + first;
        uint8_t* t = out->Row(y) + first;
        for (int k = -3; k < count + 3; ++k) {
            columnSums[k + 3] = static_cast<int16_t>(b[k] + r[k] + a[k]);
            columnLows[k + 3] = std::min(std::min(b[k], a[k]), r[k]);
            columnHighs[k + 3] = std::max(std::max(b[k], a[k]), r[k]);
        }
        for (int k = 0; k < count; ++k)
            sums[k] = static_cast<int16_t>(columnSums[k] + columnSums[k + 6] + b[k] + a[k]);
        for (int k = 0; k < count; ++k) {
            const uint8_t above = b[k], below = a[k];
            uint8_t low = columnLows[k] < columnLows[k + 6] ? columnLows[k] : columnLows[k + 6];
            uint8_t high =
                columnHighs[k] > columnHighs[k + 6] ? columnHighs[k] : columnHighs[k + 6];
            low = above < low ? above : low;
            low = below < low ? below : low;
            high = above > high ? above : high;
            high = below > high ? below : high;
            ranges[k] = static_cast<uint8_t>(high - low);
        }
        for (int k = 0; k < count; k += 3) {
            const uint8_t range = std::max(std::max(ranges[k], ranges[k + 1]), ranges[k + 2]);
            const int16_t weight = static_cast<int16_t>(table[range] + 1);
            weights[k] = weights[k + 1] = weights[k + 2] = weight;
        }
        for (int k = 0; k < count; ++k) {
            const int value = r[k];
            t[k] = static_cast<uint8_t>(value + ((sums[k] >> 3) - value) * weights[k] / 256);
        }
    });
}

void ZoCluster::MapSharpen(const TDib* map, const uint8_t* strength, const uint8_t* amount,
                           int direction) {
    if (!valid_ || strength == nullptr || amount == nullptr || !MapCovers(map)) return;
    CopyBorder(direction);
    const uint8_t* mapBits = map->Bits();
    const size_t mapStep = static_cast<size_t>(map->RowBytes());
    neighbourhood::ForEachInteriorSum<3>(
        Input(direction)->Bits(), Output(direction)->Bits(), width_, height_, rowBytes_,
        [&](const uint8_t* centre, const int* sums, uint8_t* out, int x, int y) {
            const int weight = strength[mapBits[mapStep * y + x]];
            for (int c = 0; c < 3; ++c) {
                const int mean = sums[c] >> 3;
                const int pushed = PushAway(centre[c], mean, amount);
                out[c] = static_cast<uint8_t>(mean + (pushed - mean) * weight / 256);
            }
        });
}

int ZoCluster::DirectionalSmooth(const TDib* map, const uint8_t* lengthTable,
                                 const uint8_t* sharpenTable, int threshold) {
    if (!valid_) return 0;
    if (map == nullptr || lengthTable == nullptr || sharpenTable == nullptr || threshold > 255 ||
        threshold < -255) {
        StatusAppend(status_, texts::kInvalidData);
        return 0;
    }
    if (map->Width() != width_ || map->Height() != height_ || map->BitCount() != 8) {
        StatusAppend(status_, texts::kMismatchDib);
        return 0;
    }
    constexpr int kMaxLength = 50;
    for (int i = 0; i < 256; ++i) {
        if (lengthTable[i] > kMaxLength) {
            StatusAppend(status_, texts::kBadLength);
            return 0;
        }
    }
    const int spreadLimit = 3 * threshold * threshold;
    const uint8_t* bits = first_->Bits();
    for (int y = 0; y < height_; ++y) {
        const uint8_t* mapRow = map->Row(y);
        const uint8_t* source = first_->Row(y);
        uint8_t* target = second_->Row(y);
        for (int x = 0; x < width_; ++x) {
            const uint8_t* centre = source + 3 * x;
            uint8_t* pixel = target + 3 * x;
            std::memcpy(pixel, centre, 3);
            int length = lengthTable[mapRow[x]];
            if (length < 2) continue;
            LineStats lines[4];
            int best = -1;
            while (length >= 2) {
                for (int d = 0; d < 4; ++d)
                    lines[d] = MeasureLine(bits, rowBytes_, width_, height_, x, y, d, length);
                best = LeastSpreadLine(lines);
                if (best >= 0 && lines[best].spread <= spreadLimit) break;
                best = -1;
                length /= 2;
            }
            if (best < 0) continue;
            int fitting = 0;
            int sums[3] = {0, 0, 0};
            for (const LineStats& line : lines) {
                if (!line.fits) continue;
                ++fitting;
                for (int c = 0; c < 3; ++c) sums[c] += line.means[c];
            }
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>(
                    PushAway(lines[best].means[c], sums[c] / fitting, sharpenTable));
        }
    }
    const size_t rowPixelBytes = static_cast<size_t>(3) * width_;
    for (int y = 0; y < height_; ++y) std::memcpy(first_->Row(y), second_->Row(y), rowPixelBytes);
    return 1;
}

int ZoCluster::LineSmooth(int length, int direction) {
    if (!valid_) return 0;
    const TDib* in = Input(direction);
    TDib* out = Output(direction);
    const uint8_t* bits = in->Bits();
    for (int y = 0; y < height_; ++y) {
        const uint8_t* source = in->Row(y);
        uint8_t* target = out->Row(y);
        for (int x = 0; x < width_; ++x) {
            uint8_t* pixel = target + 3 * x;
            std::memcpy(pixel, source + 3 * x, 3);
            if (length < 2) continue;
            LineStats lines[4];
            for (int d = 0; d < 4; ++d)
                lines[d] = MeasureLine(bits, rowBytes_, width_, height_, x, y, d, length);
            const int best = LeastSpreadLine(lines);
            if (best < 0) continue;
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(lines[best].means[c]);
        }
    }
    return 1;
}

int ZoCluster::TableSharpen(const uint8_t* table, int direction) {
    if (!valid_ || table == nullptr) return 0;
    ForEachInteriorMean(direction,
                        [table](int value, int mean) { return PushAway(value, mean, table); });
    return 1;
}

int ZoCluster::MaskedNearSmooth(const TDib* mask, int passCount, int threshold) {
    if (!valid_ || !MapCovers(mask)) return 0;
    const neighbourhood::RingOffsets ring = neighbourhood::MakeRingOffsets(3, rowBytes_);
    for (int pass = 0; pass < 2 * passCount; ++pass) {
        const int direction = pass % 2 == 0 ? 1 : 0;
        const TDib* in = Input(direction);
        TDib* out = Output(direction);
        for (int y = 0; y < height_; ++y) {
            const uint8_t* maskRow = mask->Row(y);
            const uint8_t* source = in->Row(y);
            uint8_t* target = out->Row(y);
            for (int x = 0; x < width_; ++x) {
                const uint8_t* centre = source + 3 * x;
                uint8_t* pixel = target + 3 * x;
                const uint8_t* nearest = nullptr;
                if (maskRow[x] > threshold) {
                    int nearestDistance = INT_MAX;
                    for (int k = 0; k < 8; ++k) {
                        const int nx = x + neighbourhood::kRingDx[k];
                        const int ny = y + neighbourhood::kRingDy[k];
                        if (nx < 0 || nx >= width_ || ny < 0 || ny >= height_) continue;
                        const uint8_t* p = centre + ring.offset[k];
                        const int distance = ColourDistance(p, centre);
                        if (distance > 0 && distance < nearestDistance) {
                            nearestDistance = distance;
                            nearest = p;
                        }
                    }
                }
                if (nearest == nullptr) {
                    std::memcpy(pixel, centre, 3);
                    continue;
                }
                for (int c = 0; c < 3; ++c)
                    pixel[c] = static_cast<uint8_t>((centre[c] + nearest[c]) >> 1);
            }
        }
    }
    return 1;
}

int ZoCluster::WeightedSmoothInPlace(const TDib* map, const uint8_t* table, int whichImage) {
    if (!valid_ || table == nullptr || !MapCovers(map)) return 0;
    const uint8_t* mapBits = map->Bits();
    const size_t mapStep = static_cast<size_t>(map->RowBytes());
    const bool done = InPlacePass(Chosen(whichImage), [&](const InPlaceWindow& window,
                                                          uint8_t* pixel, int x, int y) {
        const int weight = table[mapBits[mapStep * y + x]];
        for (int c = 0; c < 3; ++c) {
            const int value = window.centre[c];
            const int mean = window.sums[c] >> 3;
            pixel[c] = static_cast<uint8_t>(weight == 255 ? mean
                                                          : value + (mean - value) * weight / 256);
        }
    });
    return done ? 1 : 0;
}

int ZoCluster::MaskedMeanInPlace(const TDib* map, int threshold, int whichImage) {
    if (!valid_ || !MapCovers(map)) return 0;
    const uint8_t* mapBits = map->Bits();
    const size_t mapStep = static_cast<size_t>(map->RowBytes());
    const bool done = InPlacePass(Chosen(whichImage), [&](const InPlaceWindow& window,
                                                          uint8_t* pixel, int x, int y) {
        if (mapBits[mapStep * y + x] > threshold) return;
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(window.sums[c] >> 3);
    });
    return done ? 1 : 0;
}

int ZoCluster::MiddlePairSmooth(int direction) {
    if (!valid_) return 0;
    CopyBorder(direction);
    const ptrdiff_t rowStep = rowBytes_;
    ForEachInteriorPixel(direction, [rowStep](const uint8_t* centre, uint8_t* out, int, int) {
        // Left, right, before, after; ranked by distance, ties kept in that order.
        const uint8_t* direct[4] = {centre - 3, centre + 3, centre - rowStep, centre + rowStep};
        int distance[4];
        int order[4] = {0, 1, 2, 3};
        for (int k = 0; k < 4; ++k) distance[k] = ColourDistance(direct[k], centre);
        for (int i = 1; i < 4; ++i)
            for (int j = i; j > 0 && distance[order[j]] < distance[order[j - 1]]; --j)
                std::swap(order[j], order[j - 1]);
        const uint8_t* second = direct[order[1]];
        const uint8_t* third = direct[order[2]];
        for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((second[c] + third[c]) >> 1);
    });
    return 1;
}

int ZoCluster::Median5(int direction) {
    if (!valid_) return 0;
    CopyBorder(direction);
    const ptrdiff_t rowStep = rowBytes_;
    ForEachInteriorPixel(direction, [rowStep](const uint8_t* centre, uint8_t* out, int, int) {
        for (int c = 0; c < 3; ++c) {
            out[c] = static_cast<uint8_t>(neighbourhood::MedianOfFive(
                centre[c], centre[c - 3], centre[c + 3], centre[c - rowStep], centre[c + rowStep]));
        }
    });
    return 1;
}

int ZoCluster::SideMeanInPlace(int whichImage) {
    if (!valid_) return 0;
    const bool done = InPlacePass(Chosen(whichImage), [](const InPlaceWindow& window,
                                                         uint8_t* pixel, int, int) {
        // The ring clockwise from the row before, column - 1 (as neighbourhood::kRingDx/Dy).
        const uint8_t* const ring[8] = {window.before - 3, window.before, window.before + 3,
                                        window.centre + 3, window.after + 3, window.after,
                                        window.after - 3,  window.centre - 3};
        int fiveSums[3];
        int threeSums[3];
        SplitRing(ring, window.centre, fiveSums, threeSums);
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(fiveSums[c] / 5);
    });
    return done ? 1 : 0;
}

int ZoCluster::SideSharpen(const uint8_t* table, int direction) {
    if (!valid_ || table == nullptr) return 0;
    CopyBorder(direction);
    const neighbourhood::RingOffsets offsets = neighbourhood::MakeRingOffsets(3, rowBytes_);
    ForEachInteriorPixel(direction, [&](const uint8_t* centre, uint8_t* out, int, int) {
        const uint8_t* ring[8];
        for (int k = 0; k < 8; ++k) ring[k] = centre + offsets.offset[k];
        int fiveSums[3];
        int threeSums[3];
        SplitRing(ring, centre, fiveSums, threeSums);
        for (int c = 0; c < 3; ++c)
            out[c] = static_cast<uint8_t>(PushAway(fiveSums[c] / 5, threeSums[c] / 3, table));
    });
    return 1;
}

int ZoCluster::GrowingMean(int maxRadius, int rangeLimit, int direction) {
    if (!valid_) return 0;
    const TDib* in = Input(direction);
    TDib* out = Output(direction);
    const uint8_t* bits = in->Bits();
    const size_t step = static_cast<size_t>(rowBytes_);
    for (int y = 0; y < height_; ++y) {
        uint8_t* target = out->Row(y);
        for (int x = 0; x < width_; ++x) {
            const uint8_t* centre = bits + step * y + 3 * x;
            const int reach = std::min({maxRadius, x, y, width_ - 1 - x, height_ - 1 - y});
            int64_t sums[3] = {centre[0], centre[1], centre[2]};
            int low[3] = {centre[0], centre[1], centre[2]};
            int high[3] = {centre[0], centre[1], centre[2]};
            int64_t count = 1;
            for (int radius = 1; radius <= reach; ++radius) {
                int64_t ringSums[3] = {0, 0, 0};
                int ringLow[3] = {low[0], low[1], low[2]};
                int ringHigh[3] = {high[0], high[1], high[2]};
                bool within = true;
                auto add = [&](int px, int py) {
                    const uint8_t* p = bits + step * py + 3 * px;
                    for (int c = 0; c < 3; ++c) {
                        ringSums[c] += p[c];
                        ringLow[c] = std::min<int>(ringLow[c], p[c]);
                        ringHigh[c] = std::max<int>(ringHigh[c], p[c]);
                        if (ringHigh[c] - ringLow[c] > rangeLimit) within = false;
                    }
                };
                for (int dx = -radius; dx <= radius && within; ++dx) {
                    add(x + dx, y - radius);
                    add(x + dx, y + radius);
                }
                for (int dy = -radius + 1; dy < radius && within; ++dy) {
                    add(x - radius, y + dy);
                    add(x + radius, y + dy);
                }
                if (!within) break;
                for (int c = 0; c < 3; ++c) {
                    sums[c] += ringSums[c];
                    low[c] = ringLow[c];
                    high[c] = ringHigh[c];
                }
                count = int64_t{2 * radius + 1} * (2 * radius + 1);
            }
            uint8_t* pixel = target + 3 * x;
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(sums[c] / count);
        }
    }
    return 1;
}
