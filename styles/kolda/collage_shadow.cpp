// The collage's edge shadows; see collage_shadow.h.
#include "styles/kolda/collage_shadow.h"

#include <memory>
#include <new>

#include "engine/status_text.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"

int ShadowEdges(TDib* canvas, const TDib* labels, const int32_t meanFocus[256], int length,
                int lightDelta, int chromaDelta, char* status) {
    if (canvas == nullptr || labels == nullptr || meanFocus == nullptr ||
        canvas->BitCount() != 24 || labels->BitCount() != 8 ||
        canvas->Width() != labels->Width() || canvas->Height() != labels->Height())
        return 0;
    if (length <= 0) return 1;
    const int width = canvas->Width();
    const int height = canvas->Height();
    // distance[x]: steps from (x, y) to the first other label along the diagonal, 0 when there
    // is none within `length`. Row y needs only row y - 1's entry one column to the right, so
    // the entries are rewritten in place from left to right.
    std::unique_ptr<int32_t[]> distance(new (std::nothrow) int32_t[static_cast<size_t>(width)]);
    if (!distance) {
        StatusAppend(status, texts::kNoMemory);
        return 0;
    }
    for (int x = 0; x < width; ++x) distance[x] = 0;
    for (int y = 1; y < height; ++y) {
        const uint8_t* label = labels->Row(y);
        const uint8_t* below = labels->Row(y - 1);
        uint8_t* pixel = canvas->Row(y);
        for (int x = 0; x + 1 < width; ++x, pixel += 3) {
            int32_t d;
            if (below[x + 1] != label[x])
                d = 1;
            else
                d = distance[x + 1] == 0 || distance[x + 1] >= length ? 0 : distance[x + 1] + 1;
            distance[x] = d;
            if (d == 0) continue;
            const int other = labels->Row(y - d)[x + d];
            if (meanFocus[label[x]] <= meanFocus[other]) continue;
            AdjustLumaChroma(pixel, lightDelta, chromaDelta);
        }
        distance[width - 1] = 0;  // the last column leaves the picture at once
    }
    return 1;
}
