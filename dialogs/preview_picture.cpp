// Reduction, ground, composition and canvas marking of the preview.
#include "dialogs/preview_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/fractal_noise.h"
#include "imaging/int_helpers.h"

namespace preview {

int ReductionStep(int width, int height, int maxWidth, int maxHeight) {
    const double across = std::ceil(static_cast<double>(width) / maxWidth);
    const double down = std::ceil(static_cast<double>(height) / maxHeight);
    const double step = std::max(across, down);
    return step < 1 ? 1 : static_cast<int>(step);
}

int ReducedSide(int side, int step) { return std::max(side / step, 1); }

std::unique_ptr<TDib> CopyOf(const TDib& image) {
    std::unique_ptr<TDib> copy =
        TDib::Create(image.Width(), image.Height(), image.BitCount() == 24 ? TDib::kColors24 : TDib::kColors8);
    if (!copy) return nullptr;
    std::memcpy(copy->Bits(), image.Bits(), image.ImageBytes());
    if (image.Palette() != nullptr && copy->Palette() != nullptr)
        std::memcpy(copy->Palette(), image.Palette(), 256 * 4);
    copy->SetPelsPerMeter(image.XPelsPerMeter(), image.YPelsPerMeter());
    return copy;
}

std::unique_ptr<TDib> Reduce(const TDib& image, int step) {
    const int width = ReducedSide(image.Width(), step);
    const int height = ReducedSide(image.Height(), step);
    std::unique_ptr<TDib> reduced = TDib::Create24(width, height);
    if (!reduced) return nullptr;
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = image.Row(y * step);
        uint8_t* out = reduced->Row(y);
        for (int x = 0; x < width; ++x) std::memcpy(out + 3 * x, source + 3 * x * step, 3);
    }
    return reduced;
}

Placement PlaceInPreview(int width, int height) {
    Placement placement;
    placement.marginX = (kSide - width) / 2;
    placement.marginY = (kSide - height) / 2;
    placement.left = placement.marginX + kPaneLeft;
    placement.top = placement.marginY + kPaneTop;
    placement.right = placement.left + width;
    placement.bottom = placement.top + height;
    return placement;
}

void StudyOrigin(int width, int height, int* x, int* y) {
    *x = (kStudyWidth - width) / 2 + kStudyLeft;
    *y = (kStudyHeight - height) / 2 + kStudyBottom;
}

bool BuildGround(const MaterialInfo& ground, TDib* groundImage) {
    const int width = groundImage->Width();
    const int height = groundImage->Height();
    for (int y = 0; y < height; ++y) std::memset(groundImage->Row(y), 255, width);
    FractalNoise across, down;
    const double roughness = ground.noiseScale * 0.01;
    if (across.SetRoughness(roughness) != 1 || across.Generate(width, height) != 1) return false;
    if (down.SetRoughness(roughness) != 1 || down.Generate(width, height) != 1) return false;
    const int side = ground.textureSide;
    if (side <= 0 || ground.texture == nullptr) return true;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = groundImage->Row(y);
        for (int x = 0; x < width; ++x) {
            const int u = (ArithmeticShiftRight(across.Sample(x, y) * side, ground.shift) + x) % side;
            const int v = (ArithmeticShiftRight(down.Sample(x, y) * side, ground.shift) + y) % side;
            row[x] = ground.texture[v * side + u];
        }
    }
    return true;
}

void Compose(const TDib& reduced, const TDib& groundImage, const MaterialInfo& ground,
             int shadow, TDib* previewImage) {
    const int w = reduced.Width();
    const int h = reduced.Height();
    const Placement placement = PlaceInPreview(w, h);
    const int mx = placement.marginX;
    const int my = placement.marginY;
    const int last = kSide - 1;
    for (int i = 0; i < kSide; ++i) {
        uint8_t* out = previewImage->Row(i);
        const uint8_t* groundRow = groundImage.Row(i);
        const int u = i - my;
        for (int j = 0; j < kSide; ++j, out += 3) {
            const int t = j - mx;
            if (t >= 0 && t < w && u >= 0 && u < h) {
                std::memcpy(out, reduced.Row(u) + 3 * t, 3);
                continue;
            }
            const int g = groundRow[j] + 1;
            const bool inShadow = t - shadow >= 0 && t - shadow < w && u + shadow >= 0 && u + shadow < h;
            const bool onEdge = j == 0 || j == last || i == 0 || i == last;
            const int shift = inShadow || onEdge ? 9 : 8;
            out[0] = static_cast<uint8_t>(ground.blue * g >> shift);
            out[1] = static_cast<uint8_t>(ground.green * g >> shift);
            out[2] = static_cast<uint8_t>(ground.red * g >> shift);
        }
    }
}

bool CopyProgressPicture(const TDib& progress, TDib* previewImage) {
    if (progress.BitCount() != 8 || progress.Palette() == nullptr) return false;
    if (progress.Width() != previewImage->Width() || progress.Height() != previewImage->Height())
        return false;
    const uint8_t* colors = progress.Palette();
    for (int y = 0; y < progress.Height(); ++y) {
        const uint8_t* in = progress.Row(y);
        uint8_t* out = previewImage->Row(y);
        for (int x = 0; x < progress.Width(); ++x) std::memcpy(out + 3 * x, colors + 4 * in[x], 3);
    }
    return true;
}

void MarkCanvas(const TDib& groundImage, const MaterialInfo& ground, TDib* previewImage) {
    for (int y = kStudyBottom; y < kStudyBottom + kStudyHeight; ++y) {
        uint8_t* row = previewImage->Row(y);
        const uint8_t* groundRow = groundImage.Row(y);
        for (int x = kStudyLeft; x < kStudyLeft + kStudyWidth; ++x) {
            uint8_t* pixel = row + 3 * x;
            if (pixel[0] + pixel[1] + pixel[2] == 3 * 255) {
                const int g = groundRow[x] + 1;
                pixel[0] = static_cast<uint8_t>((ground.blue * g >> 8) & ~1);
                pixel[1] = static_cast<uint8_t>(ground.green * g >> 8);
                pixel[2] = static_cast<uint8_t>(ground.red * g >> 8);
            } else {
                pixel[0] |= 1;
            }
        }
    }
}

}  // namespace preview
