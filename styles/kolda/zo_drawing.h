// ZoDrawing: the line engine of the collage and drawing styles. From the filtered picture it
// builds a grey line layer on the canvas, marks edges as peaks of the difference between the
// mean grey of two adjacent windows (longer where the focus is low), traces chains of marks
// into polylines, keeps those long enough and clear of the border, reduces them to their corner
// points and stores them as strokes with a pen radius per point. Later Render draws every
// stroke as a smooth curve with the circular pen into the line layer and darkens the picture by
// it. A second mode hatches dark, weakly coloured areas instead.
//
// The canvas serves as the line layer: its first byte (blue) holds the grey picture and later
// the line darkness, its third byte (red) the edge marks, its second byte is used only by the
// hatching. Coordinates are columns x and rows y in storage order (row 0 is the bottom row).
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/expert_base.h"
#include "imaging/dib.h"
#include "styles/kolda/drawing_settings.h"
#include "styles/kolda/gmemory.h"
#include "styles/kolda/line_pen.h"

class ZoDrawing {
public:
    // One point of a stored stroke.
    struct StrokePoint {
        int32_t x;
        int32_t y;
        int32_t radius;  // pen radius in eighths of a pixel
    };
    // What a stored stroke holds beside its points.
    struct StrokeHeader {
        int32_t pointCount;
        uint8_t colour[3];  // 0, 0, 0 for edge lines; 0, 0, 255 for hatching; not drawn
        uint8_t weight;     // darkness weight; the pen weight is 4 × it
    };

    // The limits of one tracing, from the settings and the scale (TraceLimits).
    struct Limits {
        int minimumLength;
        int maximumPoints;
        int minimumWidth;
        int maximumWidth;
        int fullLength;
        int fullStrength;
    };

    // Copies "Drawing:" into the status buffer and takes the images and geometry from the
    // context. Valid when the point buffer was obtained and the context holds a 24-bit source
    // and canvas and an 8-bit focus map of its size; otherwise appends texts::kNoMemory (no
    // buffer) or "Invalid Dib." (images) and every operation does nothing.
    explicit ZoDrawing(const EngineContext& context);
    ZoDrawing(const ZoDrawing&) = delete;
    ZoDrawing& operator=(const ZoDrawing&) = delete;

    // Keeps the settings and traces: hatching (MarkHatch, TraceHatch) or edge lines
    // (PrepareGray, DetectEdges, TraceLines). 1 when the tracer finished. 0 when not valid (the
    // status already says why), when a stroke could not be stored (the text is appended), and
    // without a text for settings it cannot use: no record, a mode other than 1 or 2, a taper
    // outside 0..3, a hatch direction outside 0..3 when hatching, or a table it reads missing.
    int Run(const DrawingSettings* settings);

    // Clears the line layer and draws every stored stroke into it; with `composite` non-zero
    // also darkens the source by it, each channel c of a pixel with line value L > 0 becoming
    // (c × (255 - L)) >> 8. 1, or 0 when not valid.
    int Render(int composite);

    // Empties the store.
    void Reset();

    bool IsValid() const { return valid_ != 0; }
    double Scale() const { return scale_; }
    double Density() const { return density_; }
    int Capacity() const { return capacity_; }
    int StrokeCount() const { return strokeCount_; }
    const Limits& TraceLimits() const { return limits_; }
    // The store itself, for callers that bound it (Gmemory::SetCeiling).
    Gmemory& Store() { return store_; }

    // Calls visit(header, points) for every stored stroke in order; `points` holds
    // header.pointCount entries.
    template <typename Visit>
    void ForEachStroke(Visit&& visit) {
        const uint8_t* bytes = store_.Lock();
        size_t at = 0;
        for (int s = 0; s < strokeCount_ && bytes != nullptr; ++s) {
            StrokeHeader header;
            std::memcpy(&header, bytes + at, sizeof header);
            at += sizeof header;
            visit(static_cast<const StrokeHeader&>(header),
                  reinterpret_cast<const StrokePoint*>(bytes + at));
            at += sizeof(StrokePoint) * static_cast<size_t>(header.pointCount);
        }
        store_.Unlock();
    }

    // The steps of Run, reachable one by one. Each assumes Run's checks have passed and the
    // settings are set.
    void PrepareGray();
    // 0 after appending texts::kNoMemory when its row buffers cannot be had.
    int DetectEdges();
    int TraceLines();
    void MarkHatch();
    int TraceHatch();
    // Reduces the traced points to their corners and stores the stroke (StoreStroke's result).
    int SimplifyLine(int meanFocus, int meanStrength);
    // Stores the kept points with their pen radii; 0 after appending texts::kNoMemory when
    // the store cannot grow.
    int StoreStroke(int meanFocus, int meanStrength);

    // One traced point.
    struct TracedPoint {
        int32_t x;
        int32_t y;
        uint8_t keep;   // 1 when the simplification keeps it as a corner
        uint8_t focus;
    };
    // The traced line, for callers that trace their own (and tests); AppendPoint returns 0
    // at capacity.
    int PointCount() const { return pointCount_; }
    void ClearPoints() { pointCount_ = 0; }
    int AppendPoint(int x, int y, int focus, int keep);
    void SetSettings(const DrawingSettings* settings) { settings_ = settings; }
    void SetHeaderWeight(int weight) { header_.weight = static_cast<uint8_t>(weight); }
    // Computes the limits of a tracing from the settings, the scale and the density.
    void ComputeLimits();
    // density = marks × 10 / (width × height), kept in 0.2..5.0.
    void MeasureDensity(int64_t marks);

private:
    bool SettingsUsable(const DrawingSettings* settings) const;
    // Ends a traced edge line: the length, border and weight tests, then SimplifyLine.
    int FinishEdgeLine(int64_t strengthSum, int64_t focusSum, int minX, int maxX, int minY,
                       int maxY);
    void ClearLayer();

    int valid_ = 0;
    double density_ = 1.0;
    char* status_;
    TDib* source_;
    TDib* layer_;
    TDib* focusMap_;
    int width_ = 0;
    int height_ = 0;
    int dpi_ = 0;
    double scale_ = 0.0;
    Gmemory store_;
    const DrawingSettings* settings_ = nullptr;
    std::unique_ptr<TracedPoint[]> points_;
    int pointCount_ = 0;
    int capacity_ = 0;
    int strokeCount_ = 0;
    StrokeHeader header_ = {};
    Limits limits_ = {};
    LinePen pen_;
};
