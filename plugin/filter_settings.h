// The plug-in's settings record and the screen environment shared by the filter call and the
// dialogs. The record is stored as a 24-byte little-endian ".dat" file next to the module.
#pragma once

#include <cstdint>

#include "engine/material_info.h"

struct FilterSettings {
    int16_t sizeIndex = 1;      // paper-size list entry: 0 master, 1 screen, 2..10 papers, 11 settings
    int16_t materialLevel = 1;  // the five levels, 0..2
    int16_t touchLevel = 1;
    int16_t colorLevel = 1;
    int16_t deformLevel = 1;
    int16_t focusLevel = 1;
    int16_t groundIndex = 0;    // ground list entry, 0..9
    uint8_t reserved1[2] = {};
    MaterialInfo* ground = nullptr;  // set by LoadMaterial at every load; never read from the file
    uint8_t reserved2[4] = {};
};

constexpr int kSettingsFileSize = 24;

// The record's 24 bytes as stored; the ground slot is written as zeros.
void EncodeSettings(const FilterSettings& settings, uint8_t bytes[kSettingsFileSize]);
// Takes the fields from bytes; the ground slot is ignored.
void DecodeSettings(const uint8_t bytes[kSettingsFileSize], FilterSettings* settings);

// Resets the fields that a missing file leaves at their defaults (not the reserved bytes).
void SetDefaultSettings(FilterSettings* settings);

// 1 when the file was opened and read (a shorter file changes only as many bytes as it has),
// 0 when it cannot be opened (the record then holds the defaults).
int ReadSettingsFile(const char* path, FilterSettings* settings);
// 1 when written; 0 after a beep and the box "設定情報が保存できません。".
int WriteSettingsFile(const char* path, const FilterSettings& settings);

// The screen and picture resolutions of a filter call, shared by the frame and the dialogs.
struct FilterEnvironment {
    int16_t screenMm = 60;   // measured length of a 200-pixel line on the screen
    int16_t screenDpi = 84;
    int16_t imageDpi = 0;    // of the host's picture, set by the filter call
};

