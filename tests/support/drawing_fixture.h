// Settings and tables for the line engine's tests: edge-line settings whose limits sit at
// their bounds on small pictures, and helpers that lay out edge marks and read strokes back.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "styles/kolda/zo_drawing.h"

struct DrawingTables {
    uint8_t zero[256];
    uint8_t half[256];
    uint8_t full[256];
    DrawingTables() {
        std::memset(zero, 0, sizeof zero);
        std::memset(half, 128, sizeof half);
        std::memset(full, 255, sizeof full);
    }
};

// Edge lines, taper 2: windows of 3 (spot size 255), threshold 20, limits at their lower
// bounds (minimum length 3, minimum width 2, full length 1), every line weight 255.
inline DrawingSettings EdgeSettings(const DrawingTables& t) {
    DrawingSettings s;
    s.filled = 1;
    s.mode = kDrawingEdgeLines;
    s.taper = kTaperThickMiddle;
    s.edgeThreshold = 20;
    s.hatchFocusHigh = 256;
    s.shortWindow = 2;
    s.longWindow = 10;
    s.maxPoints = 50000;
    s.maxWidth = 90;
    s.densityInfluence = 50;
    s.fullStrength = 200;
    s.simplifyFactor = 150;
    s.colorDistanceTable = t.full;
    s.minLengthTable = t.zero;
    s.penSizeTable = t.half;
    s.weightTable = t.full;
    s.speedTable = t.full;
    s.spotSizeTable = t.full;
    return s;
}

struct StoredStroke {
    ZoDrawing::StrokeHeader header;
    std::vector<ZoDrawing::StrokePoint> points;
};

inline std::vector<StoredStroke> StrokesOf(ZoDrawing& drawing) {
    std::vector<StoredStroke> strokes;
    drawing.ForEachStroke([&](const ZoDrawing::StrokeHeader& header,
                              const ZoDrawing::StrokePoint* points) {
        strokes.push_back({header, std::vector<ZoDrawing::StrokePoint>(
                                       points, points + header.pointCount)});
    });
    return strokes;
}

// The (x, y) of a stroke's points.
inline std::vector<std::pair<int, int>> PositionsOf(const StoredStroke& stroke) {
    std::vector<std::pair<int, int>> positions;
    for (const auto& p : stroke.points) positions.push_back({p.x, p.y});
    return positions;
}

// Stores the given points as one stroke, every one kept as a corner.
inline int StorePoints(ZoDrawing& drawing, const std::vector<std::pair<int, int>>& points,
                       int weight, int meanFocus = 255, int meanStrength = 255) {
    drawing.ClearPoints();
    for (const auto& p : points) drawing.AppendPoint(p.first, p.second, meanFocus, 1);
    drawing.SetHeaderWeight(weight);
    return drawing.StoreStroke(meanFocus, meanStrength);
}
