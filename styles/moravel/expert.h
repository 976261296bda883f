// MORAVEL's style engine: oil paint with palette-knife strokes, in fifteen phases. It cleans
// and sharpens the picture, reduces it to a palette, builds the focus map, deforms it slightly,
// maps its colours, lays flat colour masses, paints six knife passes from the widest knife to
// the finest, restores detail at strong edges, shades the masses' edges as if lit from the
// upper left and gives the background mass the ground's relief.
#pragma once

#include <memory>

#include "engine/expert_base.h"
#include "imaging/math_tbl.h"
#include "styles/moravel/zo_mass.h"

namespace moravel {

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 15;
    static constexpr int kKnifePasses = 6;
    static constexpr int kDetailPass = 6;  // InitStroke's pass after the knives

    Expert();
    ~Expert() override;

    int Step() override;
    void ReleaseImages() override;
    int Prefilter() override;
    int Deform() override;
    int Finish() override;

    // The flat masses: segmentation, ranking and measuring, painted onto the canvas.
    int InitMass();
    // Knife pass 0..5 onto the canvas, or pass 6: the detail clean-up into the source.
    int InitStroke(int pass);
    // The masses' edges lit and shaded.
    int ShadeMass();

    // The masses once InitMass made them; null before.
    const ZoMass* Masses() const { return masses_.get(); }

    // The curves the phases fill and build; a curve other than the knife passes' two is
    // filled the first time it is needed and kept for the life of the engine.
    ParamCurve minVariance = {};     // "Stroke Min Variance / Focus", every knife pass
    ParamCurve maxVariance = {};     // "Stroke Max Variance / Focus", every knife pass
    ParamCurve detailWeight = {};    // "Wight", the detail pass
    ParamCurve edgeDecrease = {};    // "Decrese from Edge / focus", the detail pass
    ParamCurve detailColor = {};     // "Detail Color Correction", the detail pass
    ParamCurve clean = {};           // "Clean / Focus", the detail pass
    ParamCurve shadeLength = {};     // "Length / Focus", the edge shading
    ParamCurve shadeShape = {};      // "(Shape) Add / Length", the edge shading
    ParamCurve shadeDistance = {};   // "Wight / Color Distance", the edge shading
    ParamCurve shadeFocus = {};      // "Wight / Focus", the edge shading
    ParamCurve backgroundWeight = {};  // "Wight", the background relief of the finish

private:
    int KnifePass(int pass);
    int DetailPass();

    std::unique_ptr<ZoMass> masses_;
};

// The knife's scale for a picture of `diagonal` pixels at `dpi` (limited to 1..400): grows
// with diagonal^0.3 and the resolution, at most 0.2 % of the diagonal and 4.0, at least a
// third of the touch level's scale factor.
double KnifeScale(int diagonal, int dpi, double sizeFactor, double scaleFactor);

// The reach of the edge shading: diagonal^0.3 × lengthFactor × dpi (limited to 1..400),
// truncated, within 3..20.
int ShadeLength(int diagonal, int dpi, double lengthFactor);

// The engine for the driver; null when it cannot be allocated.
ExpertBase* NewExpert();

}  // namespace moravel
