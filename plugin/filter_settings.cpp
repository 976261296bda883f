// The settings record's stored form and its file.
#include "plugin/filter_settings.h"

#include <cstdio>
#include <cstring>

#include "imaging/int_helpers.h"
#include "platform/platform.h"
#include "plugin/error_box.h"

namespace {

void Put16(uint8_t* p, int16_t v) { WriteLittleUint16(p, static_cast<uint16_t>(v)); }

int16_t Get16(const uint8_t* p) { return static_cast<int16_t>(ReadLittleUint16(p)); }

}  // namespace

void EncodeSettings(const FilterSettings& s, uint8_t bytes[kSettingsFileSize]) {
    const int16_t fields[7] = {s.sizeIndex,   s.materialLevel, s.touchLevel, s.colorLevel,
                               s.deformLevel, s.focusLevel,    s.groundIndex};
    for (int i = 0; i < 7; ++i) Put16(bytes + 2 * i, fields[i]);
    std::memcpy(bytes + 14, s.reserved1, 2);
    std::memset(bytes + 16, 0, 4);
    std::memcpy(bytes + 20, s.reserved2, 4);
}

void DecodeSettings(const uint8_t bytes[kSettingsFileSize], FilterSettings* s) {
    int16_t* fields[7] = {&s->sizeIndex,   &s->materialLevel, &s->touchLevel, &s->colorLevel,
                          &s->deformLevel, &s->focusLevel,    &s->groundIndex};
    for (int i = 0; i < 7; ++i) *fields[i] = Get16(bytes + 2 * i);
    std::memcpy(s->reserved1, bytes + 14, 2);
    std::memcpy(s->reserved2, bytes + 20, 4);
}

void SetDefaultSettings(FilterSettings* s) {
    s->sizeIndex = 1;
    s->materialLevel = s->touchLevel = s->colorLevel = s->deformLevel = s->focusLevel = 1;
    s->groundIndex = 0;
    s->ground = nullptr;
}

int ReadSettingsFile(const char* path, FilterSettings* settings) {
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) {
        SetDefaultSettings(settings);
        return 0;
    }
    // Read over the record's stored form, so that a short file changes only what it holds.
    uint8_t bytes[kSettingsFileSize];
    EncodeSettings(*settings, bytes);
    const size_t got = std::fread(bytes, 1, kSettingsFileSize, file);
    std::fclose(file);
    if (got > 0) DecodeSettings(bytes, settings);
    return 1;
}

int WriteSettingsFile(const char* path, const FilterSettings& settings) {
    uint8_t bytes[kSettingsFileSize];
    EncodeSettings(settings, bytes);
    std::FILE* file = path ? std::fopen(path, "wb") : nullptr;
    bool written = false;
    if (file != nullptr) {
        written = std::fwrite(bytes, 1, kSettingsFileSize, file) == kSettingsFileSize;
        written = std::fclose(file) == 0 && written;
    }
    if (!written) {
        platform::Beep();
        ShowError("設定情報が保存できません。");
        return 0;
    }
    return 1;
}

