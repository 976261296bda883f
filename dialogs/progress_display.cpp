// Block means of the progress study painted into the progress picture's canvas.
#include "dialogs/progress_display.h"

#include <algorithm>

#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"

namespace progress {

int Level(int phase, int phases) { return phases < 1 ? 0 : phase * kMaxLevel / phases; }

int LevelTracker::Next(int phase, int phases) {
    if (phase == 0) remembered_ = -1;
    const int level = Level(phase, phases);
    if (level == remembered_) return -1;
    remembered_ = level;
    return level;
}

namespace {

// The integer mean colour (blue, green, red) of rows y0..y1 and columns x0..x1, ends included.
void BlockMean(const TDib& study, int x0, int x1, int y0, int y1, int mean[3]) {
    int64_t sums[3] = {0, 0, 0};
    for (int y = y0; y <= y1; ++y) {
        const uint8_t* pixel = study.Row(y) + 3 * x0;
        for (int x = x0; x <= x1; ++x, pixel += 3)
            for (int c = 0; c < 3; ++c) sums[c] += pixel[c];
    }
    const int64_t count = int64_t{x1 - x0 + 1} * (y1 - y0 + 1);
    for (int c = 0; c < 3; ++c) mean[c] = static_cast<int>(sums[c] / count);
}

}  // namespace

void PaintBlocks(const TDib& study, int originX, int originY, const TDib& groundImage,
                 const MaterialInfo& ground, int level, TDib* previewImage) {
    const int blocks = 1 << level;
    const int w = study.Width();
    const int h = study.Height();
    // Only pixels inside both the preview and the ground image are painted.
    const int paintedWidth = std::min(previewImage->Width(), groundImage.Width());
    const int paintedHeight = std::min(previewImage->Height(), groundImage.Height());
    for (int p = 0; p < blocks; ++p) {
        const int y0 = (h - 1) * p / blocks;
        const int y1 = (h - 1) * (p + 1) / blocks;
        const int top = std::max(originY + y0, 0);
        const int bottom = std::min(originY + y1 + 1, paintedHeight);  // the block's last row included
        for (int q = 0; q < blocks; ++q) {
            const int x0 = (w - 1) * q / blocks;
            const int x1 = (w - 1) * (q + 1) / blocks;
            const int left = std::max(originX + x0, 0);
            const int right = std::min(originX + x1, paintedWidth);  // its last column left out
            int mean[3];
            BlockMean(study, x0, x1, y0, y1, mean);
            HueColor meanColor;
            meanColor.blue = mean[0];
            meanColor.green = mean[1];
            meanColor.red = mean[2];
            RgbToHcy(meanColor);
            for (int y = top; y < bottom; ++y) {
                uint8_t* pixel = previewImage->Row(y) + 3 * left;
                const uint8_t* groundHeight = groundImage.Row(y) + left;
                for (int x = left; x < right; ++x, pixel += 3, ++groundHeight) {
                    if (pixel[0] & 1) continue;  // the progress picture's frame
                    HueColor color = meanColor;
                    color.luma = ClampToByte(meanColor.luma + *groundHeight - ground.middle);
                    HcyToRgb(color);
                    pixel[0] = static_cast<uint8_t>(color.blue & ~1);
                    pixel[1] = static_cast<uint8_t>(color.green);
                    pixel[2] = static_cast<uint8_t>(color.red);
                }
            }
        }
    }
}

}  // namespace progress
