// ZAVET's style engine: a light wash of round pen dabs, in eleven phases. After the shared
// cleaning, colour reduction, focus map and deformation it tints the picture toward the ground
// colour where it is out of focus and sharpens it where it is in focus, lays four pen passes
// from the largest pen to the smallest onto a canvas cleared to the ground colour, makes the
// canvas the picture and finally lays the ground's relief over it.
#pragma once

#include "engine/expert_base.h"
#include "engine/zo_stroke.h"
#include "imaging/math_tbl.h"

namespace zavet {

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 11;
    static constexpr int kPenPasses = 4;
    static constexpr int kCopyPass = 4;  // StrokePass's pass after the pens
    static constexpr int kBrushBufferBytes = 15000;

    Expert();
    ~Expert() override;

    int Step() override;
    void ReleaseImages() override;
    // The tint toward the ground colour by focus, then the sharpening by focus; always 1.
    int MapColors() override;
    // The ground's relief, weighted alike everywhere by the material level.
    int Finish() override;

    // Pen pass 0..3 onto the canvas (pass 0 first clears it to the ground colour), or pass 4
    // and above: the canvas becomes the picture. 0 with the reason in the status buffer.
    int StrokePass(int pass);
    // Everything pen pass 0..3 sets on `stroke` before it paints: the sampling from the source,
    // the canvas cleared for pass 0, the pen loaded at the picture's scale and every setting
    // of the pass. LoadBrush's result: 1, or 0 with its text in the status buffer and nothing
    // set after it; 0 for a pass that is not a pen pass.
    int SetUpPen(ZoStroke& stroke, int pass);

    // The curves the phases fill and build. The first three and the last are filled the
    // first time they are needed and kept for the life of the engine; the two variance curves
    // are filled anew for every pen pass.
    ParamCurve groundColor = {};    // "Ground Color", the tint's weight by focus
    ParamCurve sharpFunction = {};  // "Sharp Function", the sharpening amount by difference
    ParamCurve sharpBlend = {};     // "Sharp Blend", the sharpening strength by focus
    ParamCurve minVariance = {};    // "Stroke Min Variance / Focus", every pen pass
    ParamCurve maxVariance = {};    // "Stroke Max Variance / Focus", every pen pass
    ParamCurve textureWeight = {};  // "Wight", the ground relief of the finish
};

// The pens' scale for a picture of `diagonal` pixels at `dpi` (limited to 1..400):
// diagonal^0.3 × dpi / 1000 × the touch level's factor, within 0.5..6.0.
double PenScale(int diagonal, int dpi, double scaleFactor);

// The engine for the driver; null when it cannot be allocated.
ExpertBase* NewExpert();

}  // namespace zavet
