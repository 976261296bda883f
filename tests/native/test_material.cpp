// LoadMaterial / FreeMaterial: a filter call's ground, from the plug-in's "MAT" resources.
#include "plugin/material.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/native_module.h"
#include "plugin/plugin_module.h"

namespace {

struct GroundValues {
    bool textured;
    int red, green, blue, minimum, middle, maximum, strength, noiseScale, shift;
};

constexpr GroundValues kPaper1 = {false, 255, 255, 255, 255, 255, 255, 100, 50, 14};
constexpr GroundValues kPaper4 = {true, 255, 255, 255, 167, 204, 242, 100, 70, 10};
constexpr GroundValues kCanvas3 = {true, 228, 146, 84, 2, 151, 243, 80, 50, 12};
constexpr GroundValues kWood1 = {true, 174, 80, 25, 87, 183, 230, 50, 90, 12};

bool HasValues(const MaterialInfo& m, const GroundValues& v) {
    return m.red == v.red && m.green == v.green && m.blue == v.blue && m.minimum == v.minimum &&
           m.middle == v.middle && m.maximum == v.maximum && m.strength == v.strength &&
           m.noiseScale == v.noiseScale && m.shift == v.shift;
}

// The 64 × 64 height map of a ground resource of the real module.
std::vector<uint8_t> HeightMap(const char* resource) {
    platform::ResourceBytes bytes;
    if (!platform::FindResourceBytes(platform::NativeModuleHandle("Zo_Mor"), resource, "MAT",
                                     &bytes) ||
        bytes.size != kMaterialResourceSize)
        return {};
    return std::vector<uint8_t>(bytes.data + 80, bytes.data + kMaterialResourceSize);
}

class MaterialTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedModule_ = PluginModule();
        SetPluginModule(platform::NativeModuleHandle("Zo_Mor"));
        ASSERT_NE(PluginModule(), nullptr);
    }
    void TearDown() override {
        FreeMaterial(ground_);
        SetPluginModule(savedModule_);
    }

    Ground ground_;
    FilterSettings settings_;

private:
    platform::ModuleHandle savedModule_ = nullptr;
};

TEST_F(MaterialTest, GroundIndexIsLimitedToTheList) {
    struct Case {
        int groundIndex;
        GroundValues values;
    };
    const Case cases[] = {{-5, kPaper1}, {0, kPaper1}, {3, kPaper4},
                          {6, kCanvas3}, {9, kWood1},  {12, kWood1}};
    for (const Case& c : cases) {
        settings_.ground = nullptr;
        LoadMaterial(ground_, c.groundIndex, 100, &settings_);
        const MaterialInfo& m = ground_.info;
        EXPECT_TRUE(HasValues(m, c.values)) << "index " << c.groundIndex;
        EXPECT_EQ(m.textureSide, c.values.textured ? 64 : 0) << "index " << c.groundIndex;
        EXPECT_EQ(settings_.ground, &m) << "index " << c.groundIndex;
    }
}

TEST_F(MaterialTest, PlainGroundHasNoReliefButPublishesItsColour) {
    LoadMaterial(ground_, 9, 100, &settings_);
    ASSERT_EQ(ground_.info.red, 174);
    LoadMaterial(ground_, 0, 100, &settings_);
    EXPECT_EQ(ground_.info.textureSide, 0);
    EXPECT_TRUE(HasValues(ground_.info, kPaper1));
}

TEST_F(MaterialTest, TextureSideFollowsTheResolution) {
    const std::vector<uint8_t> map = HeightMap("WOOD1");
    ASSERT_EQ(map.size(), 64u * 64u);
    const struct {
        int dpi, side;
    } cases[] = {{-5, 64},   {72, 64},   {100, 64},  {150, 96},  {200, 128},
                 {300, 192}, {399, 255}, {400, 256}, {1000, 256}};
    for (const auto& c : cases) {
        LoadMaterial(ground_, 9, c.dpi, &settings_);
        const MaterialInfo& m = ground_.info;
        ASSERT_EQ(m.textureSide, c.side) << "dpi " << c.dpi;
        ASSERT_NE(m.texture, nullptr);
        const int n = m.textureSide;
        if (n == 64) {
            EXPECT_EQ(std::vector<uint8_t>(m.texture, m.texture + 64 * 64), map) << "dpi " << c.dpi;
            continue;
        }
        // Wherever a texel falls exactly on a map pixel it is that pixel.
        int exact = 0;
        for (int k = 0; k < n; ++k)
            for (int l = 0; l < n; ++l) {
                if ((k * 64) % n != 0 || (l * 64) % n != 0) continue;
                ++exact;
                ASSERT_EQ(m.texture[k * n + l], map[(k * 64 / n) * 64 + l * 64 / n])
                    << "dpi " << c.dpi << " at " << l << "," << k;
            }
        EXPECT_GT(exact, 0);
    }
}

TEST_F(MaterialTest, FreeForgetsTheTexture) {
    LoadMaterial(ground_, 5, 200, &settings_);
    ASSERT_EQ(ground_.info.textureSide, 128);
    FreeMaterial(ground_);
    EXPECT_EQ(ground_.info.textureSide, 0);
    EXPECT_EQ(ground_.info.texture, nullptr);
    FreeMaterial(ground_);  // twice is harmless
    LoadMaterial(ground_, 5, 200, &settings_);
    EXPECT_EQ(ground_.info.textureSide, 128);
}

// A module whose ground list names a resource that is cut short and one that is missing.
class BrokenGroundsTest : public MaterialTest {
protected:
    void SetUp() override {
        MaterialTest::SetUp();
        platform::ResourceBytes paper1;
        ASSERT_TRUE(platform::FindResourceBytes(PluginModule(), "PAPER1", "MAT", &paper1));
        resources_[0] = {"PAPER1", "MAT", paper1.data, paper1.size};
        resources_[1] = {"SHORT", "MAT", paper1.data, kMaterialResourceSize - 1};
        module_ = {"Broken", resources_, 2, strings_, 1};
        realModule_ = PluginModule();
    }

    void UseBrokenModule() { SetPluginModule(&module_); }

    platform::ModuleHandle realModule_ = nullptr;

private:
    platform::NativeResource resources_[2];
    const platform::NativeString strings_[1] = {{121, "PAPER1,a,b,SHORT,c,d,GONE,e,f"}};
    platform::NativeModule module_{};
};

TEST_F(BrokenGroundsTest, FailedLoadKeepsTheLastValuesWithoutRelief) {
    const struct {
        const char* what;
        int groundIndex;
    } cases[] = {{"resource cut short", 1}, {"resource missing", 2}, {"list ends early", 9}};
    for (const auto& c : cases) {
        SetPluginModule(realModule_);
        LoadMaterial(ground_, 6, 100, &settings_);
        ASSERT_EQ(ground_.info.textureSide, 64);
        UseBrokenModule();
        settings_.ground = nullptr;
        LoadMaterial(ground_, c.groundIndex, 100, &settings_);
        EXPECT_EQ(ground_.info.textureSide, 0) << c.what;
        EXPECT_TRUE(HasValues(ground_.info, kCanvas3)) << c.what;
        EXPECT_EQ(settings_.ground, &ground_.info) << c.what;
    }
    // The broken module's first entry still loads.
    LoadMaterial(ground_, 0, 100, &settings_);
    EXPECT_TRUE(HasValues(ground_.info, kPaper1));
}

TEST_F(BrokenGroundsTest, NoModuleLoadsNothingButStoresTheReference) {
    LoadMaterial(ground_, 9, 150, &settings_);
    SetPluginModule(nullptr);
    settings_.ground = nullptr;
    LoadMaterial(ground_, 9, 150, &settings_);
    EXPECT_EQ(ground_.info.textureSide, 0);
    EXPECT_TRUE(HasValues(ground_.info, kWood1));
    EXPECT_EQ(settings_.ground, &ground_.info);
    LoadMaterial(ground_, 9, 150, nullptr);  // no record: nothing to store into
}

TEST(MaterialBeforeLoad, IsPlainWhiteAndStaysSoAfterAFailedFirstLoad) {
    Ground ground;
    const MaterialInfo& m = ground.info;
    EXPECT_EQ(m.textureSide, 0);
    EXPECT_EQ(m.texture, nullptr);
    EXPECT_TRUE(HasValues(m, kPaper1));
    // A first load that fails leaves the white ground, not a black one.
    const platform::ModuleHandle saved = PluginModule();
    SetPluginModule(nullptr);
    FilterSettings settings;
    LoadMaterial(ground, 6, 100, &settings);
    SetPluginModule(saved);
    EXPECT_EQ(m.textureSide, 0);
    EXPECT_TRUE(HasValues(m, kPaper1));
    EXPECT_EQ(settings.ground, &m);
}

}  // namespace
