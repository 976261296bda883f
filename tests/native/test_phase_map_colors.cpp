// The default colour phase through an engine: the plug-in's colour map from its module, the
// colour level's offsets, and a phase that never fails the painting.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/color_map.h"
#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "platform/native_module.h"
#include "tests/support/pictures.h"

namespace {

struct MapColorsFixture : ::testing::Test {
    char status[kStatusSize] = "";
    ExpertBase engine;
    std::unique_ptr<TDib> picture = test_pictures::Gradient(9, 7);

    void SetUp() override {
        // A white and a saturated pixel beside the gradient's dark colours.
        std::memset(picture->Row(1) + 3 * 2, 255, 3);
        uint8_t* red = picture->Row(5) + 3 * 6;
        red[0] = 20;
        red[1] = 30;
        red[2] = 230;
        platform::ClearRecords();
    }

    void Prepare(platform::ModuleHandle module) {
        engine.module = module;
        engine.source = picture.get();
        engine.status = status;
        ASSERT_EQ(engine.Initialize(), 1);
    }

    // The picture as a ColorMap made by hand re-colours it with the module's map.
    std::unique_ptr<TDib> MappedByHand(int lightOffset, int chromaOffset) {
        auto copy = TDib::Create24(picture->Width(), picture->Height());
        std::memcpy(copy->Bits(), picture->Bits(), picture->ImageBytes());
        char ownStatus[kStatusSize];
        ColorMap map(ownStatus);
        EXPECT_EQ(map.Setup(copy.get(), copy.get(), lightOffset, chromaOffset), 1);
        EXPECT_EQ(map.LoadFromResource(platform::NativeModuleHandle("Zo_Mor"), "ColorMap"), 1);
        EXPECT_EQ(map.Run(), 1);
        return copy;
    }
};

TEST_F(MapColorsFixture, RecoloursThePictureByTheColourLevel) {
    struct Case {
        int level;
        int offset;
        int beeps;
    } cases[] = {
        {0, -2, 0},
        {1, 0, 0},
        {2, 2, 0},
        {5, 0, 1},  // out of range: a beep, then the level-1 offsets
    };
    const std::vector<uint8_t> original(picture->Bits(), picture->Bits() + picture->ImageBytes());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour level " << c.level);
        std::memcpy(picture->Bits(), original.data(), original.size());
        platform::ClearRecords();
        const auto expected = MappedByHand(c.offset, c.offset);
        Prepare(platform::NativeModuleHandle("Zo_Mor"));
        engine.colorLevel = c.level;
        EXPECT_EQ(engine.MapColors(), 1);
        EXPECT_EQ(platform::RecordedBeeps(), c.beeps);
        EXPECT_STREQ(status, "ColorMap:");
        EXPECT_EQ(test_pictures::Checksum(*picture), test_pictures::Checksum(*expected));
        EXPECT_NE(test_pictures::Checksum(*picture), test_pictures::Checksum(original.data(),
                                                                             original.size()));
        const uint8_t* white = picture->Row(1) + 3 * 2;
        EXPECT_EQ(white[0] & white[1] & white[2], 255) << "white stays white";
        const uint8_t* red = picture->Row(5) + 3 * 6;
        EXPECT_GT(red[2], red[1] + 100) << "a red stays red";
    }
}

TEST_F(MapColorsFixture, LevelsDifferInStrength) {
    const auto soft = MappedByHand(-2, -2);
    const auto strong = MappedByHand(2, 2);
    EXPECT_NE(test_pictures::Checksum(*soft), test_pictures::Checksum(*strong));
}

// A module that holds a broken colour map, or none.
const uint8_t kShortMap[100] = {4, 0, 4, 0};
const platform::NativeResource kShortResource[] = {{"ColorMap", "CMP", kShortMap, sizeof kShortMap}};
const platform::NativeResource kEmptyResource[] = {{"ColorMap", "CMP", nullptr, 1438}};
const platform::NativeResource kOtherType[] = {{"ColorMap", "MAT", kShortMap, sizeof kShortMap}};
const platform::NativeModule kShortModule = {"Short", kShortResource, 1, nullptr, 0};
const platform::NativeModule kEmptyModule = {"Empty", kEmptyResource, 1, nullptr, 0};
const platform::NativeModule kOtherTypeModule = {"Other", kOtherType, 1, nullptr, 0};
const platform::NativeModule kBareModule = {"Bare", nullptr, 0, nullptr, 0};

platform::ModuleHandle Handle(const platform::NativeModule& module) {
    return const_cast<platform::NativeModule*>(&module);
}

TEST_F(MapColorsFixture, ABrokenOrMissingMapLeavesOnlyItsText) {
    struct Case {
        const char* name;
        platform::ModuleHandle module;
        const char* status;
    } cases[] = {
        {"no colour map", Handle(kBareModule), "ColorMap:Handle resource."},
        {"no module", nullptr, "ColorMap:Handle resource."},
        {"colour map of another type", Handle(kOtherTypeModule), "ColorMap:Handle resource."},
        {"colour map of 100 bytes", Handle(kShortModule), "ColorMap:Load resource."},
        {"colour map without bytes", Handle(kEmptyModule), "ColorMap:Lock resource."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare(c.module);
        const uint64_t before = test_pictures::Checksum(*picture);
        EXPECT_EQ(engine.MapColors(), 1) << "the phase never fails the painting";
        EXPECT_STREQ(status, c.status);
        EXPECT_EQ(test_pictures::Checksum(*picture), before);
    }
}

TEST_F(MapColorsFixture, WithoutASourceTheSetupFails) {
    engine.module = platform::NativeModuleHandle("Zo_Mor");
    engine.status = status;
    EXPECT_EQ(engine.MapColors(), 1);
    EXPECT_STREQ(status, "ColorMap:Setup.");
}

}  // namespace
