// The output resolution: the picture thought of as printed on the chosen paper of the size list
// (string 122: name, width, height in millimetres, portrait), or at the screen's or the
// picture's own resolution.
#pragma once

#include "plugin/filter_settings.h"

// Writes to *dpi the resolution for a width × height picture on size-list entry sizeIndex:
// 0 or less the image dpi, 1 the screen dpi, a paper its fitting resolution limited to
// 10..400, an entry without paper size (or a picture without size) the screen dpi.
void GetOutputDpi(const FilterEnvironment& environment, int sizeIndex, int width, int height,
                  int* dpi);
