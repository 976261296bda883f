// The output resolution of a paper size.
#include "plugin/output_dpi.h"

#include <cmath>
#include <cstdint>

#include "platform/platform.h"
#include "plugin/plugin_module.h"
#include "plugin/string_ids.h"

namespace {

constexpr int kSizeListLength = 512;
constexpr int kMaxTriples = 20;
constexpr int kMinDpi = 10;
constexpr int kMaxDpi = 400;

// Skips to just past the next comma; null when there is none.
const char* AfterComma(const char* p) {
    while (*p != '\0' && *p != ',') ++p;
    return *p == ',' ? p + 1 : nullptr;
}

// The decimal number at p, as atoi reads it (blanks, a sign, digits; bounded instead of
// overflowing).
int ReadNumber(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    int value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value < 100000000) value = value * 10 + (*p - '0');
    return negative ? -value : value;
}

// Paper width and height (millimetres) of the triple at sizeIndex, or of the last one reached.
void FindPaper(const char* list, int sizeIndex, int* paperWidth, int* paperHeight) {
    const char* triple = list;
    for (int position = 0;; ++position) {
        const char* widthText = AfterComma(triple);
        const char* heightText = widthText ? AfterComma(widthText) : nullptr;
        *paperWidth = widthText ? ReadNumber(widthText) : 0;
        *paperHeight = heightText ? ReadNumber(heightText) : 0;
        const char* next = heightText ? AfterComma(heightText) : nullptr;
        if (position == sizeIndex || next == nullptr || position + 1 >= kMaxTriples) return;
        triple = next;
    }
}

}  // namespace

void GetOutputDpi(const FilterEnvironment& environment, int sizeIndex, int width, int height,
                  int* dpi) {
    if (dpi == nullptr) return;
    if (sizeIndex <= 0) {
        *dpi = environment.imageDpi;
        return;
    }
    if (sizeIndex == 1) {
        *dpi = environment.screenDpi;
        return;
    }
    char list[kSizeListLength];
    platform::LoadStringEntry(PluginModule(), kStringSizeList, list, kSizeListLength);
    int paperWidth = 0;
    int paperHeight = 0;
    FindPaper(list, sizeIndex, &paperWidth, &paperHeight);
    if (paperWidth <= 0 || paperHeight <= 0 || width <= 0 || height <= 0) {
        *dpi = environment.screenDpi;
        return;
    }
    if (width > height) {
        const int turned = paperWidth;
        paperWidth = paperHeight;
        paperHeight = turned;
    }
    // A picture relatively taller than the paper fills its height: narrow the paper to match.
    if (static_cast<double>(height) / width > static_cast<double>(paperHeight) / paperWidth)
        paperWidth = static_cast<int>(int64_t{paperHeight} * width / height);
    // A picture so tall that the narrowed paper has no width needs the finest resolution.
    if (paperWidth <= 0) {
        *dpi = kMaxDpi;
        return;
    }
    double exact = std::ceil(static_cast<double>(width) / paperWidth * 25.4);
    if (exact < kMinDpi) exact = kMinDpi;
    if (exact > kMaxDpi) exact = kMaxDpi;
    *dpi = static_cast<int>(exact);
}
