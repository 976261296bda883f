// What every benchmark shares: the six-megapixel photograph it paints, a ground with relief,
// and the heap accounting that gives the peak memory of a painting.
#pragma once

#include <cstddef>
#include <memory>

#include "engine/material_info.h"
#include "imaging/dib.h"

namespace bench {

// The picture named by ZO_BENCH_PICTURE (a 24-bit BMP file), else samples/coffee.bmp enlarged
// to 3000 × 2000. Made once.
const TDib& SixMegapixelPicture();

// A fresh copy of it, as the filter call would hold it.
std::unique_ptr<TDib> CopyOf(const TDib& picture);

// A 128 × 128 ground with relief (its texture lives as long as the program).
MaterialInfo GroundWithRelief();

// Bytes the program holds on the heap now, and the most it held since the last ResetPeak.
size_t HeapNow();
size_t HeapPeak();
void ResetPeak();
// The peak becomes `bytes` when that is more: a peak read before a ResetPeak taken back.
void RaisePeak(size_t bytes);

}  // namespace bench
