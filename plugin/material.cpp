// Loading a ground from the plug-in's resources.
#include "plugin/material.h"

#include <cstring>
#include <new>
#include <utility>

#include "imaging/cubic_spline.h"
#include "imaging/int_helpers.h"
#include "platform/platform.h"
#include "plugin/ground_list.h"
#include "plugin/plugin_module.h"

namespace {

constexpr char kMaterialType[] = "MAT";
constexpr int kHeaderSize = 80;

void FreeTexture(Ground& ground) {
    ground.texture.reset();
    ground.info.texture = nullptr;
}

// The new texture of side `side` from the resource's height map; null when memory is short.
std::unique_ptr<uint8_t[]> MakeTexture(const uint8_t* map, int side) {
    std::unique_ptr<uint8_t[]> texture(new (std::nothrow)
                                           uint8_t[static_cast<size_t>(side) * side]);
    if (!texture) return nullptr;
    if (side == kMaterialMapSide) {
        std::memcpy(texture.get(), map, kMaterialMapSide * kMaterialMapSide);
        return texture;
    }
    std::unique_ptr<CubicSpline> spline(new (std::nothrow) CubicSpline);
    if (!spline || !spline->ResizeBuffer(map, 0, 0, kMaterialMapSide, kMaterialMapSide,
                                         texture.get(), 0, 0, side, side))
        return nullptr;
    return texture;
}

void Publish(const uint8_t* resource, int side, std::unique_ptr<uint8_t[]> texture,
             Ground& ground) {
    MaterialInfo& info = ground.info;
    const bool textured = ReadLittleInt32(resource + 40) != 0;
    info.textureSide = textured ? side : 0;
    info.red = ReadLittleInt32(resource + 44);
    info.green = ReadLittleInt32(resource + 48);
    info.blue = ReadLittleInt32(resource + 52);
    info.minimum = ReadLittleInt32(resource + 56);
    info.middle = ReadLittleInt32(resource + 60);
    info.maximum = ReadLittleInt32(resource + 64);
    info.strength = ReadLittleInt32(resource + 68);
    info.noiseScale = ReadLittleInt32(resource + 72);
    info.shift = ReadLittleInt32(resource + 76);
    ground.texture = std::move(texture);
    info.texture = ground.texture.get();
}

}  // namespace

Ground::Ground() : info{0, 255, 255, 255, 255, 255, 255, 100, 50, 14, nullptr} {}

void LoadMaterial(Ground& ground, int groundIndex, int dpi, FilterSettings* settings) {
    GroundList list;
    LoadGroundList(&list);
    const char* name =
        list.count > 0 ? list.entries[GroundLine(groundIndex, list.count)].resource : "";

    ground.info.textureSide = 0;
    platform::ResourceBytes resource;
    // A resource shorter than a ground holds no complete height map.
    if (platform::FindResourceBytes(PluginModule(), name, kMaterialType, &resource) &&
        resource.size >= static_cast<size_t>(kMaterialResourceSize)) {
        const int limited = dpi < 100 ? 100 : dpi > 400 ? 400 : dpi;
        const int side = limited * kMaterialMapSide / 100;
        // Freed before the new one is made to keep the peak low; never left dangling.
        FreeTexture(ground);
        std::unique_ptr<uint8_t[]> texture = MakeTexture(resource.data + kHeaderSize, side);
        if (texture) Publish(resource.data, side, std::move(texture), ground);
    }
    if (settings != nullptr) settings->ground = &ground.info;
}

void FreeMaterial(Ground& ground) {
    FreeTexture(ground);
    ground.info.textureSide = 0;
}
