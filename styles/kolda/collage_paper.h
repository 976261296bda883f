// CollagePaper: how the collage painter fills a piece, as if it were cut from a sheet of
// coloured paper. Each piece takes its mean colour, modulated by the ground texture laid at a
// random one of 32 angles and displaced by two fractal noise fields, so the displacement runs
// on across pieces while each piece has its own grain direction. Without a texture the piece
// gets its plain mean colour and no random step is drawn.
//
// The random draws are part of the painting: both noise fields are generated in the
// constructor (also without a ground, so the sequence does not depend on it), one step per
// textured piece for its angle and two per textured pixel, in the order the pieces and spans
// are painted.
#pragma once

#include <cstdint>

#include "engine/expert_base.h"
#include "imaging/dib.h"
#include "imaging/fractal_noise.h"
#include "imaging/hue_color.h"

class CollagePaper {
public:
    // Keeps the canvas, the diagonal and the ground's texture, middle height, noise scale and
    // shift (a missing ground counts as one without texture); gains 256, 2, 0, -4, 4; makes the
    // two noise fields for the picture's size.
    explicit CollagePaper(const EngineContext& context);
    CollagePaper(const CollagePaper&) = delete;
    CollagePaper& operator=(const CollagePaper&) = delete;

    // True when both noise fields were made and the canvas is a 24-bit image of the context's
    // size; nothing is painted otherwise.
    bool IsValid() const { return valid_; }
    bool HasTexture() const { return side_ > 0; }

    // A texel's difference from the middle height times `gain` is r; r > 0 changes the luma by
    // r × lightAbove / 256 and the chroma by r × chromaAbove / 256, r ≤ 0 by -r × lightBelow /
    // 256 and -r × chromaBelow / 256 (truncated toward zero).
    void SetGains(int gain, int lightAbove, int chromaAbove, int lightBelow, int chromaBelow);

    // Starts a piece with these sums of its source pixels (count at least 1): its mean colour,
    // and with a texture its angle (one random step).
    void BeginPiece(int64_t redSum, int64_t greenSum, int64_t blueSum, int64_t count);
    // Paints columns left..right of canvas row y for the current piece (clipped to the canvas).
    void PaintSpan(int left, int right, int y);

    // The current piece's angle index 0..31 (0 without a texture).
    int Angle() const { return angle_; }

private:
    // The colour of texel value t for the current piece, worked out once per piece.
    const uint8_t* TexelColour(int t);
    template <typename Wide>
    void PaintTexturedSpan(int left, int right, int y);

    bool valid_ = false;
    TDib* canvas_;
    int width_, height_;
    int diagonal_;
    const uint8_t* texture_ = nullptr;  // side × side heights, row by row
    int side_ = 0;
    int middle_ = 0;
    int noiseScale_ = 0;
    int shift_ = 0;
    FractalNoise noiseX_;
    FractalNoise noiseY_;
    int gain_ = 256;
    int lightAbove_ = 2, chromaAbove_ = 0, lightBelow_ = -4, chromaBelow_ = 4;
    int lightDelta_[256] = {};  // by texel value, from the gains
    int chromaDelta_[256] = {};

    // The current piece.
    int angle_ = 0;
    int sine_ = 0, cosine_ = 1000;
    uint8_t mean_[3] = {0, 0, 0};  // blue, green, red
    HueColor meanHcy_ = {};
    uint32_t piece_ = 0;  // counts pieces; a cached texel colour is current when its stamp matches
    uint32_t stamp_[256] = {};
    uint8_t texelColour_[256][3] = {};
};
