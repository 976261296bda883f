// Each plug-in's own string-table entries: the style's name (201), the credit line of the filter
// dialog (202) and its caption (203), as code page 932 bytes, beside the shared entries.
#include <gtest/gtest.h>

#include <string>

#include "platform/native_module.h"
#include "platform/platform.h"

namespace {

std::string LoadFrom(const char* module, unsigned id) {
    std::string buffer(256, '\0');
    const int length =
        platform::LoadStringEntry(platform::NativeModuleHandle(module), id, &buffer[0], 256);
    buffer.resize(length > 0 ? length : 0);
    return buffer;
}

TEST(PluginStrings, EachPluginNamesItsOwnStyle) {
    struct Case {
        const char* module;
        const char* name;     // 201
        const char* credit;   // 202
        const char* caption;  // 203
    } cases[] = {
        {"Zo_Mor", "MORAVEL", "Zolvane oil paint", "MORAVEL(油彩)"},
        {"Zo_Kol", "KOLDA", "Zolvane collage", "KOLDA(コラ－ジュ)"},
        {"Zo_Gri", "GRISOV", "Zolvane drawing", "GRISOV(ﾄﾞﾛ-ｲﾝｸﾞ)"},
        {"Zo_Zav", "ZAVET", "Zolvane light wash", "ZAVET(淡彩)"},
        {"Zo_Tev", "TEVU", "Zolvane silkscreen", "TEVU(ｼﾙｸｽｸﾘ-ﾝ)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.module);
        EXPECT_EQ(LoadFrom(c.module, 201), c.name);
        EXPECT_EQ(LoadFrom(c.module, 202), c.credit);
        EXPECT_EQ(LoadFrom(c.module, 203), c.caption);
        // The shared table comes with every plug-in.
        EXPECT_EQ(LoadFrom(c.module, 120), "Zop2j");
    }
}

}  // namespace
