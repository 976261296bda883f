// The state of one filter call: everything the plug-in holds from reading its settings to
// handing the picture back. The filter call makes one for its length and passes it to what
// needs it (the dialogs, the driver, the ground loader); nothing of it outlives the call. The
// destructor frees the painting engine first, then the ground texture and the held image,
// which the engine refers to. Two things live with the library instead, since they span
// calls: the status text of the last painting (plugin/driver.h, empty at load and never
// cleared) and the flag that refuses a call made while one runs (plugin/win32/run_filter.cpp).
#pragma once

#include <cstdint>
#include <memory>

#include "engine/expert_base.h"
#include "imaging/bitmap_header.h"
#include "imaging/dib.h"
#include "plugin/filter_settings.h"
#include "plugin/material.h"

// Room for a Win32 path (MAX_PATH).
constexpr int kSettingsPathSize = 260;

struct FilterCall {
    FilterSettings settings;           // the plug-in's record, from its ".dat" file
    FilterEnvironment environment;     // screen scale and resolution, the picture's dpi
    char settingsPath[kSettingsPathSize] = "";  // the ".dat" file; empty when unnamed
    char profilePath[kSettingsPathSize] = "";   // the shared ".ini" file; empty when unnamed
    Ground ground;                     // the loaded ground; settings.ground points into it
    std::unique_ptr<TDib> image;       // the held image: the host's picture, painted in place
    std::unique_ptr<ExpertBase> engine;  // the style engine while a painting runs
};

// The host's picture is a 40-byte bitmap information header directly followed by 24-bit rows.
// True, with its header, when it is one the filter can take: 24 bits, uncompressed, bottom-up,
// a positive size within what a TDib holds.
bool ReadHostHeader(const uint8_t* picture, BitmapInfoHeader* header);

// Makes the held image from the host's picture, with pixels per metre of `dpi`.
// 0, changing nothing, when an image is held or the picture is null or unsupported; 0 when
// the image cannot be created; else 1.
int CopyImageIn(FilterCall& call, const uint8_t* picture, int dpi);

// Copies the held image's pixels over the host's rows; nothing when none is held or the
// picture's size is not the held image's.
void CopyImageOut(const FilterCall& call, uint8_t* picture);
