// Each plug-in's own string-table entries: the style's name (201), the credit line of the filter
// dialog (202) and its caption (203), as code page 932 bytes, beside the shared entries; and its
// About box's texts (204, 205) and fonts (108..110) within what the box's statics keep.
#include <gtest/gtest.h>

#include <string>

#include "platform/native_module.h"
#include "tests/support/test_module.h"

namespace {

const struct {
    const char* module;
    const char* name;     // 201
    const char* credit;   // 202
    const char* caption;  // 203
} kPlugins[] = {
    {"Zo_Mor", "MORAVEL", "Zolvane oil paint", "MORAVEL(油彩)"},
    {"Zo_Kol", "KOLDA", "Zolvane collage", "KOLDA(コラ－ジュ)"},
    {"Zo_Gri", "GRISOV", "Zolvane drawing", "GRISOV(ﾄﾞﾛ-ｲﾝｸﾞ)"},
    {"Zo_Zav", "ZAVET", "Zolvane light wash", "ZAVET(淡彩)"},
    {"Zo_Tev", "TEVU", "Zolvane silkscreen", "TEVU(ｼﾙｸｽｸﾘ-ﾝ)"},
};

TEST(PluginStrings, EachPluginNamesItsOwnStyle) {
    for (const auto& c : kPlugins) {
        SCOPED_TRACE(c.module);
        platform::ModuleHandle module = platform::NativeModuleHandle(c.module);
        EXPECT_EQ(LoadEntry(module, 201), c.name);
        EXPECT_EQ(LoadEntry(module, 202), c.credit);
        EXPECT_EQ(LoadEntry(module, 203), c.caption);
        // The shared table comes with every plug-in.
        EXPECT_EQ(LoadEntry(module, 120), "Zop2j");
    }
}

TEST(AboutBoxTexts, EveryPluginNamesItsStyleAndTheProductWithinTheStaticsLimits) {
    for (const auto& plugin : kPlugins) {
        SCOPED_TRACE(plugin.module);
        platform::ModuleHandle module = platform::NativeModuleHandle(plugin.module);
        // The statics keep 255 and 79 bytes of code page 932 text.
        const std::string description = LoadEntry(module, 204), product = LoadEntry(module, 205);
        EXPECT_GT(description.size(), 20u);
        EXPECT_LE(description.size(), 255u);
        EXPECT_GT(product.size(), 0u);
        EXPECT_LE(product.size(), 79u);
        EXPECT_EQ(product.find("Zolvane 1.0"), 0u) << product << ": the product's name and version";
        EXPECT_NE(product.find(plugin.name), std::string::npos) << product;
        const struct {
            unsigned id;
            const char* text;
        } fonts[] = {{108, "Arial,-20,0,0,0,700,34,0,0,0,0,2,0,2"},
                     {109, "ＭＳ ゴシック,-14,0,0,0,400,34,0,0,0,128,2,0,2"},
                     {110, "Arial,-12,0,0,0,400,34,0,0,0,0,2,0,2"}};
        for (const auto& font : fonts) EXPECT_EQ(LoadEntry(module, font.id), font.text) << font.id;
    }
}

}  // namespace
