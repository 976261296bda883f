// The line phases; see line_phases.h.
#include "styles/kolda/line_phases.h"

#include "engine/levels.h"
#include "engine/make_component.h"

namespace kolda {

int DetectLines(ExpertBase& engine, const LineStyle& style, LineWork& work) {
    // The old engine goes first: its stroke store and point buffer are not needed twice.
    work.drawing.reset();
    work.drawing = MakeOrReport<ZoDrawing>(engine.status, texts::kNoMemory, engine.context);
    if (!work.drawing) return 0;
    const LineTouchValues& touch = ForLevel(style.byTouch, engine.touchLevel);
    DrawingSettings& s = work.settings;
    if (s.filled == 0) {
        // The style leaves the hatch direction and the reserved field alone.
        const int32_t hatchDirection = s.hatchDirection;
        const int32_t reserved = s.reserved;
        s = style.settings;
        s.filled = 1;
        s.hatchDirection = hatchDirection;
        s.reserved = reserved;
        s.maxWidth = touch.maxWidth;
        s.fullStrength = touch.fullStrength;
        s.simplifyFactor = touch.simplifyFactor;
    }
    const LineCurveValues& c = style.curves;
    s.colorDistanceTable =
        KeepSigmoidCurve(work.colorDistance, "Color Distance for Detect/Focus", c.colorDistance);
    s.spotSizeTable = KeepSigmoidCurve(work.spotSize, "Spot Size per Focus", c.spotSize);
    s.minLengthTable = KeepSigmoidCurve(work.minLength, "Min Length/Focus", c.minLength);
    s.penSizeTable = KeepSigmoidCurve(work.penSize, "Line Pel Size/Focus", c.penSize);
    s.weightTable = KeepSigmoidCurve(work.weight, "Line Wight/Focus", c.weight);
    s.speedTable = KeepSigmoidCurve(work.speed, "Line Speed/Focus", c.speed);
    return work.drawing->Run(&s);
}

int DrawLines(LineWork& work) {
    if (!work.drawing) return 0;
    work.drawing->Render(1);
    work.drawing.reset();
    return 1;
}

}  // namespace kolda
