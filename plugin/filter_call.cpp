// The host picture's header check and the copies of its pixels into and out of the held image.
#include "plugin/filter_call.h"

#include <cstring>

#include "imaging/resolution.h"

bool ReadHostHeader(const uint8_t* picture, BitmapInfoHeader* header) {
    // The host hands over only a pointer: its header is taken to be all there.
    if (!DecodeBitmapInfoHeader(picture, kBitmapInfoHeaderSize, header)) return false;
    if (header->width <= 0 || header->height <= 0 || header->bitCount != 24 ||
        header->compression != 0)
        return false;
    return BitmapPixelBytes(*header, TDib::kMaxImageBytes) > 0;
}

int CopyImageIn(FilterCall& call, const uint8_t* picture, int dpi) {
    BitmapInfoHeader header;
    if (call.image || !ReadHostHeader(picture, &header)) return 0;
    call.image = TDib::Create24(header.width, header.height);
    if (!call.image) return 0;
    const int32_t pelsPerMeter = PelsPerMeterFromDpi(dpi);
    call.image->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    std::memcpy(call.image->Bits(), picture + kBitmapInfoHeaderSize, call.image->ImageBytes());
    return 1;
}

void CopyImageOut(const FilterCall& call, uint8_t* picture) {
    BitmapInfoHeader header;
    if (!call.image || !ReadHostHeader(picture, &header)) return;
    // The host's header gives the size; it is the one the held image was made from.
    if (BitmapPixelBytes(header, TDib::kMaxImageBytes) !=
        static_cast<int64_t>(call.image->ImageBytes()))
        return;
    std::memcpy(picture + kBitmapInfoHeaderSize, call.image->Bits(), call.image->ImageBytes());
}
