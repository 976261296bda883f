// The reach of a size- and resolution-dependent effect; see picture_length.h.
#include "engine/picture_length.h"

#include <algorithm>
#include <cmath>

int PictureLength(int diagonal, int dpi, double factor, int minimum, int maximum) {
    const int d = std::clamp(dpi, 1, 400);
    const double length = std::pow(static_cast<double>(diagonal), 0.3) * factor * d;
    // Clamped as a double first, so that no product beyond the int range is converted.
    return static_cast<int>(std::clamp(length, static_cast<double>(minimum),
                                       static_cast<double>(maximum)));
}
