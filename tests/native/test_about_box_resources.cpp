// What every plug-in carries for its About box: its cover, exactly what tools/make_covers
// writes, as COVER, 150 × 170 pixels at 8 bits with a colour table of 256 entries, a picture of
// many colours and not another plug-in's. The box's texts are with the plug-ins' strings.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "imaging/dib.h"
#include "imaging/int_helpers.h"
#include "platform/native_module.h"
#include "tests/support/files.h"

namespace {

const struct {
    const char* module;
    const char* file;
} kPlugins[] = {{"Zo_Mor", "moravel.bmp"}, {"Zo_Kol", "kolda.bmp"}, {"Zo_Gri", "grisov.bmp"},
                {"Zo_Zav", "zavet.bmp"},   {"Zo_Tev", "tevu.bmp"}};

std::string Committed(const char* file) {
    return std::string(ZO_SOURCE_DIR) + "/resources/covers/" + file;
}

}  // namespace

TEST(CoversGenerated, GeneratorReproducesTheCommittedFiles) {
    const test_files::ScratchFolder folder("zo_covers_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_COVERS, folder.Path()));
    for (const auto& plugin : kPlugins) {
        const std::vector<uint8_t> made = test_files::ReadAll(folder.PathOf(plugin.file));
        EXPECT_FALSE(made.empty()) << plugin.file;
        EXPECT_TRUE(made == test_files::ReadAll(Committed(plugin.file)))
            << plugin.file << " differs from its recipe";
    }
}

TEST(CoversGenerated, EveryPluginCarriesItsOwnEightBitCover) {
    std::set<std::vector<uint8_t>> pictures;
    for (const auto& plugin : kPlugins) {
        SCOPED_TRACE(plugin.module);
        platform::ModuleHandle module = platform::NativeModuleHandle(plugin.module);
        platform::ResourceBytes bytes;
        ASSERT_TRUE(platform::FindResourceBytes(module, "COVER", platform::kBitmapType, &bytes));
        ASSERT_EQ(bytes.size, 40u + 256 * 4 + 152 * 170)
            << "info header, colour table, rows of 152 bytes";
        EXPECT_EQ(ReadLittleUint32(bytes.data), 40u);
        EXPECT_EQ(ReadLittleUint16(bytes.data + 14), 8u) << "bits per pixel";
        EXPECT_EQ(ReadLittleUint32(bytes.data + 16), 0u) << "uncompressed";
        EXPECT_EQ(ReadLittleUint32(bytes.data + 32), 256u) << "a colour table of 256 entries";

        std::unique_ptr<TDib> cover = TDib::FromResource(module, "cover");
        ASSERT_TRUE(cover);
        EXPECT_EQ(cover->Width(), 150);
        EXPECT_EQ(cover->Height(), 170);
        EXPECT_EQ(cover->BitCount(), 8);
        std::set<uint32_t> colours;
        for (int y = 0; y < cover->Height(); ++y)
            for (int x = 0; x < cover->Width(); ++x)
                colours.insert(ReadLittleUint32(cover->Palette() + 4 * cover->Row(y)[x]) & 0xFFFFFFu);
        EXPECT_GE(colours.size(), 6u) << "a picture, not a flat sheet (the silkscreen has 8 inks)";
        pictures.insert(std::vector<uint8_t>(bytes.data, bytes.data + bytes.size));
    }
    EXPECT_EQ(pictures.size(), 5u) << "each plug-in shows its own style";
}
