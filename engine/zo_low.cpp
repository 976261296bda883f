// ZoLow: colour reduction to a palette on a 16-level grid, the colour-index map with its counts,
// palette merging, and the majority cleaning of index maps. See zo_low.h for the contracts.
#include "engine/zo_low.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include "engine/neighbourhood.h"
#include "engine/status_text.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"

namespace {

// The largest cell distance is 3 × 15² = 675; any real distance beats this bound.
constexpr int kInverseBound = 676;

// The centred rectangle whose sides are √0.5 of the picture's (half its area); a pixel is
// central when x0 < x < x1 and y0 < y < y1.
struct CentralArea {
    int x0, x1, y0, y1;
};

CentralArea CentralAreaOf(int width, int height) {
    const double side = std::sqrt(0.5);
    const double margin = (1.0 - side) * 0.5;
    return {static_cast<int>(width * margin), static_cast<int>(width * (side + margin)),
            static_cast<int>(height * margin), static_cast<int>(height * (side + margin))};
}

void CountPixel(LowColor& entry, bool central) {
    ++entry.pixelCount;
    if (central) {
        ++entry.centralCount;
    } else {
        ++entry.outsideCount;
    }
}

int SquaredDistance(int dr, int dg, int db) { return dr * dr + dg * dg + db * db; }

bool SameSize(const TDib& a, const TDib& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

using MapRows = neighbourhood::PaddedRowWindow<1>;

// The majority rule between opposite neighbours at column x, `prev`, `cur` and `next` being
// the rows before, of and after the pixel (padded by one column on each side). The first rule
// that holds gives the value; the rules are applied from the last to the first so that the
// pass has no branch per pixel and the compiler can take many pixels at once.
template <bool kPairsOnly>
inline uint8_t MajorityOf(const uint8_t* prev, const uint8_t* cur, const uint8_t* next, int x) {
    const uint8_t left = cur[x - 1], right = cur[x + 1];
    const uint8_t up = prev[x], down = next[x];
    const uint8_t prevLeft = prev[x - 1], prevRight = prev[x + 1];
    const uint8_t nextLeft = next[x - 1], nextRight = next[x + 1];
    uint8_t value = cur[x];
    if (!kPairsOnly) {
        value = (nextRight == left || nextRight == up) ? nextRight : value;
        value = (nextLeft == right || nextLeft == up) ? nextLeft : value;
        value = (prevRight == left || prevRight == down) ? prevRight : value;
        value = (prevLeft == right || prevLeft == down) ? prevLeft : value;
    }
    value = prevRight == nextLeft ? prevRight : value;
    value = prevLeft == nextRight ? prevLeft : value;
    value = up == down ? up : value;
    value = left == right ? left : value;
    return value;
}

template <bool kPairsOnly, bool kMasked>
void SmoothRow(const MapRows& rows, uint8_t* out, const uint8_t* maskRow, int limit, int width) {
    const uint8_t* const prev = rows.Before();
    const uint8_t* const cur = rows.Row();
    const uint8_t* const next = rows.After();
    for (int x = 0; x < width; ++x) {
        const uint8_t value = MajorityOf<kPairsOnly>(prev, cur, next, x);
        if (kMasked) {
            out[x] = maskRow[x] < limit ? value : out[x];
        } else {
            out[x] = value;
        }
    }
}

template <bool kPairsOnly>
void SmoothRowWithMask(const MapRows& rows, uint8_t* out, const uint8_t* maskRow, int limit,
                       int width) {
    if (maskRow != nullptr) {
        SmoothRow<kPairsOnly, true>(rows, out, maskRow, limit, width);
    } else {
        SmoothRow<kPairsOnly, false>(rows, out, nullptr, limit, width);
    }
}

// A copy of an 8-bit image's pixel rows, for filters that must read the values from before
// they started writing.
std::unique_ptr<uint8_t[]> Snapshot(const TDib& image) {
    std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[image.ImageBytes()]);
    if (copy) std::memcpy(copy.get(), image.Bits(), image.ImageBytes());
    return copy;
}

// The most frequent value (the lowest on ties) of a 256-entry count table.
uint8_t ModeOf(const uint32_t* counts) {
    int best = 0;
    for (int v = 1; v < 256; ++v) {
        if (counts[v] > counts[best]) best = v;
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

ZoLow::ZoLow(TDib* source, TDib* colorIndexMap, const LowColor* table, int count, char* status)
    : status_(status), source_(source), map_(colorIndexMap) {
    // Without a table there are no entries to count, whatever count says.
    if (table != nullptr) {
        colorCount_ = std::clamp(count, 0, kPaletteSize);
        std::memcpy(palette_, table, sizeof(LowColor) * static_cast<size_t>(colorCount_));
    }
    StatusCopy(status_, texts::kLowPrefix);
    if (source == nullptr || colorIndexMap == nullptr || source->BitCount() != 24 ||
        colorIndexMap->BitCount() != 8 || !SameSize(*source, *colorIndexMap)) {
        StatusAppend(status_, texts::kInvalidDib);
        return;
    }
    width_ = source->Width();
    height_ = source->Height();
    redCells_.reset(new (std::nothrow) int[256]);
    greenCells_.reset(new (std::nothrow) int[256]);
    blueCells_.reset(new (std::nothrow) int[256]);
    cellHistogram_.reset(new (std::nothrow) uint8_t[kCells]());
    inverseMap_.reset(new (std::nothrow) uint8_t[kCells]());
    if (!redCells_ || !greenCells_ || !blueCells_ || !cellHistogram_ || !inverseMap_) {
        StatusAppend(status_, texts::kNoMemory);
        return;
    }
    // Map and Histogram stay defined even before Init: cells of shift 0, every cell index 0.
    FillCellTables(0);
    valid_ = 1;
}

ZoLow::~ZoLow() = default;

void ZoLow::FillCellTables(int shift) {
    for (int c = 0; c < 256; ++c) {
        const int k = (c >> (shift + 4)) << shift;
        redCells_[c] = 256 * k;
        greenCells_[c] = 16 * k;
        blueCells_[c] = k;
    }
}

int ZoLow::Init(int n, int shift) {
    colorCount_ = 0;
    if (!valid_) return 0;
    if (n < 2 || n > kPaletteSize) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    // From shift 4 on every channel falls into cell 0; the bound keeps the shift count defined.
    FillCellTables(std::clamp(shift, 0, 4));
    const int total = Histogram(100);
    Split(LowCube{total, n, 0, 0, 0}, 16);
    for (LowColor& entry : palette_) {
        entry.pixelCount = 0;
        entry.centralCount = 0;
        entry.outsideCount = 0;
    }
    BuildInverse();
    return 1;
}

int ZoLow::Histogram(int a) {
    if (!valid_) return 0;
    const int samplesPerSide = std::max(a / 2, 1);
    const int stepX = (width_ / samplesPerSide) | 1;
    const int stepY = (height_ / samplesPerSide) | 1;
    // A picture one pixel wide or high has every sample on the edge (distance 0); a half of
    // at least 1 keeps its weight at 1 instead of dividing by zero.
    const int64_t half = std::max(std::min(width_, height_) / 2, 1);
    int working[kCells] = {};
    for (int y = 0; y < height_; y += stepY) {
        const uint8_t* row = source_->Row(y);
        const int edgeY = std::min(y, height_ - 1 - y);
        for (int x = 0; x < width_; x += stepX) {
            const int64_t d = std::min({x, width_ - 1 - x, edgeY});
            working[CellOf(row + 3 * x)] += static_cast<int>(d * 5 / half + 1);
        }
    }
    int sum = 0;
    for (int i = 0; i < kCells; ++i) {
        const int value = std::min(ISqrt(static_cast<uint32_t>(working[i])), 255);
        cellHistogram_[i] = static_cast<uint8_t>(value);
        sum += value;
    }
    return sum;
}

void ZoLow::Split(LowCube cube, int size) {
    if (!valid_) return;
    const int half = size / 2;
    if (half < 1 || cube.quota <= 0) return;
    const int span = 2 * half;
    if (cube.red < 0 || cube.green < 0 || cube.blue < 0 || cube.red > 16 - span ||
        cube.green > 16 - span || cube.blue > 16 - span) {
        return;
    }

    // The eight sub-cubes, heaviest first; equal weights keep their enumeration order.
    LowCube subs[8];
    int listed = 0;
    int64_t total = 0;
    for (int ri = 0; ri < 2; ++ri) {
        for (int gi = 0; gi < 2; ++gi) {
            for (int bi = 0; bi < 2; ++bi) {
                LowCube sub{0, 0, cube.red + ri * half, cube.green + gi * half,
                            cube.blue + bi * half};
                for (int r = sub.red; r < sub.red + half; ++r) {
                    for (int g = sub.green; g < sub.green + half; ++g) {
                        const uint8_t* cells = cellHistogram_.get() + 256 * r + 16 * g;
                        for (int b = sub.blue; b < sub.blue + half; ++b) sub.weight += cells[b];
                    }
                }
                total += sub.weight;
                int at = listed++;
                while (at > 0 && subs[at - 1].weight < sub.weight) {
                    subs[at] = subs[at - 1];
                    --at;
                }
                subs[at] = sub;
            }
        }
    }
    // Nothing sampled in this cube: it stands for no colour. The shares below divide by the
    // weight measured here, so they never exceed the quota even for a record whose weight
    // does not match the histogram.
    if (total <= 0) return;

    int k = cube.quota;
    for (LowCube& sub : subs) {
        if (k == 0) break;
        if (sub.weight > 0) {
            sub.quota = 1;
            --k;
        }
    }
    if (k > 0) {
        int shared = 0;
        for (LowCube& sub : subs) {
            if (sub.weight <= 0) continue;
            const int share = static_cast<int>(int64_t{sub.weight} * k / total);
            sub.quota += share;
            shared += share;
        }
        subs[0].quota += k - shared;
    }

    for (const LowCube& sub : subs) {
        if (sub.quota <= 0) continue;
        if (half > 1) {
            Split(sub, half);
        } else {
            AppendEntry(sub.red, sub.green, sub.blue);
        }
    }
}

void ZoLow::AppendEntry(int red, int green, int blue) {
    if (colorCount_ >= kPaletteSize) return;
    LowColor& entry = palette_[colorCount_++];
    entry = LowColor{};
    entry.cellRed = static_cast<uint8_t>(red);
    entry.cellGreen = static_cast<uint8_t>(green);
    entry.cellBlue = static_cast<uint8_t>(blue);
    HueColor color{red * 255 / 15, green * 255 / 15, blue * 255 / 15, 0, 0, 0};
    RgbToHcy(color);
    entry.red = static_cast<uint8_t>(color.red);
    entry.green = static_cast<uint8_t>(color.green);
    entry.blue = static_cast<uint8_t>(color.blue);
    entry.hue = static_cast<uint8_t>(color.hue);
    entry.chroma = static_cast<uint8_t>(color.chroma);
    entry.luma = static_cast<uint8_t>(color.luma);
}

void ZoLow::BuildInverse() {
    if (!valid_) return;
    for (int r = 0; r < 16; ++r) {
        for (int g = 0; g < 16; ++g) {
            for (int b = 0; b < 16; ++b) {
                int best = 0;
                int bound = kInverseBound;
                for (int i = 0; i < colorCount_; ++i) {
                    const LowColor& entry = palette_[i];
                    const int d = SquaredDistance(r - entry.cellRed, g - entry.cellGreen,
                                                  b - entry.cellBlue);
                    if (d < bound) {
                        bound = d;
                        best = i;
                        if (d == 0) break;
                    }
                }
                inverseMap_[256 * r + 16 * g + b] = static_cast<uint8_t>(best);
            }
        }
    }
}

void ZoLow::Map() {
    if (!valid_) return;
    const CentralArea area = CentralAreaOf(width_, height_);
    const uint8_t* inverse = inverseMap_.get();
    for (int y = 0; y < height_; ++y) {
        const uint8_t* pixel = source_->Row(y);
        uint8_t* out = map_->Row(y);
        const bool centralRow = area.y0 < y && y < area.y1;
        for (int x = 0; x < width_; ++x, pixel += 3) {
            const uint8_t index = inverse[CellOf(pixel)];
            out[x] = index;
            CountPixel(palette_[index], centralRow && area.x0 < x && x < area.x1);
        }
    }
}

void ZoLow::MapBlocks(int n) {
    if (!valid_) return;
    n = std::clamp(n, 1, std::max(1, std::min(width_, height_)));
    const CentralArea area = CentralAreaOf(width_, height_);
    const uint8_t* inverse = inverseMap_.get();
    for (int y = 0; y < height_; ++y) {
        const int top = y / n * n;
        const int bottom = std::min(top + n, height_ - 1);
        // A block cut by the picture's edge interpolates between the corners it still has.
        const int64_t spanY = std::max(bottom - top, 1);
        const int64_t fy = y - top;
        const uint8_t* rowTop = source_->Row(top);
        const uint8_t* rowBottom = source_->Row(bottom);
        uint8_t* out = map_->Row(y);
        const bool centralRow = area.y0 < y && y < area.y1;
        for (int x = 0; x < width_; ++x) {
            const int left = x / n * n;
            const int right = std::min(left + n, width_ - 1);
            const int64_t spanX = std::max(right - left, 1);
            const int64_t fx = x - left;
            const int64_t w00 = (spanX - fx) * (spanY - fy), w10 = fx * (spanY - fy);
            const int64_t w01 = (spanX - fx) * fy, w11 = fx * fy;
            uint8_t colour[3];
            for (int c = 0; c < 3; ++c) {
                const int64_t sum = w00 * rowTop[3 * left + c] + w10 * rowTop[3 * right + c] +
                                    w01 * rowBottom[3 * left + c] +
                                    w11 * rowBottom[3 * right + c];
                colour[c] = static_cast<uint8_t>(sum / (spanX * spanY));
            }
            const uint8_t index = inverse[CellOf(colour)];
            out[x] = index;
            CountPixel(palette_[index], centralRow && area.x0 < x && x < area.x1);
        }
    }
}

void ZoLow::Merge(int n, int distance, const uint8_t* table) {
    if (n < 2) n = 2;
    if (n > colorCount_) n = colorCount_;
    std::memset(mergeMap_, 0, sizeof mergeMap_);
    representativeCount_ = 0;
    if (colorCount_ <= 0) return;

    int red[kPaletteSize], green[kPaletteSize], blue[kPaletteSize];
    uint32_t count[kPaletteSize];
    for (int j = 0; j < colorCount_; ++j) {
        const LowColor& entry = palette_[j];
        red[j] = table != nullptr ? table[entry.red] : entry.red;
        green[j] = table != nullptr ? table[entry.green] : entry.green;
        blue[j] = table != nullptr ? table[entry.blue] : entry.blue;
        count[j] = entry.pixelCount;
    }
    auto distanceBetween = [&](int i, int j) {
        return SquaredDistance(red[i] - red[j], green[i] - green[j], blue[i] - blue[j]);
    };

    int taken[kPaletteSize];
    int takenCount = 0;
    int first = 0;
    for (int j = 1; j < colorCount_; ++j) {
        if (count[j] > count[first]) first = j;
    }
    taken[takenCount++] = first;
    count[first] = 0;

    // nearest[j]: squared distance from entry j to the closest representative so far.
    int nearest[kPaletteSize];
    for (int j = 0; j < colorCount_; ++j) nearest[j] = distanceBetween(j, first);
    const int64_t stopBelow = int64_t{distance} * distance;
    while (takenCount < n) {
        int candidate = -1;
        for (int j = 0; j < colorCount_; ++j) {
            if (count[j] > 0 && (candidate < 0 || nearest[j] > nearest[candidate])) candidate = j;
        }
        // Every occurring colour is taken already: nothing is left to become a representative.
        if (candidate < 0) break;
        if (nearest[candidate] < stopBelow) break;
        taken[takenCount++] = candidate;
        count[candidate] = 0;
        for (int j = 0; j < colorCount_; ++j) {
            nearest[j] = std::min(nearest[j], distanceBetween(j, candidate));
        }
    }
    representativeCount_ = takenCount;

    for (int j = 0; j < colorCount_; ++j) {
        int best = taken[0];
        int bestDistance = distanceBetween(j, best);
        for (int t = 1; t < takenCount; ++t) {
            const int d = distanceBetween(j, taken[t]);
            if (d < bestDistance) {
                bestDistance = d;
                best = taken[t];
            }
        }
        mergeMap_[j] = static_cast<uint8_t>(best);
    }
}

bool ZoLow::MaskFits(const TDib* mask) const {
    return mask != nullptr && mask->BitCount() == 8 && SameSize(*mask, *map_);
}

int ZoLow::SmoothWith(int passes, const TDib* mask, int limit, bool pairsOnly) {
    // Every pass reads the map as it was before that pass.
    const bool done = neighbourhood::RunRowPasses<1>(
        *map_, passes, neighbourhood::RowBefore::kAsBeforeThePass, [&](const MapRows& rows, int y) {
            const uint8_t* maskRow = mask != nullptr ? mask->Row(y) : nullptr;
            if (pairsOnly) {
                SmoothRowWithMask<true>(rows, map_->Row(y), maskRow, limit, width_);
            } else {
                SmoothRowWithMask<false>(rows, map_->Row(y), maskRow, limit, width_);
            }
        });
    if (!done) StatusAppend(status_, texts::kNoMemory);
    return done ? 1 : 0;
}

int ZoLow::SmoothCheckingMask(int passes, const TDib* mask, int limit, bool pairsOnly) {
    if (!valid_) return 0;
    if (!MaskFits(mask)) {
        StatusAppend(status_, texts::kInvalidDib);
        return 0;
    }
    return SmoothWith(passes, mask, limit, pairsOnly);
}

int ZoLow::Smooth(int passes) { return valid_ ? SmoothWith(passes, nullptr, 0, false) : 0; }

int ZoLow::SmoothMasked(int passes, const TDib* mask, int limit) {
    return SmoothCheckingMask(passes, mask, limit, false);
}

int ZoLow::SmoothPairs(int passes) { return valid_ ? SmoothWith(passes, nullptr, 0, true) : 0; }

int ZoLow::SmoothPairsMasked(int passes, const TDib* mask, int limit) {
    return SmoothCheckingMask(passes, mask, limit, true);
}

int ZoLow::ClassMeans(const uint8_t* classTable, uint8_t* red, uint8_t* green, uint8_t* blue) {
    if (!valid_) return 0;
    if (classTable == nullptr || red == nullptr || green == nullptr || blue == nullptr) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    // 64-bit sums: 255 × the pixel count passes 2^31 from about 8.4 million pixels on.
    uint64_t sums[256][3] = {};
    uint64_t counts[256] = {};
    for (int y = 0; y < height_; ++y) {
        const uint8_t* pixel = source_->Row(y);
        const uint8_t* index = map_->Row(y);
        for (int x = 0; x < width_; ++x, pixel += 3) {
            const uint8_t cls = classTable[index[x]];
            sums[cls][0] += pixel[0];
            sums[cls][1] += pixel[1];
            sums[cls][2] += pixel[2];
            ++counts[cls];
        }
    }
    for (int c = 0; c < 256; ++c) {
        blue[c] = counts[c] != 0 ? static_cast<uint8_t>(sums[c][0] / counts[c]) : 0;
        green[c] = counts[c] != 0 ? static_cast<uint8_t>(sums[c][1] / counts[c]) : 0;
        red[c] = counts[c] != 0 ? static_cast<uint8_t>(sums[c][2] / counts[c]) : 0;
    }
    return 1;
}

int ZoLow::ModeFilter(int r) {
    if (!valid_) return 0;
    r = std::clamp(r, 0, std::max(width_, height_));
    if (r == 0) return 1;
    const std::unique_ptr<uint8_t[]> before = Snapshot(*map_);
    if (!before) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    const size_t rowBytes = static_cast<size_t>(map_->RowBytes());
    uint32_t counts[256];
    for (int y = 0; y < height_; ++y) {
        const int top = std::max(0, y - r), bottom = std::min(height_ - 1, y + r);
        auto addColumn = [&](int x, int delta) {
            const uint8_t* at = before.get() + rowBytes * top + x;
            for (int row = top; row <= bottom; ++row, at += rowBytes) counts[*at] += delta;
        };
        std::memset(counts, 0, sizeof counts);
        for (int x = 0; x <= std::min(r, width_ - 1); ++x) addColumn(x, 1);
        uint8_t* out = map_->Row(y);
        for (int x = 0; x < width_; ++x) {
            if (x > 0) {
                if (x - r - 1 >= 0) addColumn(x - r - 1, -1);
                if (x + r < width_) addColumn(x + r, 1);
            }
            out[x] = ModeOf(counts);
        }
    }
    return 1;
}

int ZoLow::ModeFilterByMap(int k, const uint8_t* table, const TDib* map) {
    if (!valid_) return 0;
    if (table == nullptr) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    if (!MaskFits(map)) {
        StatusAppend(status_, texts::kInvalidDib);
        return 0;
    }
    const std::unique_ptr<uint8_t[]> before = Snapshot(*map_);
    if (!before) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    const size_t rowBytes = static_cast<size_t>(map_->RowBytes());
    const int largest = std::max(width_, height_);
    uint32_t counts[256] = {};
    for (int y = 0; y < height_; ++y) {
        const uint8_t* radii = map->Row(y);
        uint8_t* out = map_->Row(y);
        for (int x = 0; x < width_; ++x) {
            const int64_t product = int64_t{k} * table[radii[x]];
            const int32_t scaled = static_cast<int32_t>(
                std::clamp<int64_t>(product, INT32_MIN, INT32_MAX));
            const int r = std::clamp(ArithmeticShiftRight(scaled, 8) + 1, 0, largest);
            const int top = std::max(0, y - r), bottom = std::min(height_ - 1, y + r);
            const int left = std::max(0, x - r), right = std::min(width_ - 1, x + r);
            // Counts only grow while the window is added, so the running best is the mode,
            // the lowest index winning a tie.
            int best = 0;
            uint32_t bestCount = 0;
            for (int row = top; row <= bottom; ++row) {
                const uint8_t* at = before.get() + rowBytes * row;
                for (int col = left; col <= right; ++col) {
                    const uint8_t v = at[col];
                    const uint32_t c = ++counts[v];
                    if (c > bestCount || (c == bestCount && v < best)) {
                        best = v;
                        bestCount = c;
                    }
                }
            }
            for (int row = top; row <= bottom; ++row) {
                const uint8_t* at = before.get() + rowBytes * row;
                for (int col = left; col <= right; ++col) counts[at[col]] = 0;
            }
            out[x] = static_cast<uint8_t>(best);
        }
    }
    return 1;
}

int ZoLow::CrossMedian() {
    if (!valid_) return 0;
    if (width_ < 3 || height_ < 3) return 1;
    MapRows rows(*map_);
    if (!rows.IsReady()) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    // Row y + 1 is copied before row y is written, so every median reads the map as it was.
    rows.CentreOn(1);
    for (int y = 1; y < height_ - 1; ++y, rows.Advance()) {
        const uint8_t* const prev = rows.Before();
        const uint8_t* const cur = rows.Row();
        const uint8_t* const next = rows.After();
        uint8_t* out = map_->Row(y);
        for (int x = 1; x < width_ - 1; ++x) {
            out[x] = static_cast<uint8_t>(
                neighbourhood::MedianOfFive(cur[x], cur[x - 1], cur[x + 1], prev[x], next[x]));
        }
    }
    return 1;
}
