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

    // Copies "Material:" into the status buffer, keeps the images and the ground's values and
    // makes the two displacement fields (noise 1 first, each generated for the source's size:
    // 2 × 6829 generator steps). Not valid when a field cannot be made (kNoMemory
    // appended) or the source is not 24 bits or the focus map not 8 bits of its size
    // ("Invalid Dib."; no fields are made then).
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
    // The texel under pixel (x, y), given x and y already wrapped to the side: two noise
    // samples, noise 1 first.
    int Texel(int x, int y, int wrappedX, int wrappedY);

    bool valid_ = false;
    char* status_;
    TDib* source_;
    TDib* canvas_;  // kept for the caller; the passes do not read it
    TDib* focusMap_;
    int width_ = 0;
    int height_ = 0;
    const MaterialInfo& ground_;
    const uint8_t* texture_ = nullptr;
    int side_ = 0;
    int minimum_, middle_, maximum_;
    int red_, green_, blue_;
    int noiseScale_;
    int shift_;
    std::unique_ptr<FractalNoise> noise1_;
    std::unique_ptr<FractalNoise> noise2_;
};
