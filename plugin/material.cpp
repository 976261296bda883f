#include "plugin/material.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/cubic_spline.h"
#include "imaging/int_helpers.h"
#include "platform/platform.h"
#include "plugin/plugin_module.h"

namespace {

constexpr unsigned kGroundListString = 121;
constexpr int kGroundListLength = 512;
constexpr int kGroundCount = 10;
constexpr int kMaxNameLength = 63;
constexpr char kMaterialType[] = "MAT";
constexpr int kHeaderSize = 80;

// Until a ground loads, a plain white ground, so that a failed first load paints on white.
MaterialInfo material = {0, 255, 255, 255, 255, 255, 255, 100, 50, 14, nullptr};

// The resource name of triple groundIndex of the ground list (or of the last triple reached).
void GroundResourceName(int groundIndex, char* name, int nameSize) {
    char list[kGroundListLength];
    platform::LoadStringEntry(PluginModule(), kGroundListString, list, kGroundListLength);
    const char* triple = list;
    for (int position = 0; position < groundIndex; ++position) {
        // Skip the three fields; stop at the last triple when the text ends early.
        const char* next = triple;
        for (int field = 0; field < 3 && next != nullptr; ++field) {
            next = std::strchr(next, ',');
            if (next != nullptr) ++next;
        }
        if (next == nullptr || *next == '\0') break;
        triple = next;
    }
    int length = 0;
    while (triple[length] != '\0' && triple[length] != ',' && length < nameSize - 1) {
        name[length] = triple[length];
        ++length;
    }
    name[length] = '\0';
}

void FreeTexture() {
    delete[] material.texture;
    material.texture = nullptr;
}

// The new texture of side `side` from the resource's height map; null when memory is short.
uint8_t* MakeTexture(const uint8_t* map, int side) {
    std::unique_ptr<uint8_t[]> texture(new (std::nothrow)
                                           uint8_t[static_cast<size_t>(side) * side]);
    if (!texture) return nullptr;
    if (side == kMaterialMapSide) {
        std::memcpy(texture.get(), map, kMaterialMapSide * kMaterialMapSide);
        return texture.release();
    }
    std::unique_ptr<CubicSpline> spline(new (std::nothrow) CubicSpline);
    if (!spline || !spline->ResizeBuffer(map, 0, 0, kMaterialMapSide, kMaterialMapSide,
                                         texture.get(), 0, 0, side, side))
        return nullptr;
    return texture.release();
}

void Publish(const uint8_t* resource, int side, uint8_t* texture) {
    const bool textured = ReadLittleInt32(resource + 40) != 0;
    material.textureSide = textured ? side : 0;
    material.red = ReadLittleInt32(resource + 44);
    material.green = ReadLittleInt32(resource + 48);
    material.blue = ReadLittleInt32(resource + 52);
    material.minimum = ReadLittleInt32(resource + 56);
    material.middle = ReadLittleInt32(resource + 60);
    material.maximum = ReadLittleInt32(resource + 64);
    material.strength = ReadLittleInt32(resource + 68);
    material.noiseScale = ReadLittleInt32(resource + 72);
    material.shift = ReadLittleInt32(resource + 76);
    material.texture = texture;
}

}  // namespace

void LoadMaterial(int groundIndex, int dpi, FilterSettings* settings) {
    if (groundIndex < 0) groundIndex = 0;
    if (groundIndex > kGroundCount - 1) groundIndex = kGroundCount - 1;
    char name[kMaxNameLength + 1];
    GroundResourceName(groundIndex, name, sizeof name);

    material.textureSide = 0;
    platform::ResourceBytes resource;
    // A resource shorter than a ground holds no complete height map.
    if (platform::FindResourceBytes(PluginModule(), name, kMaterialType, &resource) &&
        resource.size >= static_cast<size_t>(kMaterialResourceSize)) {
        const int limited = dpi < 100 ? 100 : dpi > 400 ? 400 : dpi;
        const int side = limited * kMaterialMapSide / 100;
        // Freed before the new one is made to keep the peak low; never left dangling.
        FreeTexture();
        uint8_t* texture = MakeTexture(resource.data + kHeaderSize, side);
        if (texture != nullptr) Publish(resource.data, side, texture);
    }
    if (settings != nullptr) settings->ground = &material;
}

void FreeMaterial() {
    FreeTexture();
    material.textureSide = 0;
}

const MaterialInfo& CurrentMaterial() { return material; }
