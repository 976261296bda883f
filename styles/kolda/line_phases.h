// The line phases of the styles that draw with the line engine: DetectLines traces the
// picture's edges into strokes that the engine holds as vectors while later phases change the
// picture, and DrawLines draws them over the finished painting and darkens it by them. KOLDA's
// two line phases; GRISOV runs them with values of its own (DrawLines as its last phase).
#pragma once

#include <cstdint>
#include <memory>

#include "engine/expert_base.h"
#include "imaging/math_tbl.h"
#include "styles/kolda/drawing_settings.h"
#include "styles/kolda/zo_drawing.h"

namespace kolda {

// Sigmoid values (slope, centre, low, high) of the six curves behind the settings' tables.
struct LineCurveValues {
    double colorDistance[4];  // "Color Distance for Detect/Focus"
    double spotSize[4];       // "Spot Size per Focus"
    double minLength[4];      // "Min Length/Focus"
    double penSize[4];        // "Line Pel Size/Focus"
    double weight[4];         // "Line Wight/Focus"
    double speed[4];          // "Line Speed/Focus"
};

// What varies with the touch level.
struct LineTouchValues {
    int32_t maxWidth;
    int32_t fullStrength;
    int32_t simplifyFactor;
};

// A style's values for the line engine.
struct LineStyle {
    // The record as the style fills it, but for the touch-level fields and the tables.
    DrawingSettings settings;
    LineTouchValues byTouch[3];
    LineCurveValues curves;
};

// What a style keeps for its line phases, for the life of its engine: the line engine from
// DetectLines to DrawLines, the settings it runs on (filled once) and the six curves (each
// built the first time). The line engine works on the engine's work images, so the style's
// ReleaseImages lets it go with them.
struct LineWork {
    std::unique_ptr<ZoDrawing> drawing;
    DrawingSettings settings;
    ParamCurve colorDistance = {};
    ParamCurve spotSize = {};
    ParamCurve minLength = {};
    ParamCurve penSize = {};
    ParamCurve weight = {};
    ParamCurve speed = {};
};

// Deletes a line engine left by an earlier try and makes a new one on the engine's context
// (0 with texts::kNoMemory over the status when it cannot be allocated); picks the touch
// level's values, fills the settings when they are not filled yet, defines the curves that are
// not defined yet, puts their tables into the settings and traces: ZoDrawing::Run's result,
// whose failures leave their text in the status. The engine is kept also when tracing failed.
int DetectLines(ExpertBase& engine, const LineStyle& style, LineWork& work);

// Draws the stored strokes over the source, darkening it by them, and deletes the line engine.
// 0 without a text when there is none.
int DrawLines(LineWork& work);

}  // namespace kolda
