// ZoMass: the ground's displacement fields, the edge shading and the background relief, and the
// two further shadings of the masses.
#include "styles/moravel/zo_mass.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/status_text.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"

namespace moravel {

namespace {

constexpr int kOutline = ZoPart::kOutline;

int LumaOf(int red, int green, int blue) { return (77 * red + 151 * green + 28 * blue) >> 8; }
int LumaOf(const uint8_t* pixel) { return LumaOf(pixel[2], pixel[1], pixel[0]); }

void CopyPixels(const TDib& from, TDib& to) {
    std::memcpy(to.Bits(), from.Bits(), from.ImageBytes());
}

}  // namespace

ZoMass::ZoMass(const EngineContext& context) : ZoPart(context) {
    StatusCopy(Status(), texts::kMassPrefix);
    int noiseScale = 0;
    if (const MaterialInfo* ground = context.ground) {
        if (ground->textureSide > 0 && ground->texture != nullptr) {
            heightMap_ = ground->texture;
            side_ = ground->textureSide;
        }
        middle_ = ground->middle;
        groundRed_ = ground->red;
        groundGreen_ = ground->green;
        groundBlue_ = ground->blue;
        // The displacement is a right shift: keep it a defined one.
        shift_ = ground->shift < 0 ? 0 : (ground->shift > 31 ? 31 : ground->shift);
        noiseScale = ground->noiseScale;
    }
    // Both fields are made whatever the ground, so that the random sequence after this point
    // does not depend on it.
    noise1_.reset(new (std::nothrow) FractalNoise);
    noise2_.reset(new (std::nothrow) FractalNoise);
    noisesMade_ = noise1_ && noise2_;
    for (FractalNoise* noise : {noise1_.get(), noise2_.get()}) {
        if (noise == nullptr) break;
        noisesMade_ = noise->SetRoughness(noiseScale * 0.01) == 1 &&
                      noise->Generate(context.width, context.height) == 1 && noisesMade_;
    }
}

ZoMass::~ZoMass() = default;

int ZoMass::DisplacedHeight(int x, int y, int gridRow, int gridColumn) {
    const int p = noise1_->SampleCell(gridRow, gridColumn);
    const int q = noise2_->SampleCell(gridRow, gridColumn);
    const int tx = (((p * side_) >> shift_) + x) % side_;
    const int ty = (((q * side_) >> shift_) + y) % side_;
    return heightMap_[ty * side_ + tx];
}

void ZoMass::ShadeEdges(int length, const uint8_t shape[256], const uint8_t reach[256],
                        const uint8_t distance[256], const uint8_t focus[256]) {
    if (!IsValid() || !shape || !reach || !distance || !focus) return;
    int reachOf[256];
    for (int v = 0; v < 256; ++v) reachOf[v] = length * reach[v] / 256 + 1;
    const int width = Width();
    const int height = Height();
    const int background = BackgroundPart();
    const ptrdiff_t rowBytes8 = LabelMap()->RowBytes();

    // How far from the pixel the first other part lies along one diagonal (0: none within
    // reach, or one not less focused), and the colour distance between the two parts' means.
    struct Edge {
        int steps = 0;
        int colorDistance = 0;
    };
    auto search = [&](const uint8_t* labelAt, int part, int partFocus, int red, int green,
                      int blue, int limit, ptrdiff_t step) {
        Edge edge;
        for (int j = 1; j <= limit; ++j) {
            const int other = labelAt[step * j];
            if (other == part) continue;
            if (partFocus > MeanFocus(other)) {
                edge.steps = j;
                edge.colorDistance = (std::abs(MeanRed(other) - red) +
                                      std::abs(MeanGreen(other) - green) +
                                      std::abs(MeanBlue(other) - blue)) /
                                     3;
            }
            break;
        }
        return edge;
    };
    // The shape value at `steps` of a reach R: 0 at the edge, 255 at the end of the reach.
    auto weight = [&](int steps, int reachSteps, int focusValue) {
        const int t = reachSteps > 1 ? shape[(255 * steps - 255) / (reachSteps - 1)] : shape[128];
        return focus[focusValue] * t / 256;
    };

    for (int y = 0; y < height; ++y) {
        const uint8_t* labels = LabelMap()->Row(y);
        const uint8_t* focusRow = FocusMap()->Row(y);
        uint8_t* pixel = Source()->Row(y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            const int part = labels[x];
            if (part == kOutline || part == background) continue;
            const int f = focusRow[x];
            const int reachSteps = reachOf[f];
            const int red = MeanRed(part), green = MeanGreen(part), blue = MeanBlue(part);
            const int partFocus = MeanFocus(part);
            // Upper left is (x - j, y + j): one row on in storage order, one column back.
            const int towardUpperLeft = std::min({reachSteps, x, height - 1 - y});
            const int towardLowerRight = std::min({reachSteps, width - 1 - x, y});
            const Edge lit = search(labels + x, part, partFocus, red, green, blue,
                                    towardUpperLeft, rowBytes8 - 1);
            const Edge shaded = search(labels + x, part, partFocus, red, green, blue,
                                       towardLowerRight, 1 - rowBytes8);
            if (lit.steps > 0) {
                const int w = weight(lit.steps, reachSteps, f);
                AdjustLumaChroma(pixel, distance[lit.colorDistance] * w / 256, 0);
            }
            if (shaded.steps > 0) {
                const int w = weight(shaded.steps, reachSteps, f);
                AdjustLumaChroma(pixel, -(distance[shaded.colorDistance] * w / 256), 0);
            }
        }
    }
}

void ZoMass::TextureBackground(const uint8_t weight[256], int lumaGainUp, int chromaGainUp,
                               int lumaGainDown, int chromaGainDown, int outlineLuma) {
    if (!IsValid() || weight == nullptr) return;
    const int width = Width();
    const int height = Height();
    const int background = BackgroundPart();
    if (side_ > 0) {
        for (int y = 0; y < height; ++y) {
            const uint8_t* labels = LabelMap()->Row(y);
            const uint8_t* focusRow = FocusMap()->Row(y);
            uint8_t* pixel = Source()->Row(y);
            const int gridRow = FractalNoise::GridIndex(y, height);
            FractalNoise::ColumnWalk cells(0, width);
            for (int x = 0; x < width; ++x, pixel += 3, cells.Step()) {
                if (labels[x] != background) continue;
                const int w = weight[focusRow[x]];
                if (w <= 0) continue;
                const int64_t h =
                    int64_t{DisplacedHeight(x, y, gridRow, cells.Column()) - middle_} * w;
                const int64_t lumaChange = h > 0 ? lumaGainUp * h / 256 : -h * lumaGainDown / 256;
                const int64_t chromaChange =
                    h > 0 ? chromaGainUp * h / 256 : -h * chromaGainDown / 256;
                if (lumaChange == 0 && chromaChange == 0) continue;
                AdjustLumaChroma(pixel, lumaChange, chromaChange);
            }
        }
    }
    if (OutlineWidth() <= 0) return;
    HueColor outline = {groundRed_, groundGreen_, groundBlue_, 0, 0, 0};
    RgbToHcy(outline);
    outline.luma = outlineLuma;
    HcyToRgb(outline);
    const int colour[3] = {outline.blue, outline.green, outline.red};
    for (int y = 0; y < height; ++y) {
        const uint8_t* labels = LabelMap()->Row(y);
        uint8_t* pixel = Source()->Row(y);
        const int gridRow = FractalNoise::GridIndex(y, height);
        FractalNoise::ColumnWalk cells(0, width);
        for (int x = 0; x < width; ++x, pixel += 3, cells.Step()) {
            if (labels[x] != kOutline) continue;
            const int shade =
                side_ > 0 ? DisplacedHeight(x, y, gridRow, cells.Column()) + 1 : 256;
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>((colour[c] * shade) >> 8);
        }
    }
}

void ZoMass::EmbossParts(const uint8_t change[256], const uint8_t focus[256]) {
    if (!IsValid() || change == nullptr || focus == nullptr) return;
    CopyPixels(*Source(), *Canvas());
    const int width = Width();
    const int height = Height();
    const int background = BackgroundPart();
    for (int y = 0; y < height; ++y) {
        const uint8_t* labels = LabelMap()->Row(y);
        const uint8_t* focusRow = FocusMap()->Row(y);
        const uint8_t* canvas = Canvas()->Row(y);
        // The rows before and after in storage order; the pixel's own row outside the picture.
        const uint8_t* below = y > 0 ? Canvas()->Row(y - 1) : canvas;
        const uint8_t* above = y + 1 < height ? Canvas()->Row(y + 1) : canvas;
        uint8_t* target = Source()->Row(y);
        for (int x = 0; x < width; ++x) {
            const int part = labels[x];
            if (part == kOutline || part == background) continue;
            const uint8_t* self = canvas + 3 * x;
            const uint8_t* lowerRight = x + 1 < width && y > 0 ? below + 3 * (x + 1) : self;
            const uint8_t* upperLeft = x > 0 && y + 1 < height ? above + 3 * (x - 1) : self;
            const int d = LumaOf(lowerRight) - LumaOf(upperLeft);
            const int amount = change[(std::abs(d) * focus[focusRow[x]]) >> 8];
            if (amount == 0) continue;
            HueColor color = {self[2], self[1], self[0], 0, 0, 0};
            RgbToHcl(color);
            color.luma = ClampToByte(color.luma + (d < 0 ? -amount : amount));
            HclToRgb(color);
            uint8_t* out = target + 3 * x;
            out[0] = static_cast<uint8_t>(color.blue);
            out[1] = static_cast<uint8_t>(color.green);
            out[2] = static_cast<uint8_t>(color.red);
        }
    }
}

void ZoMass::ShadeDiagonal(int length, const uint8_t change[256], const uint8_t reach[256],
                           const uint8_t focus[256]) {
    if (!IsValid() || change == nullptr || reach == nullptr || focus == nullptr) return;
    CopyPixels(*Source(), *Canvas());
    const int width = Width();
    const int height = Height();
    const int background = BackgroundPart();
    const ptrdiff_t rowBytes24 = Canvas()->RowBytes();
    // The luma of the weighted mean of up to `limit` canvas pixels from `pixel` on in steps of
    // `step` (weights limit + 1 - j when `reachSteps` is the reach); -1 when there is none.
    auto meanLuma = [&](const uint8_t* pixel, int limit, int reachSteps, ptrdiff_t step) {
        int64_t sum[3] = {}, weights = 0;
        for (int j = 1; j <= limit; ++j) {
            const uint8_t* p = pixel + step * j;
            const int w = reachSteps + 1 - j;
            for (int c = 0; c < 3; ++c) sum[c] += int64_t{p[c]} * w;
            weights += w;
        }
        if (weights == 0) return -1;
        return LumaOf(static_cast<int>(sum[2] / weights), static_cast<int>(sum[1] / weights),
                      static_cast<int>(sum[0] / weights));
    };
    for (int y = 0; y < height; ++y) {
        const uint8_t* labels = LabelMap()->Row(y);
        const uint8_t* focusRow = FocusMap()->Row(y);
        const uint8_t* canvas = Canvas()->Row(y);
        uint8_t* target = Source()->Row(y);
        for (int x = 0; x < width; ++x) {
            const int part = labels[x];
            if (part == kOutline || part == background) continue;
            const int f = focusRow[x];
            const int reachSteps = length * reach[f] / 256 + 1;
            const uint8_t* self = canvas + 3 * x;
            const int upperLeft = meanLuma(self, std::min({reachSteps, x, height - 1 - y}),
                                           reachSteps, rowBytes24 - 3);
            const int lowerRight = meanLuma(self, std::min({reachSteps, width - 1 - x, y}),
                                            reachSteps, 3 - rowBytes24);
            // A side without a pixel inside the picture gives no mean to compare with.
            if (upperLeft < 0 || lowerRight < 0) continue;
            const int d = lowerRight - upperLeft;
            const int amount = change[focus[f] * std::abs(d) / 256];
            if (amount == 0) continue;
            uint8_t* out = target + 3 * x;
            out[0] = self[0];
            out[1] = self[1];
            out[2] = self[2];
            AdjustLumaChroma(out, d < 0 ? -amount : amount, 0);
        }
    }
}

}  // namespace moravel
