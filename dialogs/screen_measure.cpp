// The screen measurement: parsing the length, the dpi and the valid rule.
#include "dialogs/screen_measure.h"

#include <climits>

#include "imaging/fpu_precision.h"

namespace screen_measure {

bool ParseMillimetres(const char* text, int* millimetres) {
    if (text == nullptr || *text == '\0') return false;
    long long value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
        if (value > INT_MAX) return false;
    }
    *millimetres = static_cast<int>(value);
    return true;
}

int DpiFromMillimetres(int millimetres) {
    // The 200 is a float constant and 25.4 the double nearest to it (just below 25.4); the
    // quotient and product are long double at a 64-bit significand, whatever the host set.
    ExtendedPrecisionScope precision;
    const long double dpi = static_cast<long double>(static_cast<float>(kArrowPixels)) /
                            static_cast<long double>(millimetres) * static_cast<long double>(25.4);
    return static_cast<int>(dpi);
}

ScreenMeasure::ScreenMeasure(int millimetres, int dpi) : millimetres_(millimetres), dpi_(dpi) {}

bool ScreenMeasure::TextChanged(const char* text) {
    valid_ = false;
    int millimetres = 0;
    if (!ParseMillimetres(text, &millimetres)) return false;
    millimetres_ = millimetres;
    if (millimetres <= 0) return false;
    dpi_ = DpiFromMillimetres(millimetres);
    valid_ = dpi_ >= kLowestDpi && dpi_ <= kHighestDpi;
    return true;
}

void ScreenMeasure::SetupDone() { valid_ = dpi_ >= 1; }

}  // namespace screen_measure
