// The same picture gives the same painting: twice in one load, in a fresh load, in another
// product's test plug-in, and the same bytes as the native build of the test engine (the
// checksum in tests/data/test_engine_coffee.txt).
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "tests/support/test_module.h"
#include "tests/win32/win32_test_support.h"

namespace {

std::string RecordedChecksum() { return RecordedTestEngineChecksum(); }

std::string Hex(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

std::vector<uint8_t> Coffee() {
    std::vector<uint8_t> picture;
    std::string error;
    EXPECT_TRUE(ReadBmpFile(SourcePath("samples/coffee.bmp"), &picture, &error)) << error;
    return picture;
}

std::vector<uint8_t> Paint(PluginCopy* plugin, std::vector<uint8_t> picture) {
    BoxCloser boxes;
    EXPECT_EQ(plugin->filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    EXPECT_TRUE(boxes.Boxes().empty());
    return picture;
}

}  // namespace

TEST(Determinism, CoffeePaintsToTheNativeChecksumEveryTime) {
    SetDialogMode("");
    const auto coffee = Coffee();
    ASSERT_FALSE(coffee.empty());
    std::vector<uint8_t> first, second, fresh, other;
    {
        PluginCopy plugin("ZoTest_Mor");
        ASSERT_TRUE(plugin.Loaded());
        first = Paint(&plugin, coffee);
        second = Paint(&plugin, coffee);
    }
    {
        PluginCopy plugin("ZoTest_Mor");
        fresh = Paint(&plugin, coffee);
    }
    {
        PluginCopy plugin("ZoTest_Tev");
        other = Paint(&plugin, coffee);
    }
    EXPECT_NE(first, coffee);
    EXPECT_EQ(second, first);
    EXPECT_EQ(fresh, first);
    EXPECT_EQ(other, first);
    EXPECT_EQ(Hex(PixelChecksum(first)), RecordedChecksum());
    EXPECT_EQ(first, ReferencePainting(coffee, 3307)) << "this program's own driver agrees";
}
