// The committed dialog resources are exactly what tools/make_dialog_resources writes, in the
// forms the dialogs read: the 24-byte empty templates, the ground and screen dialogs' templates
// with their titles and without a system menu, the picture button tests' template with its two
// owner-drawn buttons, 32 × 32 cursors with their hot spots, and a 200 × 200 8-bit progress
// picture whose canvas area is pure white inside its frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/dib.h"
#include "imaging/int_helpers.h"
#include "platform/native_module.h"
#include "tests/support/files.h"

namespace {

const char* const kFiles[] = {"zo.dlg",    "zomaterial.dlg", "zoscreen.dlg", "about.dlg",
                              "odbuttons.dlg", "zo.ico",     "hand1.cur",    "hand2.cur",
                              "hand3.cur", "mat.cur",        "progress.bmp"};

std::string Committed(const char* name) {
    return std::string(ZO_SOURCE_DIR) + "/resources/dialogs/" + name;
}

}  // namespace

TEST(DialogResourcesGenerated, GeneratorReproducesTheCommittedFiles) {
    const test_files::ScratchFolder folder("zo_dialog_resources_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_DIALOG_RESOURCES, folder.Path()));
    for (const char* name : kFiles) {
        const std::vector<uint8_t> generated = test_files::ReadAll(folder.PathOf(name));
        EXPECT_FALSE(generated.empty()) << name;
        EXPECT_TRUE(generated == test_files::ReadAll(Committed(name)))
            << name << " differs from its recipe";
    }
}

TEST(DialogResourcesGenerated, TheEmptyTemplatesAreVisibleWindowsOfOneByOneUnits) {
    const struct {
        const char* file;
        uint32_t style;
        const char* what;
    } cases[] = {
        {"zo.dlg", 0x90C80080u, "WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME"},
        {"about.dlg", 0x50800000u, "WS_CHILD | WS_VISIBLE | WS_BORDER"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(c.file));
        ASSERT_EQ(b.size(), 24u);
        EXPECT_EQ(ReadLittleUint32(&b[0]), c.style) << c.what;
        EXPECT_EQ(ReadLittleUint32(&b[4]), 0u) << "no extended style";
        EXPECT_EQ(ReadLittleUint16(&b[8]), 0) << "no items";
        EXPECT_EQ(ReadLittleUint16(&b[14]), 1);
        EXPECT_EQ(ReadLittleUint16(&b[16]), 1);
        for (size_t i = 18; i < 24; ++i) EXPECT_EQ(b[i], 0) << "no menu, the default class, no title";
    }
}

TEST(DialogResourcesGenerated, ThePictureButtonTemplateHoldsTwoOwnerDrawnButtons) {
    const std::vector<uint8_t> b = test_files::ReadAll(Committed("odbuttons.dlg"));
    ASSERT_EQ(b.size(), 24u + 26 + 2 + 26);
    EXPECT_EQ(ReadLittleUint16(&b[8]), 2) << "two items";
    const int ids[2] = {201, 202};
    for (int i = 0; i < 2; ++i) {
        const size_t item = 24 + 28 * i;  // each item on a 4-byte boundary
        EXPECT_EQ(ReadLittleUint32(&b[item]), 0x5000000Bu)
            << "WS_CHILD | WS_VISIBLE | BS_OWNERDRAW";
        EXPECT_EQ(ReadLittleUint16(&b[item + 16]), ids[i]);
        EXPECT_EQ(ReadLittleUint16(&b[item + 18]), 0xFFFF);
        EXPECT_EQ(ReadLittleUint16(&b[item + 20]), 0x0080) << "the button class";
    }
}

TEST(DialogResourcesGenerated, TheGroundAndScreenTemplatesAreTitledPopupsWithoutASystemMenu) {
    const struct {
        const char* file;
        std::u16string title;
    } cases[] = {{"zomaterial.dlg", u"下地"}, {"zoscreen.dlg", u"スクリ－ン解像度の設定"}};
    for (const auto& c : cases) {
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(c.file));
        ASSERT_EQ(b.size(), 24u + 2 * c.title.size()) << c.file;
        EXPECT_EQ(ReadLittleUint32(&b[0]), 0x90C00080u)
            << c.file << ": WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME";
        EXPECT_EQ(ReadLittleUint32(&b[4]), 0u) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[8]), 0) << c.file << ": no items";
        EXPECT_EQ(ReadLittleUint16(&b[10]), 0) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[12]), 0) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[14]), 1) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[16]), 1) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[18]), 0) << c.file << ": no menu";
        EXPECT_EQ(ReadLittleUint16(&b[20]), 0) << c.file << ": the default class";
        std::u16string title;
        for (size_t o = 22; o + 2 < b.size(); o += 2)
            title.push_back(static_cast<char16_t>(ReadLittleUint16(&b[o])));
        EXPECT_EQ(title, c.title) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[b.size() - 2]), 0) << c.file << ": the title's terminator";
    }
}

TEST(DialogResourcesGenerated, CursorsAre32By32MonochromeWithTheirHotSpots) {
    const struct {
        const char* file;
        int hotX, hotY;
    } cases[] = {{"hand1.cur", 4, 1}, {"hand2.cur", 3, 7}, {"hand3.cur", 14, 16}, {"mat.cur", 11, 15}};
    for (const auto& c : cases) {
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(c.file));
        ASSERT_EQ(b.size(), 22u + 40 + 8 + 256) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[2]), 2) << c.file << ": a cursor";
        EXPECT_EQ(b[6], 32) << c.file;
        EXPECT_EQ(b[7], 32) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[10]), c.hotX) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[12]), c.hotY) << c.file;
        EXPECT_EQ(ReadLittleUint16(&b[22 + 14]), 1) << c.file << ": one bit per pixel";
        // The hot spot is on the drawing, not on a transparent pixel: its AND bit is 0.
        const size_t andMask = 22 + 40 + 8 + 128;
        const size_t row = andMask + static_cast<size_t>(31 - c.hotY) * 4;
        EXPECT_EQ(b[row + c.hotX / 8] & (0x80 >> (c.hotX % 8)), 0) << c.file;
    }
}

TEST(DialogResourcesGenerated, TheProgressPictureHasAPureWhiteCanvasInsideItsArea) {
    // The native module holds the bitmap as the plug-ins do: info header, palette, pixels.
    std::unique_ptr<TDib> progress = TDib::FromResource(platform::NativeModuleHandle("Zo_Mor"), "PROGRESS");
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->Width(), 200);
    EXPECT_EQ(progress->Height(), 200);
    EXPECT_EQ(progress->BitCount(), 8);
    platform::ResourceBytes bytes;
    ASSERT_TRUE(platform::FindResourceBytes(platform::NativeModuleHandle("Zo_Mor"), "PROGRESS",
                                            platform::kBitmapType, &bytes));
    EXPECT_EQ(bytes.size, 41064u);
    auto white = [&](int x, int y) {
        const uint8_t* c = progress->Palette() + 4 * progress->Row(y)[x];
        return c[0] == 255 && c[1] == 255 && c[2] == 255;
    };
    int whiteInArea = 0, whiteOutside = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inArea = x >= 10 && x < 170 && y >= 23 && y < 173;
            (inArea ? whiteInArea : whiteOutside) += white(x, y);
        }
    EXPECT_EQ(whiteOutside, 0) << "only the canvas is pure white";
    EXPECT_EQ(whiteInArea, 154 * 144) << "the canvas inside a 3-pixel frame";
    EXPECT_TRUE(white(13, 26));
    EXPECT_FALSE(white(10, 23)) << "the frame";
}
