#include "plugin/plugin_module.h"

#include <cstring>

#include "imaging/int_helpers.h"

namespace {

platform::ModuleHandle module = nullptr;
std::unique_ptr<TDib> heldImage;

}  // namespace

platform::ModuleHandle PluginModule() { return module; }
void SetPluginModule(platform::ModuleHandle handle) { module = handle; }

int64_t HostImageBytes(const uint8_t* picture) {
    return BoundedImageBytes(RowBytes24(ReadLittleInt32(picture + 4)), ReadLittleInt32(picture + 8),
                             TDib::kMaxImageBytes);
}

bool IsSupportedHostDib(const uint8_t* picture) {
    if (picture == nullptr) return false;
    const int32_t width = ReadLittleInt32(picture + 4);
    const int32_t height = ReadLittleInt32(picture + 8);
    const int bitCount = picture[14] | picture[15] << 8;
    const int32_t compression = ReadLittleInt32(picture + 16);
    if (width <= 0 || height <= 0 || bitCount != 24 || compression != 0) return false;
    return HostImageBytes(picture) > 0;
}

int CopyImageIn(const uint8_t* picture, int dpi) {
    if (heldImage || !IsSupportedHostDib(picture)) return 0;
    heldImage = TDib::Create24(ReadLittleInt32(picture + 4), ReadLittleInt32(picture + 8));
    if (!heldImage) return 0;
    const auto pelsPerMeter = static_cast<int32_t>(dpi * 1000 * (1 / 25.4));
    heldImage->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    std::memcpy(heldImage->Bits(), picture + kHostHeaderSize, heldImage->ImageBytes());
    return 1;
}

void CopyImageOut(uint8_t* picture) {
    if (!heldImage || picture == nullptr) return;
    // The host's header gives the size; it is the one the held image was made from.
    if (HostImageBytes(picture) != static_cast<int64_t>(heldImage->ImageBytes())) return;
    std::memcpy(picture + kHostHeaderSize, heldImage->Bits(), heldImage->ImageBytes());
}

void DeleteImage() { heldImage.reset(); }

TDib* HeldImage() { return heldImage.get(); }
