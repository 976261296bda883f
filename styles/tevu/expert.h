// TEVU's style engine: a screen print of flat colour areas with black outlines, in eight
// phases. After the collage pre-filter, the colour reduction, the focus map and the oil-paint
// deformation it re-colours the picture through the plug-in's colour map, cuts it into parts
// by focus bands and merges small pieces into their most similar neighbours pass after pass,
// cleans the part map, draws outlines that widen with the picture's size and resolution, fills
// every piece with its mean colour, shifts light and chroma by the colour level and finally
// lays the ground's relief.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "engine/expert_base.h"
#include "engine/zo_part.h"
#include "imaging/math_tbl.h"

namespace tevu {

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 8;
    static constexpr int kMaxMergePasses = 20;

    // Every curve is allocated here; one that cannot be had fails the phase that needs it.
    Expert();
    ~Expert() override;

    int Step() override;
    // The work images, and the part object that borrows them.
    void ReleaseImages() override;
    int Prefilter() override;  // the collage pre-filter
    int Deform() override;     // the oil-paint deformation
    // The plug-in's colour map with a light and a chroma curve on its grid. 0 only when the
    // map or a curve cannot be had; a map that cannot be set up or loaded leaves the colours.
    int MapColors() override;
    // The ground's relief; 1 without a textured ground.
    int Finish() override;

    // The part map: segmentation by focus bands, then merge passes until nothing merges.
    // 0 with "Init Part. (Out of Memory)" when no usable part object can be made (none is
    // kept then), or with the out-of-memory text when a curve is missing.
    int MergeParts();
    // The cleaned part map, the outlines, the flat pieces and the light and chroma shift, into
    // the source. 0 without a part object (silently), or with the out-of-memory text.
    int FlattenParts();

    // The part object from MergeParts on; null before and after a failed MergeParts.
    const ZoPart* Part() const { return part_.get(); }
    // The merge passes the last MergeParts ran.
    int MergePasses() const { return mergePasses_; }

    // The curves, each filled and built the first time a phase needs it and kept for the life
    // of the engine; null when it could not be allocated.
    std::unique_ptr<ParamCurve> firstLight;    // "Light correction", the colour map's lightness
    std::unique_ptr<ParamCurve> firstChroma;   // "Croma correction", the colour map's saturation
    std::unique_ptr<ParamCurve> mergeFocus;    // "Merge Wight / Focus", merge cost by focus
    std::unique_ptr<ParamCurve> darkWeight;    // "Dark Wight", merge cost by luma
    std::unique_ptr<ParamCurve> vividWeight;   // "Vivid Wight", merge cost by chroma
    std::unique_ptr<ParamCurve> secondLight;   // "Light correction", the flat pieces' luma
    std::unique_ptr<ParamCurve> secondChroma;  // "Croma correction", the flat pieces' chroma
    std::unique_ptr<ParamCurve> textureWeight; // "Wight", the ground relief of the finish

private:
    // True when every curve exists; otherwise the out-of-memory text goes over the status.
    bool CurvesOrReport(std::initializer_list<const ParamCurve*> curves);

    std::unique_ptr<ZoPart> part_;
    int mergePasses_ = 0;
};

// The outline width for a picture of `diagonal` pixels at `dpi` (limited to 1..400) at a touch
// level: diagonal^0.3 × the level's factor × dpi, truncated, within 1..20. A level outside
// 0..2 beeps and counts as level 1.
int OutlineWidth(int diagonal, int dpi, int touchLevel);

// Up to maxPasses rounds of MeasureParts and MergeSmallParts with the three cost tables,
// stopping after the first round that merges nothing; returns the rounds run.
int MergeUntilSettled(ZoPart& part, const uint8_t* focusCost, const uint8_t* lumaCost,
                      const uint8_t* chromaCost, int maxPasses);

// The engine for the driver; null when it cannot be allocated.
ExpertBase* NewExpert();

}  // namespace tevu
