// ZoMaterial: the ground relief. Lays the ground's height map over the finished painting,
// tiled and shifted by two fractal noise fields so that the repetition does not show: raised
// texels change lightness and chroma one way, hollows the other, per pixel weighted by the
// focus map through a 256-entry table. Works on the source picture in place.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/material_info.h"
#include "imaging/dib.h"
#include "imaging/fractal_noise.h"

class ZoMaterial {
public:
    // Larger sides are not a ground this program makes; v × side + u must stay inside 32 bits.
    static constexpr int kMaxTextureSide = 46340;

    // Copies "Material:" into the status buffer, keeps the source and the focus map (borrowed)
    // and the ground's values (the texture borrowed), and makes the two displacement fields
    // (noise 1 first, each generated for the source's size: 2 × 6829 generator steps). Not
    // valid when a field cannot be made (kNoMemory appended) or the source is not 24 bits or
    // the focus map not 8 bits of its size ("Invalid Dib."; no fields are made then). The
    // canvas is taken with the other work images but not used: both passes work on the source.
    ZoMaterial(TDib* source, TDib* canvas, TDib* focusMap, const MaterialInfo& ground,
               char* status);
    ~ZoMaterial();
    ZoMaterial(const ZoMaterial&) = delete;
    ZoMaterial& operator=(const ZoMaterial&) = delete;

    bool IsValid() const { return valid_; }
    // The texture side in use: the ground's, or 0 when it has no usable texture.
    int TextureSide() const { return side_; }

    // The relief pass: w = table[focus]; g = (texel - middle) × w; g > 0 changes luma by
    // a × g / 256 and chroma by b × g / 256, otherwise by -g × c / 256 and -g × d / 256.
    // Pixels of weight 0 draw no noise samples. Nothing when not valid or without texture.
    void ApplyTexture(const uint8_t* table, int a, int b, int c, int d);
    // The tint pass: each channel moves toward texel × ground colour by (table[focus] + 1)/256.
    // Pixels whose table entry is 0 draw no noise samples. Nothing when not valid or without
    // texture.
    void TintTexture(const uint8_t* table);

private:
    // Where a pixel lies on the noise fields' grid and, wrapped to the side, on the tiled
    // texture.
    struct TexelAt {
        int gridRow, gridColumn;
        int wrappedX, wrappedY;
    };
    // visit(pixel, focus, at) for every pixel of the source in storage order, with its focus
    // map value and its position.
    template <typename Visit>
    void ForEachPixel(Visit&& visit);
    // The texel under a pixel: two noise samples, noise 1 first.
    int Texel(const TexelAt& at);

    bool valid_ = false;
    TDib* source_;
    TDib* focusMap_;
    int width_ = 0;
    int height_ = 0;
    const uint8_t* texture_ = nullptr;
    int side_ = 0;
    int middle_;
    int red_, green_, blue_;
    int shift_;
    std::unique_ptr<FractalNoise> noise1_;
    std::unique_ptr<FractalNoise> noise2_;
};
