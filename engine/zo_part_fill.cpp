// ZoPart's scan-line fills: measuring every piece (painted through FillPart) and merging pieces
// into their most similar neighbour, judged on statistics gathered at the piece's border
// during the flood itself. Both fills use the object's fixed stack and span arrays; a piece too
// complex for them is cut with a warning and the pass goes on.
#include <cstdlib>
#include <cstring>

#include "engine/status_text.h"
#include "engine/zo_part.h"
#include "imaging/hue_color.h"

namespace {

// A neighbour whose border pixels vary this much does not have one flat colour.
constexpr int64_t kFlatSpreadLimit = 200;
// Pieces merge only into a neighbour cheaper than this.
constexpr int64_t kMergeCostLimit = 60;

}  // namespace

void ZoPart::PushSeed(int x, int y) {
    stackX_[stackCount_] = x;
    stackY_[stackCount_] = y;
    ++stackCount_;
}

void ZoPart::AddBorderPixel(int bx, int by, int ix, int iy, int label) {
    const int m = labelMap_->Row(by)[bx] & ~kVisited;
    if (m == label) return;
    Neighbour& n = neighbours_[m];
    const uint8_t* paint = canvas_->Row(by) + 3 * bx;
    const uint8_t* outside = source_->Row(by) + 3 * bx;
    const uint8_t* inside = source_->Row(iy) + 3 * ix;
    for (int c = 0; c < 3; ++c) {
        n.canvas[c] += paint[c];
        n.squares += paint[c] * paint[c];
        n.outside[c] += outside[c];
        n.inside[c] += inside[c];
    }
    const int focus = focusMap_->Row(by)[bx];
    if (focus > n.highestFocus) n.highestFocus = focus;
    ++n.count;
    ++borderCount_;
}

int ZoPart::PushSpans(int left, int right, int y, int label) {
    if (!valid_ || y < 0 || y >= height_) return 1;
    if (left < 0) left = 0;
    if (right > width_ - 1) right = width_ - 1;
    const uint8_t* labels = labelMap_->Row(y);
    // The first pixel of each run of the label is pushed.
    for (int x = left; x <= right; ++x) {
        if (labels[x] != label) continue;
        PushSeed(x, y);
        if (stackCount_ == kStackLimit) {
            StatusCopy(status_, texts::kImageTooComplex);
            return 0;
        }
        while (x < right && labels[x + 1] == label) ++x;
    }
    return 1;
}

int ZoPart::PushSpansWithStats(int left, int right, int y, int direction, int label) {
    const int ny = y + direction;
    if (!valid_ || ny < 0 || ny >= height_ || y < 0 || y >= height_) return 1;
    if (left < 0) left = 0;
    if (right > width_ - 1) right = width_ - 1;
    const uint8_t* labels = labelMap_->Row(ny);
    bool inRun = false;
    for (int x = left; x <= right; ++x) {
        if (labels[x] != label) {
            inRun = false;
            AddBorderPixel(x, ny, x, y, label);
            continue;
        }
        if (inRun) continue;
        inRun = true;
        PushSeed(x, ny);
        if (stackCount_ == kStackLimit) {
            StatusCopy(status_, texts::kImageTooComplex);
            return 0;
        }
    }
    return 1;
}

template <bool kStats>
void ZoPart::Flood(int x, int y) {
    const uint8_t label = labelMap_->Row(y)[x];
    stackCount_ = 0;
    spanCount_ = 0;
    PushSeed(x, y);
    while (stackCount_ > 0) {
        --stackCount_;
        const int px = stackX_[stackCount_];
        const int py = stackY_[stackCount_];
        uint8_t* labels = labelMap_->Row(py);
        if (labels[px] & kVisited) continue;
        const uint8_t* source = source_->Row(py);
        auto take = [&](int at) {
            labels[at] |= kVisited;
            if (!kStats) {
                pieceBlue_ += source[3 * at];
                pieceGreen_ += source[3 * at + 1];
                pieceRed_ += source[3 * at + 2];
                ++pieceCount_;
            }
        };
        take(px);
        int left = px;
        while (left > 0 && labels[left - 1] == label) take(--left);
        int right = px;
        while (right < width_ - 1 && labels[right + 1] == label) take(++right);
        if (kStats) {
            if (left > 0) AddBorderPixel(left - 1, py, left, py, label);
            if (right < width_ - 1) AddBorderPixel(right + 1, py, right, py, label);
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
    const uint8_t blue = static_cast<uint8_t>(pieceBlue_ / pieceCount_);
    const uint8_t green = static_cast<uint8_t>(pieceGreen_ / pieceCount_);
    const uint8_t red = static_cast<uint8_t>(pieceRed_ / pieceCount_);
    for (int i = 0; i < spanCount_; ++i) {
        uint8_t* pixel = canvas_->Row(spanRow_[i]) + 3 * spanLeft_[i];
        for (int x = spanLeft_[i]; x <= spanRight_[i]; ++x, pixel += 3) {
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
        }
    }
}

int ZoPart::MeasureParts() {
    if (!valid_) return 1;
    std::memset(labelSum_, 0, sizeof labelSum_);
    std::memset(labelCount_, 0, sizeof labelCount_);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* labels = labelMap_->Row(y);
        for (int x = 0; x < width_; ++x) {
            if (!(labels[x] & kVisited)) FloodPart(x, y);
        }
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
    for (int y = 0; y < height_; ++y) {
        const uint8_t* labels = labelMap_->Row(y);
        for (int x = 0; x < width_; ++x) {
            if (!(labels[x] & kVisited)) TryMergePart(x, y);
        }
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

    std::memset(neighbours_, 0, sizeof neighbours_);
    borderCount_ = 0;
    Flood<true>(x, y);

    int winner = -1;
    int64_t lowestCost = 0;
    for (int m = 0; m < 128; ++m) {
        const Neighbour& n = neighbours_[m];
        if (n.count == 0) continue;
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
        if (winner < 0 || cost < lowestCost) {
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
