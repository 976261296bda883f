// Per-library state of the plug-in frame: the module handle, the identity of the plug-in that
// the frame is linked into, and the image held during a filter call.
#pragma once

#include <cstdint>

#include "engine/expert_base.h"
#include "imaging/dib.h"
#include "platform/platform.h"

// What distinguishes one plug-in from another; each plug-in library defines kPluginIdentity.
struct PluginIdentity {
    const char* title;             // code page 932 text for FilterGetTitle
    ExpertBase* (*newExpert)();    // the style engine; null when it cannot be allocated
};
extern const PluginIdentity kPluginIdentity;

platform::ModuleHandle PluginModule();
void SetPluginModule(platform::ModuleHandle module);

// The host's picture: a 40-byte BITMAPINFOHEADER directly followed by 24-bit rows.
constexpr int kHostHeaderSize = 40;

// Bytes of the host picture's 24-bit rows (height × row bytes) from its header; -1 when the
// size is negative or larger than a TDib holds.
int64_t HostImageBytes(const uint8_t* picture);

// True when the packed picture is one the filter can take: 24 bits, uncompressed, bottom-up,
// positive size within the process's limits.
bool IsSupportedHostDib(const uint8_t* picture);

// Makes the held image from the host's picture, with pixels per metre of `dpi`.
// 0, changing nothing, when an image is held or the picture is null or unsupported; 0 when
// the image cannot be created; else 1.
int CopyImageIn(const uint8_t* picture, int dpi);
// Copies the held image's pixels over the host's rows; nothing when none is held.
void CopyImageOut(uint8_t* picture);
void DeleteImage();
TDib* HeldImage();
