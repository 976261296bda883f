// ZoPart's scan-line fills: measuring every piece (painted through FillPart) and merging pieces
// into their most similar neighbour, judged on statistics gathered at the piece's border
// during the flood itself. Both fills use the object's fixed stack and span arrays; a piece too
// complex for them is cut with a warning and the pass goes on. The silkscreen style runs them
// up to forty times over a picture of many small pieces, so runs of one label are walked and
// skipped eight bytes at a time, each row's pointers are taken once per span and only the
// neighbour entries a piece touched are cleared.
#include <cstdlib>
#include <cstring>

#include "engine/status_text.h"
#include "engine/zo_part.h"
#include "imaging/byte_runs.h"
#include "imaging/hue_color.h"

namespace {

// A neighbour whose border pixels vary this much does not have one flat colour.
constexpr int64_t kFlatSpreadLimit = 200;
// Pieces merge only into a neighbour cheaper than this.
constexpr int64_t kMergeCostLimit = 60;

// Adds the blue, green and red bytes of `count` pixels from `pixels` to sums[0..2]. Eight
// pixels (three words) at a time, each word split into its even and odd bytes as four 16-bit
// lanes that gather up to 256 blocks before they are added to the sums by channel.
void AddPixelSums(const uint8_t* pixels, int count, int64_t sums[3]) {
    constexpr uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
    constexpr int kBlockPixels = 8;
    constexpr int kBlocksPerFlush = 256;
    while (count >= kBlockPixels) {
        uint64_t even[3] = {0, 0, 0};
        uint64_t odd[3] = {0, 0, 0};
        int blocks = count / kBlockPixels;
        if (blocks > kBlocksPerFlush) blocks = kBlocksPerFlush;
        for (int b = 0; b < blocks; ++b, pixels += 3 * kBlockPixels) {
            for (int j = 0; j < 3; ++j) {
                const uint64_t word = byte_runs::Load8(pixels + 8 * j);
                even[j] += word & kLowBytes;
                odd[j] += (word >> 8) & kLowBytes;
            }
        }
        count -= blocks * kBlockPixels;
        // Byte k of the 24-byte block belongs to channel k % 3.
        for (int j = 0; j < 3; ++j) {
            for (int lane = 0; lane < 4; ++lane) {
                const int byte = 8 * j + 2 * lane;
                sums[byte % 3] += static_cast<int64_t>((even[j] >> (16 * lane)) & 0xFFFF);
                sums[(byte + 1) % 3] += static_cast<int64_t>((odd[j] >> (16 * lane)) & 0xFFFF);
            }
        }
    }
    for (; count > 0; --count, pixels += 3) {
        sums[0] += pixels[0];
        sums[1] += pixels[1];
        sums[2] += pixels[2];
    }
}

}  // namespace

void ZoPart::PushSeed(int x, int y) {
    stackX_[stackCount_] = x;
    stackY_[stackCount_] = y;
    ++stackCount_;
}

inline void ZoPart::AddBorderPixel(int m, const uint8_t* paint, const uint8_t* outside,
                                   const uint8_t* inside, int focus) {
    Neighbour& n = neighbours_[m];
    if (n.count == 0) touched_[touchedCount_++] = static_cast<uint8_t>(m);
    for (int c = 0; c < 3; ++c) {
        n.canvas[c] += paint[c];
        n.squares += paint[c] * paint[c];
        n.outside[c] += outside[c];
        n.inside[c] += inside[c];
    }
    if (focus > n.highestFocus) n.highestFocus = focus;
    ++n.count;
    ++borderCount_;
}

void ZoPart::ClearNeighbours() {
    for (int i = 0; i < touchedCount_; ++i) neighbours_[touched_[i]] = Neighbour{};
    touchedCount_ = 0;
    borderCount_ = 0;
}

int ZoPart::PushSpans(int left, int right, int y, int label) {
    if (!valid_ || y < 0 || y >= height_) return 1;
    if (left < 0) left = 0;
    if (right > width_ - 1) right = width_ - 1;
    const uint8_t* labels = labelMap_->Row(y);
    const uint8_t value = static_cast<uint8_t>(label);
    // The first pixel of each run of the label is pushed.
    for (int x = left; x <= right;) {
        const void* hit = std::memchr(labels + x, value, static_cast<size_t>(right - x + 1));
        if (hit == nullptr) break;
        x = static_cast<int>(static_cast<const uint8_t*>(hit) - labels);
        PushSeed(x, y);
        if (stackCount_ == kStackLimit) {
            StatusCopy(status_, texts::kImageTooComplex);
            return 0;
        }
        x = byte_runs::RunEnd(labels, x + 1, right + 1, value);
    }
    return 1;
}

int ZoPart::PushSpansWithStats(int left, int right, int y, int direction, int label) {
    const int ny = y + direction;
    if (!valid_ || ny < 0 || ny >= height_ || y < 0 || y >= height_) return 1;
    if (left < 0) left = 0;
    if (right > width_ - 1) right = width_ - 1;
    const uint8_t* labels = labelMap_->Row(ny);
    const uint8_t* paint = canvas_->Row(ny);
    const uint8_t* outside = source_->Row(ny);
    const uint8_t* inside = source_->Row(y);
    const uint8_t* focus = focusMap_->Row(ny);
    const uint8_t value = static_cast<uint8_t>(label);
    const uint8_t taken = static_cast<uint8_t>(label | kVisited);
    for (int x = left; x <= right;) {
        const uint8_t here = labels[x];
        if (here == value) {
            // The first pixel of each run of the label is pushed.
            PushSeed(x, ny);
            if (stackCount_ == kStackLimit) {
                StatusCopy(status_, texts::kImageTooComplex);
                return 0;
            }
            x = byte_runs::RunEnd(labels, x + 1, right + 1, value);
        } else if (here == taken) {
            // Pixels of the piece already taken are not border pixels.
            x = byte_runs::RunEnd(labels, x + 1, right + 1, taken);
        } else {
            AddBorderPixel(here & ~kVisited, paint + 3 * x, outside + 3 * x, inside + 3 * x,
                           focus[x]);
            ++x;
        }
    }
    return 1;
}

template <bool kStats>
void ZoPart::Flood(int x, int y) {
    const uint8_t label = labelMap_->Row(y)[x];
    const uint8_t taken = static_cast<uint8_t>(label | kVisited);
    const int lastColumn = width_ - 1;
    stackCount_ = 0;
    spanCount_ = 0;
    PushSeed(x, y);
    while (stackCount_ > 0) {
        --stackCount_;
        const int px = stackX_[stackCount_];
        const int py = stackY_[stackCount_];
        uint8_t* labels = labelMap_->Row(py);
        if (labels[px] & kVisited) continue;
        const int left = byte_runs::RunStart(labels, 0, px, label);
        const int right = byte_runs::RunEnd(labels, px + 1, lastColumn + 1, label) - 1;
        std::memset(labels + left, taken, static_cast<size_t>(right - left + 1));
        const uint8_t* source = source_->Row(py);
        if (kStats) {
            const uint8_t* paint = canvas_->Row(py);
            const uint8_t* focus = focusMap_->Row(py);
            if (left > 0) {
                const int m = labels[left - 1] & ~kVisited;
                if (m != label)
                    AddBorderPixel(m, paint + 3 * (left - 1), source + 3 * (left - 1),
                                   source + 3 * left, focus[left - 1]);
            }
            if (right < lastColumn) {
                const int m = labels[right + 1] & ~kVisited;
                if (m != label)
                    AddBorderPixel(m, paint + 3 * (right + 1), source + 3 * (right + 1),
                                   source + 3 * right, focus[right + 1]);
            }
        } else {
            int64_t sums[3] = {0, 0, 0};
            AddPixelSums(source + 3 * left, right - left + 1, sums);
            pieceBlue_ += sums[0];
            pieceGreen_ += sums[1];
            pieceRed_ += sums[2];
            pieceCount_ += right - left + 1;
        }

        spanLeft_[spanCount_] = left;
        spanRight_[spanCount_] = right;
        spanRow_[spanCount_] = py;
        if (++spanCount_ == kSpanLimit) {
            StatusCopy(status_, texts::kImageTooComplex);
            break;
        }
        if (kStats) {
            if (!PushSpansWithStats(left, right, py, -1, label)) break;
            if (!PushSpansWithStats(left, right, py, +1, label)) break;
        } else {
            if (!PushSpans(left, right, py - 1, label)) break;
            if (!PushSpans(left, right, py + 1, label)) break;
        }
    }
}

void ZoPart::FloodPart(int x, int y) {
    if (!valid_ || x < 0 || x >= width_ || y < 0 || y >= height_) return;
    const uint8_t label = labelMap_->Row(y)[x];
    if (label & kVisited) return;
    pieceRed_ = pieceGreen_ = pieceBlue_ = pieceCount_ = 0;
    Flood<false>(x, y);
    FillPart();
    labelSum_[label][0] += pieceBlue_;
    labelSum_[label][1] += pieceGreen_;
    labelSum_[label][2] += pieceRed_;
    labelCount_[label] += pieceCount_;
}

void ZoPart::FillPart() {
    if (pieceCount_ < 1) return;
    // Sixteen pixels of the mean colour, copied along each span.
    constexpr int kPatternPixels = 16;
    uint8_t pattern[3 * kPatternPixels];
    pattern[0] = static_cast<uint8_t>(pieceBlue_ / pieceCount_);
    pattern[1] = static_cast<uint8_t>(pieceGreen_ / pieceCount_);
    pattern[2] = static_cast<uint8_t>(pieceRed_ / pieceCount_);
    for (int i = 3; i < 3 * kPatternPixels; ++i) pattern[i] = pattern[i - 3];
    for (int i = 0; i < spanCount_; ++i) {
        uint8_t* pixel = canvas_->Row(spanRow_[i]) + 3 * spanLeft_[i];
        size_t bytes = 3 * static_cast<size_t>(spanRight_[i] - spanLeft_[i] + 1);
        for (; bytes > sizeof pattern; bytes -= sizeof pattern, pixel += sizeof pattern)
            std::memcpy(pixel, pattern, sizeof pattern);
        std::memcpy(pixel, pattern, bytes);
    }
}

int ZoPart::MeasureParts() {
    if (!valid_) return 1;
    std::memset(labelSum_, 0, sizeof labelSum_);
    std::memset(labelCount_, 0, sizeof labelCount_);
    const int w = width_;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* labels = labelMap_->Row(y);
        // Each flood marks its piece, so the row is searched afresh after it.
        for (int x = byte_runs::FirstBelow128(labels, 0, w); x < w;
             x = byte_runs::FirstBelow128(labels, x + 1, w))
            FloodPart(x, y);
    }
    ClearVisitedMarks(true);
    for (int label = 0; label < 256; ++label) {
        const int64_t count = labelCount_[label];
        pixelCount_[label] = static_cast<int>(count);
        meanBlue_[label] = count > 0 ? static_cast<int>(labelSum_[label][0] / count) : 0;
        meanGreen_[label] = count > 0 ? static_cast<int>(labelSum_[label][1] / count) : 0;
        meanRed_[label] = count > 0 ? static_cast<int>(labelSum_[label][2] / count) : 0;
    }
    return 1;
}

int ZoPart::MergeSmallParts(const uint8_t* focusTable, const uint8_t* lumaTable,
                            const uint8_t* chromaTable) {
    mergeFlag_ = 0;
    if (!valid_ || focusTable == nullptr || lumaTable == nullptr || chromaTable == nullptr)
        return 0;
    focusCost_ = focusTable;
    lumaCost_ = lumaTable;
    chromaCost_ = chromaTable;
    const int w = width_;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* labels = labelMap_->Row(y);
        for (int x = byte_runs::FirstBelow128(labels, 0, w); x < w;
             x = byte_runs::FirstBelow128(labels, x + 1, w))
            TryMergePart(x, y);
    }
    ClearVisitedMarks(false);
    return mergeFlag_;
}

void ZoPart::TryMergePart(int x, int y) {
    if (!valid_ || focusCost_ == nullptr || x < 0 || x >= width_ || y < 0 || y >= height_)
        return;
    const uint8_t label = labelMap_->Row(y)[x];
    if (label & kVisited) return;
    const uint8_t* seedPixel = canvas_->Row(y) + 3 * x;
    HueColor seed{seedPixel[2], seedPixel[1], seedPixel[0], 0, 0, 0};
    RgbToHcy(seed);
    const int seedFocus = focusMap_->Row(y)[x];

    ClearNeighbours();
    Flood<true>(x, y);

    // The cheapest neighbour wins, the lower label on equal cost.
    int winner = -1;
    int64_t lowestCost = 0;
    for (int i = 0; i < touchedCount_; ++i) {
        const int m = touched_[i];
        const Neighbour& n = neighbours_[m];
        // The mean colour of the neighbour's border pixels, and how much they spread around it.
        const int64_t meanBlue = n.canvas[0] / n.count;
        const int64_t meanGreen = n.canvas[1] / n.count;
        const int64_t meanRed = n.canvas[2] / n.count;
        const int64_t spread =
            (n.squares - n.count * (meanRed * meanRed + meanGreen * meanGreen +
                                    meanBlue * meanBlue)) /
            n.count;
        if (spread >= kFlatSpreadLimit) continue;
        HueColor neighbour{static_cast<int32_t>(meanRed), static_cast<int32_t>(meanGreen),
                           static_cast<int32_t>(meanBlue), 0, 0, 0};
        RgbToHcy(neighbour);
        const int64_t colourDifference = std::llabs(meanRed - seed.red) +
                                         std::llabs(meanGreen - seed.green) +
                                         std::llabs(meanBlue - seed.blue);
        int64_t edge = 0;  // the mean step of the source across the border
        for (int c = 0; c < 3; ++c) edge += std::llabs((n.outside[c] - n.inside[c]) / n.count);
        const int64_t share = 20 * borderCount_ / n.count;
        const int64_t base = share + colourDifference + 8 * edge +
                             lumaCost_[neighbour.luma < seed.luma ? neighbour.luma : seed.luma] +
                             chromaCost_[neighbour.chroma > seed.chroma ? neighbour.chroma
                                                                        : seed.chroma];
        const int focus = n.highestFocus > seedFocus ? n.highestFocus : seedFocus;
        const int64_t cost = focusCost_[focus] * base / 256;
        if (winner < 0 || cost < lowestCost || (cost == lowestCost && m < winner)) {
            winner = m;
            lowestCost = cost;
        }
    }
    if (winner >= 0 && lowestCost < kMergeCostLimit) {
        RelabelPart(winner);
        mergeFlag_ = 1;
    }
}

void ZoPart::RelabelPart(int label) {
    if (!valid_) return;
    const uint8_t marked = static_cast<uint8_t>((label & ~kVisited) | kVisited);
    for (int i = 0; i < spanCount_; ++i) {
        std::memset(labelMap_->Row(spanRow_[i]) + spanLeft_[i], marked,
                    static_cast<size_t>(spanRight_[i] - spanLeft_[i] + 1));
    }
}
