// ZoDrawing: construction, Run and its limits, the corner reduction, the stroke store and
// Render. The edge detection and tracing are in zo_drawing_edges.cpp, the hatching in
// zo_drawing_hatch.cpp.
#include "styles/kolda/zo_drawing.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "engine/status_text.h"
#include "styles/kolda/kolda_tables.h"

namespace {

// v limited to lo..hi as a double (NaN gives lo), then truncated toward zero: limits taken from
// products that may lie beyond the int range become ints only once they fit.
int ClampTruncate(double v, double lo, double hi) {
    if (!(v >= lo)) v = lo;
    if (v > hi) v = hi;
    return static_cast<int>(v);
}

bool IsImage(const TDib* image, int bitCount, int width, int height) {
    return image != nullptr && image->BitCount() == bitCount && image->Width() == width &&
           image->Height() == height;
}

// Segments per curve piece, and the blending rows they read (0, 2, ..., 98).
constexpr int kCurveSteps = 50;

}  // namespace

ZoDrawing::ZoDrawing(const EngineContext& context)
    : status_(context.status),
      source_(context.source),
      layer_(context.canvas),
      focusMap_(context.focusMap),
      width_(context.width),
      height_(context.height),
      dpi_(context.dpi),
      pen_(context.canvas) {
    StatusCopy(status_, texts::kDrawingPrefix);
    if (width_ <= 0 || height_ <= 0 || !IsImage(source_, 24, width_, height_) ||
        !IsImage(layer_, 24, width_, height_) || !IsImage(focusMap_, 8, width_, height_)) {
        StatusAppend(status_, texts::kInvalidDib);
        return;
    }
    // 2 × (width + height) fits an int for every picture a TDib can hold.
    capacity_ = static_cast<int>(2 * (int64_t{width_} + height_));
    scale_ = std::pow(static_cast<double>(int64_t{width_} + height_), 0.2) * dpi_ * 0.001;
    points_.reset(new (std::nothrow) TracedPoint[static_cast<size_t>(capacity_) + 1]);
    if (!points_) {
        StatusAppend(status_, texts::kNoMemory);
        return;
    }
    valid_ = 1;
}

bool ZoDrawing::SettingsUsable(const DrawingSettings* settings) const {
    if (settings == nullptr) return false;
    if (settings->mode != kDrawingHatch && settings->mode != kDrawingEdgeLines) return false;
    if (settings->taper < kTaperRising || settings->taper > kTaperThinMiddle) return false;
    if (settings->mode == kDrawingHatch &&
        (settings->hatchDirection < kHatchRows || settings->hatchDirection > kHatchAntiDiagonal))
        return false;
    if (settings->penSizeTable == nullptr || settings->weightTable == nullptr ||
        settings->speedTable == nullptr)
        return false;
    return settings->mode == kDrawingHatch ||
           (settings->minLengthTable != nullptr && settings->spotSizeTable != nullptr);
}

int ZoDrawing::Run(const DrawingSettings* settings) {
    if (!valid_) return 0;
    if (!SettingsUsable(settings)) return 0;
    settings_ = settings;
    int traced;
    if (settings->mode == kDrawingHatch) {
        MarkHatch();
        traced = TraceHatch();
    } else {
        PrepareGray();
        traced = DetectEdges() ? TraceLines() : 0;
    }
    // The strokes are held until the last phase: give back what growing left spare.
    store_.Compact();
    return traced;
}

void ZoDrawing::MeasureDensity(int64_t marks) {
    density_ = static_cast<double>(marks) * 10.0 /
               static_cast<double>(int64_t{width_} * height_);
    if (density_ < 0.2) density_ = 0.2;
    if (density_ > 5.0) density_ = 5.0;
}

void ZoDrawing::ComputeLimits() {
    const DrawingSettings& s = *settings_;
    const double capacity = capacity_;
    limits_.minimumLength = ClampTruncate(s.minLength * scale_, 3, capacity);
    limits_.maximumPoints = ClampTruncate(s.maxPoints * scale_, 1, capacity);
    limits_.minimumWidth = ClampTruncate(s.minWidth * scale_, 2, 1000);
    const double densityFactor = (density_ - 1.0) * s.densityInfluence * 0.01 + 1.0;
    limits_.maximumWidth =
        densityFactor == 0.0 ? 1000 : ClampTruncate(s.maxWidth * scale_ / densityFactor, 2, 1000);
    limits_.fullLength = ClampTruncate(s.fullLength * scale_, 1, capacity);
    limits_.fullStrength = s.fullStrength < 1 ? 1 : s.fullStrength;
}

int ZoDrawing::AppendPoint(int x, int y, int focus, int keep) {
    if (pointCount_ > capacity_) return 0;
    points_[pointCount_++] = TracedPoint{x, y, static_cast<uint8_t>(keep), static_cast<uint8_t>(focus)};
    return 1;
}

int ZoDrawing::SimplifyLine(int meanFocus, int meanStrength) {
    const double factor =
        settings_->simplifyFactor * settings_->speedTable[meanFocus] * 0.0000390625;
    TracedPoint* p = points_.get();
    const int count = pointCount_;
    p[0].keep = 1;
    p[count - 1].keep = 1;
    bool firstSplit = true;
    for (int pass = 0; pass < 16; ++pass) {
        bool marked = false;
        int o = 0;
        for (int j = 1; j < count; ++j) {
            if (!p[j].keep) continue;
            const int64_t dx = int64_t{p[j].x} - p[o].x;
            const int64_t dy = int64_t{p[j].y} - p[o].y;
            const int64_t chord2 = dx * dx + dy * dy;
            if (j - o >= 2 && chord2 != 0) {
                // The farthest point from the chord has the largest |cross product|, compared
                // exactly; the first one wins ties.
                int farthest = o + 1;
                int64_t largest = -1;
                for (int k = o + 1; k < j; ++k) {
                    const int64_t cross =
                        std::llabs(dy * (p[k].x - p[o].x) - dx * (int64_t{p[k].y} - p[o].y));
                    if (cross > largest) {
                        largest = cross;
                        farthest = k;
                    }
                }
                const double distance2 = static_cast<double>(largest) *
                                         static_cast<double>(largest) /
                                         static_cast<double>(chord2);
                const double tolerance = std::sqrt(static_cast<double>(chord2)) * factor;
                // The first split of a line needs only a point off the chord, so a bent line
                // keeps a corner and a straight one its two ends.
                if (distance2 > tolerance || (firstSplit && largest > 0)) {
                    p[farthest].keep = 1;
                    firstSplit = false;
                    marked = true;
                }
            }
            o = j;
        }
        if (!marked) break;  // every later pass would find the same
    }
    return StoreStroke(meanFocus, meanStrength);
}

int ZoDrawing::StoreStroke(int meanFocus, int meanStrength) {
    const int traced = pointCount_;
    int n = 0;
    for (int j = 0; j < traced; ++j)
        if (points_[j].keep) points_[n++] = points_[j];
    pointCount_ = n;

    const size_t end = store_.Size();
    if (!store_.ReAlloc(end + sizeof(StrokeHeader) + sizeof(StrokePoint) * static_cast<size_t>(n))) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    uint8_t* at = store_.Lock() + end;
    header_.pointCount = n;
    std::memcpy(at, &header_, sizeof header_);
    at += sizeof header_;

    const Limits& l = limits_;
    double share = static_cast<double>(meanStrength) / l.fullStrength;
    if (share > 1.0) share = 1.0;
    if (traced < l.fullLength) share = share * traced / l.fullLength;
    const int64_t e =
        static_cast<int>((l.maximumWidth - l.minimumWidth) * settings_->penSizeTable[meanFocus] *
                         share / 256) +
        l.minimumWidth;
    // e already holds the minimum width: the widest point of a profile is e + minimum width.
    const int g = n >= 2 ? n / 2 : 1;
    for (int j = 0; j < n; ++j) {
        int64_t w;
        switch (settings_->taper) {
            case kTaperRising: w = e * j / n; break;
            case kTaperFalling: w = e * (n - j) / n; break;
            case kTaperThickMiddle: w = e * (g - std::abs(j - g)) / g; break;
            default: w = e * std::abs(j - g) / g; break;
        }
        const StrokePoint point{points_[j].x, points_[j].y, static_cast<int32_t>(w + l.minimumWidth)};
        std::memcpy(at, &point, sizeof point);
        at += sizeof point;
    }
    store_.Unlock();
    ++strokeCount_;
    return 1;
}

void ZoDrawing::Reset() {
    store_.ReAlloc(0);
    strokeCount_ = 0;
}

void ZoDrawing::ClearLayer() { std::memset(layer_->Bits(), 0, layer_->ImageBytes()); }

int ZoDrawing::Render(int composite) {
    if (!valid_) return 0;
    ClearLayer();
    LinePen& pen = pen_;
    const auto moveTo = [&pen](const StrokePoint& p) { pen.DrawSegment(p.x, p.y, p.radius, true); };
    const auto drawTo = [&pen](const StrokePoint& p) { pen.DrawSegment(p.x, p.y, p.radius, false); };
    const auto middle = [](const StrokePoint& a, const StrokePoint& b) {
        return StrokePoint{static_cast<int32_t>((int64_t{a.x} + b.x) / 2),
                           static_cast<int32_t>((int64_t{a.y} + b.y) / 2),
                           static_cast<int32_t>((int64_t{a.radius} + b.radius) / 2)};
    };
    ForEachStroke([&](const StrokeHeader& header, const StrokePoint* p) {
        pen.SetWeight(header.weight * 4);
        const int n = header.pointCount;
        if (n < 2) return;
        if (n == 2) {
            moveTo(p[0]);
            drawTo(p[1]);
            return;
        }
        const int closed =
            std::llabs(int64_t{p[n - 1].x} - p[0].x) + std::llabs(int64_t{p[n - 1].y} - p[0].y) <= 4;
        if (closed) {
            moveTo(middle(p[0], p[1]));
        } else {
            moveTo(p[0]);
            drawTo(middle(p[0], p[1]));
        }
        // Each piece runs from the middle of K0 K1 to just short of the middle of K1 K2.
        for (int pos = 0; pos <= n + closed - 3; ++pos) {
            const StrokePoint& k0 = p[pos];
            const StrokePoint& k1 = p[pos + 1];
            const StrokePoint& k2 = pos >= n - 2 ? p[1] : p[pos + 2];
            for (int i = 0; i < kCurveSteps; ++i) {
                const double* w = kCurveBlend[i * kCurveBlendRows / kCurveSteps];
                pen.DrawSegment(static_cast<int>(w[0] * k0.x + w[1] * k1.x + w[2] * k2.x),
                                static_cast<int>(w[0] * k0.y + w[1] * k1.y + w[2] * k2.y),
                                static_cast<int>(w[0] * k0.radius + w[1] * k1.radius +
                                                 w[2] * k2.radius),
                                false);
            }
        }
        if (!closed) drawTo(p[n - 1]);
    });
    if (composite) {
        for (int y = 0; y < height_; ++y) {
            const uint8_t* line = layer_->Row(y);
            uint8_t* pixel = source_->Row(y);
            for (int x = 0; x < width_; ++x, line += 3, pixel += 3) {
                const int keep = 255 - line[0];
                if (keep == 255) continue;
                pixel[0] = static_cast<uint8_t>((pixel[0] * keep) >> 8);
                pixel[1] = static_cast<uint8_t>((pixel[1] * keep) >> 8);
                pixel[2] = static_cast<uint8_t>((pixel[2] * keep) >> 8);
            }
        }
    }
    return 1;
}
