// GRISOV's style engine: a coloured pen drawing, in nine phases. It smooths the picture with the
// collage pre-filter, reduces it to a palette, builds the focus map and bends the mesh; traces
// the edges into pen strokes that it holds as vectors; turns weakly coloured areas away from
// the subject into paper white and tints the rest toward the ground colour; lets the colours
// run into their surroundings (the back-run); lays the ground's relief and finally draws the
// held strokes over it, thin at their start and thick at their end.
#pragma once

#include <cstdint>

#include "engine/expert_base.h"
#include "imaging/math_tbl.h"
#include "styles/kolda/line_phases.h"

namespace grisov {

// What BackRunField runs on: the ring radius, the number of passes and, by focus, the passes a
// pixel takes part in and its blend weight in 1/128.
struct BackRunValues {
    int radius;
    int passes;
    uint8_t loops[256];
    uint8_t weights[256];
};

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 9;

    Expert();
    ~Expert() override;

    int Step() override;
    // The work images, and the line engine that works on them.
    void ReleaseImages() override;
    int Prefilter() override;  // the collage pre-filter
    // Bends the mesh about the centre by the deform level and warps the picture and both maps.
    int Deform() override;
    // The plug-in's colour map: paper white for weak colours away from the subject, the rest
    // tinted toward the ground colour the more the less it is in focus. 0 only when the map
    // cannot be allocated.
    int MapColors() override;
    // The ground's relief, weighted alike everywhere by the material level.
    int Finish() override;

    // The edge strokes, traced and held until DrawLines.
    int DetectLines();
    // The colours run into their surroundings (BackRunField), then the picture is softened.
    int BackRun();
    // The held strokes drawn over the source.
    int DrawLines();

    // BackRun's values for the colour level, the ground's strength and the resolution; fills
    // and builds the back-run's two curves the first time.
    BackRunValues BackRunSettings();
    // `passes` in-place passes over the source: every pixel whose focus f has loops[f] above
    // the pass number and weights[f] above 0 draws a random point of the rings around it up to
    // `radius` and moves toward that point's colour by min(weights[f], 128) / 128 when the
    // point is at least as colourful for its darkness. 1, or 0 with the reason in the status
    // buffer ("メモリが足りません。", or "Out of Back Run Field" when the rings need too many
    // points).
    int BackRunField(int radius, int passes, const uint8_t* loops, const uint8_t* weights);

    // The line engine between DetectLines and DrawLines; null before and after.
    const ZoDrawing* Drawing() const { return lines.drawing.get(); }

    // The curves the phases fill and build, each the first time it is needed, kept for the life
    // of the engine.
    ParamCurve groundColor = {};    // "Ground Color", the tint's weight by focus
    ParamCurve backRunWeight = {};  // "Back-Run Wight / Focus"
    ParamCurve backRunLoops = {};   // "Back-Run Loops / Focus"
    ParamCurve textureWeight = {};  // "Wight", the ground relief of the finish
    // The line engine, its settings and its six curves.
    kolda::LineWork lines;
};

// GRISOV's values for the line engine.
const kolda::LineStyle& DrawingLines();

// The engine for the driver; null when it cannot be allocated.
ExpertBase* NewExpert();

}  // namespace grisov
