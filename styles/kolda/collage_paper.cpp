// CollagePaper: the paper fill of the collage pieces; see collage_paper.h.
#include "styles/kolda/collage_paper.h"

#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"
#include "imaging/random.h"
#include "styles/kolda/kolda_tables.h"

CollagePaper::CollagePaper(const EngineContext& context)
    : canvas_(context.canvas),
      width_(context.width),
      height_(context.height),
      diagonal_(context.diagonal) {
    if (const MaterialInfo* ground = context.ground) {
        if (ground->textureSide > 0 && ground->texture != nullptr) {
            texture_ = ground->texture;
            side_ = ground->textureSide;
        }
        middle_ = ground->middle;
        noiseScale_ = ground->noiseScale;
        // A shift past the bits of the displacement leaves none of it.
        shift_ = ground->shift < 0 ? 0 : (ground->shift > 31 ? 31 : ground->shift);
    }
    SetGains(256, 2, 0, -4, 4);
    const bool fields = noiseX_.SetRoughness(noiseScale_ * 0.01) == 1 &&
                        noiseX_.Generate(width_, height_) == 1 &&
                        noiseY_.SetRoughness(noiseScale_ * 0.01) == 1 &&
                        noiseY_.Generate(width_, height_) == 1;
    valid_ = fields && canvas_ != nullptr && canvas_->BitCount() == 24 &&
             canvas_->Width() == width_ && canvas_->Height() == height_;
}

void CollagePaper::SetGains(int gain, int lightAbove, int chromaAbove, int lightBelow,
                            int chromaBelow) {
    gain_ = gain;
    lightAbove_ = lightAbove;
    chromaAbove_ = chromaAbove;
    lightBelow_ = lightBelow;
    chromaBelow_ = chromaBelow;
    for (int t = 0; t < 256; ++t) {
        const int64_t r = int64_t{t - middle_} * gain;
        const int64_t light = r > 0 ? r * lightAbove / 256 : -r * lightBelow / 256;
        const int64_t chroma = r > 0 ? r * chromaAbove / 256 : -r * chromaBelow / 256;
        // Beyond ±255 a delta only pins the channel at an end.
        lightDelta_[t] = static_cast<int>(light < -255 ? -255 : light > 255 ? 255 : light);
        chromaDelta_[t] = static_cast<int>(chroma < -255 ? -255 : chroma > 255 ? 255 : chroma);
    }
    ++piece_;  // the cached colours came from the old gains
}

void CollagePaper::BeginPiece(int64_t redSum, int64_t greenSum, int64_t blueSum, int64_t count) {
    if (count < 1) count = 1;
    mean_[0] = static_cast<uint8_t>(ClampToByte(blueSum / count));
    mean_[1] = static_cast<uint8_t>(ClampToByte(greenSum / count));
    mean_[2] = static_cast<uint8_t>(ClampToByte(redSum / count));
    if (!valid_ || !HasTexture()) return;
    angle_ = static_cast<int>(DrawTopFiveBits());
    sine_ = kCollageSine[angle_];
    cosine_ = kCollageCosine[angle_];
    meanHcy_ = HueColor{mean_[2], mean_[1], mean_[0], 0, 0, 0};
    RgbToHcy(meanHcy_);
    ++piece_;
}

const uint8_t* CollagePaper::TexelColour(int t) {
    uint8_t* colour = texelColour_[t];
    if (stamp_[t] == piece_) return colour;
    stamp_[t] = piece_;
    if (lightDelta_[t] == 0 && chromaDelta_[t] == 0) {
        colour[0] = mean_[0];
        colour[1] = mean_[1];
        colour[2] = mean_[2];
        return colour;
    }
    HueColor changed = meanHcy_;
    changed.luma = ClampToByte(changed.luma + lightDelta_[t]);
    changed.chroma = ClampToByte(changed.chroma + chromaDelta_[t]);
    HcyToRgb(changed);
    colour[0] = static_cast<uint8_t>(changed.blue);
    colour[1] = static_cast<uint8_t>(changed.green);
    colour[2] = static_cast<uint8_t>(changed.red);
    return colour;
}

// Wide is the type of x × cosine - y × sine: int while the picture is small enough for it.
template <typename Wide>
void CollagePaper::PaintTexturedSpan(int left, int right, int y) {
    uint8_t* pixel = canvas_->Row(y) + 3 * left;
    const Wide ySine = static_cast<Wide>(y) * sine_;
    const Wide yCosine = static_cast<Wide>(y) * cosine_;
    const int n = side_;
    const auto u = [&](int x) {
        return static_cast<int>((static_cast<Wide>(x) * cosine_ - ySine) / 1000) + diagonal_;
    };
    const auto v = [&](int x) {
        return static_cast<int>((static_cast<Wide>(x) * sine_ + yCosine) / 1000) + diagonal_;
    };
    // Both noise fields have the picture's size, so a pixel lies in the same grid cell of
    // each, walked along the row; u and v, which change by at most 1 from one column to the
    // next, are carried as their remainders modulo the side: no division per pixel.
    const int row = FractalNoise::GridIndex(y, height_);
    FractalNoise::ColumnWalk cells(left, width_);
    int uNow = u(left), vNow = v(left);
    // The diagonal keeps u and v non-negative for every pixel of the picture.
    int uMod = uNow % n, vMod = vNow % n;
    if (uMod < 0) uMod += n;
    if (vMod < 0) vMod += n;
    for (int x = left; x <= right; ++x, pixel += 3) {
        const int shiftX = (noiseX_.SampleCell(row, cells.Column()) * n) >> shift_;
        const int shiftY = (noiseY_.SampleCell(row, cells.Column()) * n) >> shift_;
        int tx = uMod + shiftX;
        int ty = vMod + shiftY;
        if (tx >= n) tx %= n;
        if (ty >= n) ty %= n;
        const uint8_t* colour = TexelColour(texture_[ty * n + tx]);
        pixel[0] = colour[0];
        pixel[1] = colour[1];
        pixel[2] = colour[2];
        if (x == right) break;
        cells.Step();
        const int uNext = u(x + 1), vNext = v(x + 1);
        uMod += uNext - uNow;
        vMod += vNext - vNow;
        uNow = uNext;
        vNow = vNext;
        if (uMod < 0) uMod += n;
        if (uMod >= n) uMod -= n;
        if (vMod < 0) vMod += n;
        if (vMod >= n) vMod -= n;
    }
}

void CollagePaper::PaintSpan(int left, int right, int y) {
    if (!valid_ || y < 0 || y >= height_) return;
    if (left < 0) left = 0;
    if (right > width_ - 1) right = width_ - 1;
    if (left > right) return;
    if (!HasTexture()) {
        uint8_t* pixel = canvas_->Row(y) + 3 * left;
        for (int x = left; x <= right; ++x, pixel += 3) {
            pixel[0] = mean_[0];
            pixel[1] = mean_[1];
            pixel[2] = mean_[2];
        }
        return;
    }
    // |x × cosine ± y × sine| stays below 1000 × (x + y) and the sum below the diagonal.
    if (int64_t{right} + y < 2000000 && diagonal_ < 1000000000)
        PaintTexturedSpan<int32_t>(left, right, y);
    else
        PaintTexturedSpan<int64_t>(left, right, y);
}
