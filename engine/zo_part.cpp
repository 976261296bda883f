// ZoPart: construction, the segmentation into parts per focus band, the ranking by focus and
// the transfers from the canvas back into the source. The fills are in zo_part_fill.cpp, the
// outlines in zo_part_outline.cpp.
#include "engine/zo_part.h"

#include <cstring>
#include <new>

#include "engine/status_text.h"
#include "engine/zo_low.h"
#include "imaging/hue_color.h"

namespace {

constexpr int kStackEntries = ZoPart::kStackLimit + 1;
constexpr int kSpanEntries = ZoPart::kSpanLimit + 1;
// The merge distance between representatives of one band.
constexpr int kMergeDistance = 40;
constexpr int kRequantiseColors = 64;

bool Fits(const TDib* image, int bitCount, int width, int height) {
    return image != nullptr && image->BitCount() == bitCount && image->Width() == width &&
           image->Height() == height;
}

}  // namespace

ZoPart::ZoPart(const EngineContext& context)
    : status_(context.status),
      source_(context.source),
      canvas_(context.canvas),
      focusMap_(context.focusMap),
      labelMap_(context.colorIndexMap),
      palette_(context.colorTable),
      colorCount_(context.colorCount),
      width_(context.width),
      height_(context.height) {
    StatusCopy(status_, texts::kPartPrefix);
    stackX_.reset(new (std::nothrow) int32_t[kStackEntries]);
    stackY_.reset(new (std::nothrow) int32_t[kStackEntries]);
    spanLeft_.reset(new (std::nothrow) int32_t[kSpanEntries]);
    spanRight_.reset(new (std::nothrow) int32_t[kSpanEntries]);
    spanRow_.reset(new (std::nothrow) int32_t[kSpanEntries]);
    const bool arrays = stackX_ && stackY_ && spanLeft_ && spanRight_ && spanRow_;
    const bool images = width_ > 0 && height_ > 0 && Fits(source_, 24, width_, height_) &&
                        Fits(canvas_, 24, width_, height_) && Fits(focusMap_, 8, width_, height_) &&
                        Fits(labelMap_, 8, width_, height_);
    valid_ = arrays && images && palette_ != nullptr && colorCount_ != nullptr;
}

ZoPart::~ZoPart() = default;

int ZoPart::Segment(int bandCount, const int limits[], const int mergeCounts[],
                    const int passes[], int requantise) {
    if (!valid_ || bandCount < 1 || bandCount > kMaxBands) return 0;
    if (limits == nullptr || mergeCounts == nullptr || passes == nullptr) return 0;

    // Requantising reduces the picture afresh; otherwise the engine's palette is merged.
    const LowColor* palette = requantise ? nullptr : palette_;
    const int paletteCount = requantise ? 0 : *colorCount_;
    std::unique_ptr<ZoLow> low(
        new (std::nothrow) ZoLow(source_, labelMap_, palette, paletteCount, status_));
    if (!low || !low->IsValid()) {
        StatusAppend(status_, texts::kCreateLow);
        return 0;
    }
    if (requantise) {
        low->Init(kRequantiseColors, 0);
        low->Map();
        *colorCount_ = low->ColorCount();
    }
    const int colors = low->ColorCount();

    // partOf[b][j]: the part of colour j in band b, numbered band by band in the order of the
    // lowest colour index of each representative.
    uint8_t partOf[kMaxBands][256] = {};
    int parts = 0;
    for (int b = 0; b < bandCount; ++b) {
        low->Merge(mergeCounts[b], kMergeDistance, nullptr);
        const uint8_t* representative = low->MergeMap();
        int partOfRepresentative[256];
        for (int& p : partOfRepresentative) p = -1;
        for (int j = 0; j < colors; ++j) {
            int& part = partOfRepresentative[representative[j]];
            if (part < 0) part = parts++;
            partOf[b][j] = static_cast<uint8_t>(part > 255 ? 255 : part);
        }
    }
    if (parts > kMaxParts) {
        StatusAppend(status_, texts::kOverColors);
        return 0;
    }
    *colorCount_ = parts;

    // A focus value belongs to the first band whose limit lies above it; values above every
    // limit (the last limit below 256) stay in the last band.
    uint8_t bandOf[256];
    for (int v = 0; v < 256; ++v) {
        int b = 0;
        while (b < bandCount - 1 && v >= limits[b]) ++b;
        bandOf[v] = static_cast<uint8_t>(b);
    }
    for (int y = 0; y < height_; ++y) {
        uint8_t* labels = labelMap_->Row(y);
        const uint8_t* focus = focusMap_->Row(y);
        for (int x = 0; x < width_; ++x) labels[x] = partOf[bandOf[focus[x]]][labels[x]];
    }
    // The calls of bands b to the last all clean a pixel of band b: the less in focus, the
    // more passes.
    for (int b = 0; b < bandCount; ++b) {
        if (passes[b] > 0) low->SmoothMasked(passes[b], focusMap_, limits[b]);
    }
    return 1;
}

void ZoPart::RankByFocus() {
    if (!valid_) return;
    int64_t sums[256] = {};
    int64_t counts[256] = {};
    for (int y = 0; y < height_; ++y) {
        const uint8_t* labels = labelMap_->Row(y);
        const uint8_t* focus = focusMap_->Row(y);
        for (int x = 0; x < width_; ++x) {
            sums[labels[x]] += focus[x];
            ++counts[labels[x]];
        }
    }
    std::memset(meanFocus_, 0, sizeof meanFocus_);
    const int parts = *colorCount_ < 0 ? 0 : (*colorCount_ > 256 ? 256 : *colorCount_);
    if (parts == 0) return;
    const int64_t threshold = int64_t{width_} * height_ / parts;  // the mean part size
    int lowest = 256;
    for (int label = 0; label < parts; ++label) {
        if (counts[label] == 0) continue;
        meanFocus_[label] = static_cast<int>(sums[label] / counts[label]);
        if (meanFocus_[label] < lowest && counts[label] >= threshold) {
            lowest = meanFocus_[label];
            backgroundPart_ = label;
        }
    }
}

void ZoPart::RemapLumaChroma(const uint8_t* lumaTable, const uint8_t* chromaTable) {
    if (!valid_ || lumaTable == nullptr || chromaTable == nullptr) return;
    // The canvas holds flat pieces, so a pixel mostly repeats its left neighbour: the last
    // colour's result is kept and reused.
    uint8_t lastIn[3] = {0, 0, 0};
    uint8_t lastOut[3] = {0, 0, 0};
    bool known = false;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* from = canvas_->Row(y);
        uint8_t* to = source_->Row(y);
        for (int x = 0; x < width_; ++x, from += 3, to += 3) {
            if (!known || from[0] != lastIn[0] || from[1] != lastIn[1] || from[2] != lastIn[2]) {
                HueColor color{from[2], from[1], from[0], 0, 0, 0};
                RgbToHcy(color);
                color.luma = lumaTable[color.luma];
                color.chroma = chromaTable[color.chroma];
                HcyToRgb(color);
                lastIn[0] = from[0];
                lastIn[1] = from[1];
                lastIn[2] = from[2];
                lastOut[0] = static_cast<uint8_t>(color.blue);
                lastOut[1] = static_cast<uint8_t>(color.green);
                lastOut[2] = static_cast<uint8_t>(color.red);
                known = true;
            }
            to[0] = lastOut[0];
            to[1] = lastOut[1];
            to[2] = lastOut[2];
        }
    }
}

void ZoPart::CopyCanvasToSource() {
    if (!valid_) return;
    std::memcpy(source_->Bits(), canvas_->Bits(), source_->ImageBytes());
}

void ZoPart::ClearVisitedMarks(bool keepOutline) {
    // Without branches per pixel, so that the compiler can clear many labels at once.
    constexpr uint8_t kLabelBits = static_cast<uint8_t>(~kVisited);
    const int w = width_;
    for (int y = 0; y < height_; ++y) {
        uint8_t* labels = labelMap_->Row(y);
        if (keepOutline) {
            for (int x = 0; x < w; ++x) {
                const uint8_t label = labels[x];
                labels[x] = label == kOutline ? label : static_cast<uint8_t>(label & kLabelBits);
            }
        } else {
            for (int x = 0; x < w; ++x) labels[x] &= kLabelBits;
        }
    }
}
