// KOLDA's style engine: a collage of paper pieces, in eight phases. It smooths the picture,
// reduces it to a palette, builds the focus map and jitters the picture slightly; traces the
// edges into line strokes that it holds as vectors; maps the colours, turning the weakly
// coloured, less focused areas into black and white paper; cuts the picture into pieces by
// focus bands and fills each with its mean colour on textured paper with a shadow along its
// lower-right rim; and finally draws the lines over the collage in black. The ground reaches
// the picture through the pieces' paper, so the base's ground relief is never run.
#pragma once

#include "engine/expert_base.h"
#include "imaging/math_tbl.h"
#include "styles/kolda/line_phases.h"

namespace kolda {

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 8;

    Expert();
    ~Expert() override;

    int Step() override;
    // The work images, and the line engine that works on them.
    void ReleaseImages() override;
    int Prefilter() override;  // the collage pre-filter
    // Jitters the mesh by the deform level, less where the picture is in focus, warps the
    // picture and both maps through it and sharpens the picture.
    int Deform() override;
    // The collage colour map, with black and white paper where the colour is weak.
    int MapColors() override;

    // The edge strokes, traced and held until DrawLines.
    int DetectLines();
    // The pieces: segmentation, the paper fill and the rim shadows, into the source.
    int MakeCollage();
    // The held strokes drawn over the source.
    int DrawLines();

    // The line engine between DetectLines and DrawLines; null before and after.
    const ZoDrawing* Drawing() const { return lines.drawing.get(); }

    // The curves the phases fill and build, each the first time it is needed, kept for the life
    // of the engine.
    ParamCurve randomFocus = {};  // "Random / Focus", Deform's jitter mask
    // The line engine, its settings and its six curves.
    LineWork lines;
};

// KOLDA's values for the line engine.
const LineStyle& CollageLines();

// The rim shadows of the pieces.
struct CollageShadow {
    bool shaded;      // false on a ground without texture (or none): no shadows
    int length;       // pixels along the diagonal, 1..20
    int lightDelta;   // range × -depth / 256
    int chromaDelta;  // range × depth / 512
};
// The shadows for `ground` at the material level, on a picture of `diagonal` pixels at `dpi`:
// length = diagonal^0.3 × the level's length factor × dpi (limited to 1..400); range = the
// ground's maximum minus its minimum height.
CollageShadow ShadowFor(const MaterialInfo* ground, int materialLevel, int diagonal, int dpi);

// The engine for the driver; null when it cannot be allocated.
ExpertBase* NewExpert();

}  // namespace kolda
