// Ground relief; see zo_material.h. The texture wraps around, so any side tiles the picture
// without resampling; the two noise samples of a pixel are drawn only when its weight is not
// 0, noise 1 first, which fixes the random sequence for a seed.
#include "engine/zo_material.h"

#include <new>

#include "engine/status_text.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"

namespace {

// value mod side for side > 0, also for a negative value; the common cases need no division.
int Wrap(int value, int side) {
    if (value >= 0) {
        if (value < side) return value;
        if (value - side < side) return value - side;
        return value % side;
    }
    const int rest = value % side;
    return rest < 0 ? rest + side : rest;
}

// Beyond this magnitude every non-zero factor moves luma or chroma past the byte range, so
// limiting g changes no result and keeps the products inside 64 bits.
constexpr int64_t kRelief = int64_t{1} << 24;

}  // namespace

ZoMaterial::ZoMaterial(TDib* source, TDib* /*canvas*/, TDib* focusMap,
                       const MaterialInfo& ground, char* status)
    : source_(source),
      focusMap_(focusMap),
      middle_(ground.middle),
      red_(ground.red),
      green_(ground.green),
      blue_(ground.blue),
      // The displacement is a right shift: keep it a defined one.
      shift_(ground.shift < 0 ? 0 : (ground.shift > 31 ? 31 : ground.shift)) {
    StatusCopy(status, texts::kMaterialPrefix);
    if (ground.textureSide > 0 && ground.textureSide <= kMaxTextureSide &&
        ground.texture != nullptr) {
        side_ = ground.textureSide;
        texture_ = ground.texture;
    }
    if (source_ == nullptr || source_->Bits() == nullptr || source_->BitCount() != 24 ||
        focusMap_ == nullptr || focusMap_->Bits() == nullptr || focusMap_->BitCount() != 8 ||
        focusMap_->Width() != source_->Width() || focusMap_->Height() != source_->Height()) {
        StatusAppend(status, texts::kInvalidDib);
        return;
    }
    width_ = source_->Width();
    height_ = source_->Height();

    noise1_.reset(new (std::nothrow) FractalNoise);
    noise2_.reset(new (std::nothrow) FractalNoise);
    const double roughness = ground.noiseScale * 0.01;
    if (!noise1_ || !noise2_ || !noise1_->SetRoughness(roughness) ||
        !noise1_->Generate(width_, height_) || !noise2_->SetRoughness(roughness) ||
        !noise2_->Generate(width_, height_)) {
        StatusAppend(status, texts::kNoMemory);
        return;
    }
    valid_ = true;
}

ZoMaterial::~ZoMaterial() = default;

int ZoMaterial::Texel(const TexelAt& at) {
    const int sample1 = noise1_->SampleCell(at.gridRow, at.gridColumn);
    const int sample2 = noise2_->SampleCell(at.gridRow, at.gridColumn);
    const int u = Wrap(at.wrappedX + ArithmeticShiftRight(sample1 * side_, shift_), side_);
    const int v = Wrap(at.wrappedY + ArithmeticShiftRight(sample2 * side_, shift_), side_);
    return texture_[v * side_ + u];
}

template <typename Visit>
void ZoMaterial::ForEachPixel(Visit&& visit) {
    for (int y = 0; y < height_; ++y) {
        uint8_t* pixel = source_->Row(y);
        const uint8_t* const focus = focusMap_->Row(y);
        // Both noise fields have the picture's size: a pixel lies in the same cell of each.
        FractalNoise::ColumnWalk cells(0, width_);
        TexelAt at{FractalNoise::GridIndex(y, height_), 0, 0, y % side_};
        for (int x = 0; x < width_; ++x, pixel += 3) {
            at.gridColumn = cells.Column();
            visit(pixel, focus[x], static_cast<const TexelAt&>(at));
            at.wrappedX = at.wrappedX + 1 < side_ ? at.wrappedX + 1 : 0;
            cells.Step();
        }
    }
}

void ZoMaterial::ApplyTexture(const uint8_t* table, int a, int b, int c, int d) {
    if (!valid_ || side_ <= 0 || table == nullptr) return;
    ForEachPixel([&](uint8_t* pixel, uint8_t focus, const TexelAt& at) {
        const int weight = table[focus];
        if (weight == 0) return;
        int64_t g = (int64_t{Texel(at)} - middle_) * weight;
        g = g > kRelief ? kRelief : (g < -kRelief ? -kRelief : g);
        int64_t lumaChange, chromaChange;
        if (g > 0) {
            lumaChange = a * g / 256;
            chromaChange = b * g / 256;
        } else {
            lumaChange = -g * c / 256;
            chromaChange = -g * d / 256;
        }
        if (lumaChange == 0 && chromaChange == 0) return;
        AdjustLumaChroma(pixel, lumaChange, chromaChange);
    });
}

void ZoMaterial::TintTexture(const uint8_t* table) {
    if (!valid_ || side_ <= 0 || table == nullptr) return;
    const int64_t groundChannel[3] = {blue_, green_, red_};
    ForEachPixel([&](uint8_t* pixel, uint8_t focus, const TexelAt& at) {
        const int k = table[focus] + 1;
        if (k == 1) return;
        const int64_t t = Texel(at) + 1;
        for (int channel = 0; channel < 3; ++channel) {
            const int64_t target = t * groundChannel[channel] / 256;
            const int64_t value = pixel[channel];
            // Stored as a byte: a ground colour beyond the byte range wraps.
            pixel[channel] = static_cast<uint8_t>(value + (target - value) * k / 256);
        }
    });
}
