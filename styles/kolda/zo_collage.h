// ZoCollage: the collage style's pieces. The region segmentation with its own piece painter:
// every connected piece is filled with its mean colour on coloured paper (CollagePaper: the
// ground texture at a random angle per piece, displaced by two noise fields), and a pass then
// shades the lower-right rim of every piece that borders a less focused one.
#pragma once

#include "engine/expert_base.h"
#include "engine/zo_part.h"
#include "styles/kolda/collage_paper.h"

namespace kolda {

class ZoCollage : public ZoPart {
public:
    // ZoPart on the context, then "Collage:" over the status text; the paper takes the
    // context's ground (a missing one counts as one without texture) and makes its two noise
    // fields for the picture's size (2 × 6829 random draws, with or without a texture). Valid
    // when ZoPart is and the paper could be made.
    explicit ZoCollage(const EngineContext& context);

    bool IsValid() const { return ZoPart::IsValid() && paper_.IsValid(); }

    // The paper's gains: see CollagePaper::SetGains.
    void SetGains(int gain, int lightAbove, int chromaAbove, int lightBelow, int chromaBelow) {
        paper_.SetGains(gain, lightAbove, chromaAbove, lightBelow, chromaBelow);
    }

    // Paints the piece just flooded on paper: one random draw for its angle and two per pixel
    // when the ground has a texture, its plain mean colour and no draw otherwise.
    void FillPart() override;

    // The rim of every piece, up to `length` pixels deep along the diagonal toward the lower
    // right, where it meets a piece of lower mean focus (RankByFocus's means): its luma and
    // chroma change by the deltas. 1, or 0 when not valid or, with texts::kNoMemory
    // appended, when the pass's row buffer cannot be had.
    int ShadowEdges(int length, int lightDelta, int chromaDelta);

private:
    CollagePaper paper_;
};

}  // namespace kolda
