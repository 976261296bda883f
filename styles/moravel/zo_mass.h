// ZoMass: the oil-paint style's colour masses. The region segmentation with two additions made
// after the knife strokes: a shading of the masses' edges, lit where a less focused mass lies
// toward the upper left and darkened where one lies toward the lower right, so that the masses
// stand out like thick paint; and the ground texture's relief laid over the background mass.
// The flat under-painting of every piece in its mean colour is ZoPart's own FillPart.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/expert_base.h"
#include "engine/zo_part.h"
#include "imaging/fractal_noise.h"

namespace moravel {

class ZoMass : public ZoPart {
public:
    // ZoPart on the context, then "Mass:" over the status text; takes the ground's height map,
    // middle height, colour and displacement shift from the context's ground (a missing one
    // counts as a ground without relief) and makes the two displacement fields of the
    // picture's size (2 × 6829 random draws). Not valid when ZoPart is not, or when a field
    // cannot be made.
    explicit ZoMass(const EngineContext& context);
    ~ZoMass() override;

    bool IsValid() const { return ZoPart::IsValid() && noisesMade_; }

    // Edge shading of the source, for every pixel of a part other than the background and the
    // outline label: reach R = length × reach[focus] / 256 + 1; lit by distance[colour
    // distance] × focus[f] × shape[...] when a part of lower mean focus lies within R toward the
    // upper left, then darkened the same way for one toward the lower right.
    void ShadeEdges(int length, const uint8_t shape[256], const uint8_t reach[256],
                    const uint8_t distance[256], const uint8_t focus[256]);

    // The ground's relief on the background part of the source where weight[focus] > 0 (two
    // random draws per such pixel, noise 1 first), luma and chroma raised above the middle
    // height by the "up" gains and changed below it by the "down" gains; then, when an outline
    // width is set, every outline pixel in the ground colour with luma `outlineLuma`, shaded by
    // the displaced texture. Nothing for the relief on a ground without texture.
    void TextureBackground(const uint8_t weight[256], int lumaGainUp, int chromaGainUp,
                           int lumaGainDown, int chromaGainDown, int outlineLuma);

    // The source copied to the canvas; every part pixel (not background, not outline) lightened
    // by change[|d| × focus[f] >> 8], d the luma difference of its lower-right and upper-left
    // canvas neighbours (the pixel itself for one outside the picture), signed as d.
    void EmbossParts(const uint8_t change[256], const uint8_t focus[256]);

    // The source copied to the canvas; every part pixel's luma raised by change[focus[f] × |d| /
    // 256], signed as d: the luma difference between the weighted means of the canvas pixels
    // toward its lower right and toward its upper left, up to R = length × reach[f] / 256 + 1
    // steps. A pixel with no neighbour inside the picture on a side is left alone.
    void ShadeDiagonal(int length, const uint8_t change[256], const uint8_t reach[256],
                       const uint8_t focus[256]);

private:
    // The height map under pixel (x, y), displaced by one sample of each noise field at the
    // pixel's grid cell (both fields have the picture's size).
    int DisplacedHeight(int x, int y, int gridRow, int gridColumn);

    const uint8_t* heightMap_ = nullptr;
    int side_ = 0;
    int middle_ = 0;
    int groundRed_ = 0;
    int groundGreen_ = 0;
    int groundBlue_ = 0;
    int shift_ = 0;
    std::unique_ptr<FractalNoise> noise1_;
    std::unique_ptr<FractalNoise> noise2_;
    bool noisesMade_ = false;
};

}  // namespace moravel
