// KOLDA's collage phase: the picture cut into pieces by focus bands, each filled with its mean
// colour on the ground's paper, the rims shaded, and the result brought into the source.
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/picture_length.h"
#include "styles/kolda/expert.h"
#include "styles/kolda/zo_collage.h"

namespace kolda {

namespace {

// The focus bands: below 100, below 180, the rest.
constexpr int kBands = 3;
constexpr int kBandLimits[kBands] = {100, 180, 256};

// By touch level: colours per band (fewer colours, larger pieces) and smoothing passes per
// band, the least focused band first.
struct PieceValues {
    int colours[kBands];
    int passes[kBands];
};
constexpr PieceValues kPiecesByTouch[3] = {
    {{6, 8, 10}, {10, 5, 5}},
    {{6, 6, 8}, {20, 10, 5}},
    {{3, 4, 5}, {20, 20, 5}},
};

// By material level: the texture's gain, the shadow's depth and its length factor.
struct PaperValues {
    int gain;
    int shadowDepth;
    double shadowLengthFactor;
};
constexpr PaperValues kPaperByMaterial[3] = {{90, 40, 0.003}, {180, 80, 0.004}, {240, 160, 0.005}};

constexpr int kMaxShadowLength = 20;

CollageShadow ShadowWith(const MaterialInfo* ground, const PaperValues& paper, int diagonal,
                         int dpi) {
    if (ground == nullptr || ground->textureSide <= 0) return {false, 0, 0, 0};
    const int range = ground->maximum - ground->minimum;
    return {true, PictureLength(diagonal, dpi, paper.shadowLengthFactor, 1, kMaxShadowLength),
            range * -paper.shadowDepth / 256, range * paper.shadowDepth / 512};
}

}  // namespace

CollageShadow ShadowFor(const MaterialInfo* ground, int materialLevel, int diagonal, int dpi) {
    return ShadowWith(ground, ForLevel(kPaperByMaterial, materialLevel), diagonal, dpi);
}

int Expert::MakeCollage() {
    auto collage = MakeValidOrReport<ZoCollage>(status, texts::kInitCollageNoMemory, context);
    if (!collage) return 0;
    const PieceValues& pieces = ForLevel(kPiecesByTouch, touchLevel);
    const PaperValues& paper = ForLevel(kPaperByMaterial, materialLevel);
    // Raised texture lightens the paper; hollows darken it and strengthen its colour.
    collage->SetGains(paper.gain, 2, 0, -4, 4);
    // A segmentation that fails leaves the colour indices, which are then cut as they are.
    collage->Segment(kBands, kBandLimits, pieces.colours, pieces.passes, 1);
    collage->RankByFocus();
    collage->MeasureParts();
    const CollageShadow shadow = ShadowWith(ground, paper, diagonal, dpi);
    // Only the pass's row buffer can fail; the source is still the picture before the phase,
    // and the text says what the phase could not get, not which component spoke last.
    if (shadow.shaded &&
        collage->ShadowEdges(shadow.length, shadow.lightDelta, shadow.chromaDelta) == 0) {
        StatusCopy(status, texts::kNoMemory);
        return 0;
    }
    collage->CopyCanvasToSource();
    return 1;
}

}  // namespace kolda
