// The largest font height at which a text fits a width, searched from the given height down.
#include "dialogs/fitting_font_height.h"

int FittingFontHeight(int height, int room, const std::function<int(int height)>& measure) {
    if (height == 0) return 0;
    const int sign = height < 0 ? -1 : 1;
    int candidate = height;
    while (candidate != sign && measure(candidate) > room) candidate -= sign;
    return candidate;
}
