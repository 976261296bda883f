// The engine driver with the test engine: steps, percentages, failures and their boxes.
#include <gtest/gtest.h>

#include <string>

#include "platform/native_module.h"
#include "plugin/driver.h"
#include "plugin/plugin_module.h"
#include "tests/support/pictures.h"
#include "tests/support/test_expert.h"

namespace {

using test_style::Expert;

struct DriverFixture : ::testing::Test {
    platform::ModuleHandle module = platform::NativeModuleHandle("Zo_Mor");
    FilterCall call;
    FilterSettings settings;
    std::unique_ptr<TDib> picture = test_pictures::Gradient(8, 6);

    void SetUp() override {
        ASSERT_NE(module, nullptr);
        SetPluginModule(module);
        Expert::failingPhase = 0;
        Expert::refuseNew = false;
        StatusCopy(StatusBuffer(), "");
        platform::ClearRecords();
    }
    void TearDown() override {
        DeleteExpert(call);
        Expert::failingPhase = 0;
        Expert::refuseNew = false;
    }

    // The one box shown since SetUp, or a failure.
    std::string OnlyBox() {
        const auto& boxes = platform::RecordedBoxes();
        EXPECT_EQ(boxes.size(), 1u);
        if (boxes.empty()) return "";
        EXPECT_EQ(boxes[0].caption, "Zolvane");
        return boxes[0].text;
    }
};

TEST_F(DriverFixture, StepsThroughEveryPhaseWithPercentages) {
    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 0, nullptr, module), Expert::kPhases);
    const int expected[] = {25, 50, 75, 100};
    for (int k = 1; k <= Expert::kPhases; ++k)
        EXPECT_EQ(CallExpert(call, k, picture.get(), settings, 0, nullptr, module), expected[k - 1]);
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    // One step past the last phase fails with the engine's -1 and the status text.
    EXPECT_EQ(CallExpert(call, Expert::kPhases + 1, picture.get(), settings, 0, nullptr, module), -1);
    EXPECT_EQ(OnlyBox(), "Error at -1\nTest:");
}

TEST_F(DriverFixture, StepZeroFailuresShowTheirMessage) {
    struct Case {
        const char* name;
        bool withImage, withModule, refuseNew;
        const char* message;
    } cases[] = {
        {"no image", false, true, false, "invalid DIB Error\nLow:earlier"},
        {"no module", true, false, false, "invalid Expert Instance Error\nLow:earlier"},
        {"no memory for the engine", true, true, true, "Out of Memory Error\nLow:earlier"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ClearRecords();
        StatusCopy(StatusBuffer(), "Low:earlier");
        Expert::refuseNew = c.refuseNew;
        EXPECT_EQ(CallExpert(call, 0, c.withImage ? picture.get() : nullptr, settings, 0, nullptr,
                             c.withModule ? module : nullptr),
                  -1);
        EXPECT_EQ(OnlyBox(), c.message);
        EXPECT_STREQ(StatusBuffer(), "Low:earlier") << "the driver never clears the buffer";
    }
}

TEST_F(DriverFixture, StepZeroTwiceReplacesTheEngine) {
    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 0, nullptr, module), Expert::kPhases);
    ExpertBase* first = call.engine.get();
    ASSERT_EQ(CallExpert(call, 1, picture.get(), settings, 0, nullptr, module), 25);
    const int destroyedBefore = Expert::destroyed;
    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 0, nullptr, module), Expert::kPhases);
    EXPECT_EQ(Expert::destroyed, destroyedBefore + 1);
    EXPECT_EQ(call.engine->phaseCounter, 0);
    (void)first;
}

TEST_F(DriverFixture, FailedInitializationIsSilent) {
    auto grey = TDib::Create8(4, 4);
    grey->SetPelsPerMeter(2834, 2834);
    EXPECT_EQ(CallExpert(call, 0, grey.get(), settings, 0, nullptr, module), -1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_STREQ(StatusBuffer(), "The Image is not Full Color.");
    EXPECT_NE(call.engine.get(), nullptr) << "the engine stays until DeleteExpert";
}

TEST_F(DriverFixture, AFailedStepLeavesThePhaseToRetry) {
    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 0, nullptr, module), Expert::kPhases);
    Expert::failingPhase = 1;
    EXPECT_EQ(CallExpert(call, 1, picture.get(), settings, 0, nullptr, module), -1);
    EXPECT_EQ(OnlyBox(), "Error at -1\nTest:Phase failed.");
    Expert::failingPhase = 0;
    EXPECT_EQ(CallExpert(call, 1, picture.get(), settings, 0, nullptr, module), 25);
}

TEST_F(DriverFixture, FillsTheEngineFromTheSettings) {
    settings.touchLevel = 0;
    settings.colorLevel = 2;
    settings.deformLevel = -1;
    settings.focusLevel = 2;
    settings.materialLevel = 0;
    MaterialInfo ground = {};
    settings.ground = &ground;
    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 0, nullptr, module), Expert::kPhases);
    ExpertBase* engine = call.engine.get();
    EXPECT_EQ(engine->touchLevel, 0);
    EXPECT_EQ(engine->colorLevel, 2);
    EXPECT_EQ(engine->deformLevel, -1) << "sign-extended";
    EXPECT_EQ(engine->focusLevel, 2);
    EXPECT_EQ(engine->materialLevel, 0);
    EXPECT_EQ(engine->ground, &ground);
    EXPECT_EQ(engine->source, picture.get());
    EXPECT_EQ(engine->status, StatusBuffer());
    EXPECT_EQ(engine->module, module);
    EXPECT_EQ(engine->phaseCounter, 0);
}

TEST_F(DriverFixture, RegionCountIsCappedAtTwenty) {
    EllipseRegion regions[25] = {};
    for (int i = 0; i < 25; ++i) regions[i].centerX = 100 + i;
    struct Case {
        int count, recorded, copied;
    } cases[] = {{25, 20, 20}, {3, 3, 3}, {0, 0, 0}, {-3, -3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, c.count, regions, module), Expert::kPhases);
        ExpertBase* engine = call.engine.get();
        EXPECT_EQ(engine->regionCount, c.recorded);
        for (int i = 0; i < kMaxRegions; ++i)
            EXPECT_EQ(engine->regions[i].centerX, i < c.copied ? 100 + i : 0) << i;
    }
    // A count without records would copy from nowhere: the engine gets no regions.
    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 3, nullptr, module), Expert::kPhases);
    EXPECT_EQ(call.engine->regionCount, 0);
}

TEST_F(DriverFixture, StepWithoutEngine) {
    StatusCopy(StatusBuffer(), "Form:");
    EXPECT_EQ(CallExpert(call, 1, picture.get(), settings, 0, nullptr, module), -1);
    EXPECT_EQ(OnlyBox(), "Expert Instance Lost Error\nForm:");

    ASSERT_EQ(CallExpert(call, 0, picture.get(), settings, 0, nullptr, module), Expert::kPhases);
    DeleteExpert(call);
    platform::ClearRecords();
    EXPECT_EQ(CallExpert(call, 1, picture.get(), settings, 0, nullptr, module), -1);
    EXPECT_EQ(OnlyBox(), "Expert Instance Lost Error\nForm:");
}

TEST_F(DriverFixture, PaintStepUsesTheHeldImage) {
    EXPECT_EQ(PaintStep(call, 0, nullptr, settings, 0, nullptr), -1);
    EXPECT_TRUE(platform::RecordedBoxes().empty()) << "no image held: -1 and nothing shown";

    // A 2 × 1 host picture: header then one padded row.
    uint8_t host[40 + 8] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24};
    ASSERT_EQ(CopyImageIn(call, host, 72), 1);
    EXPECT_EQ(PaintStep(call, 0, nullptr, settings, 0, nullptr), Expert::kPhases);
    EXPECT_EQ(call.engine->source, call.image.get());
}

TEST_F(DriverFixture, ErrorBoxTextIsCutAt255Bytes) {
    StatusCopy(StatusBuffer(), std::string(300, 's').c_str());
    EXPECT_EQ(CallExpert(call, 1, picture.get(), settings, 0, nullptr, module), -1);
    const std::string text = OnlyBox();
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.rfind("Expert Instance Lost Error\nsss", 0), 0u);
}

TEST_F(DriverFixture, SamePictureSameSettingsSamePainting) {
    auto paint = [&](TDib* image) {
        EXPECT_EQ(CallExpert(call, 0, image, settings, 0, nullptr, module), Expert::kPhases);
        for (int k = 1; k <= Expert::kPhases; ++k) CallExpert(call, k, image, settings, 0, nullptr, module);
        DeleteExpert(call);
        return test_pictures::Checksum(*image);
    };
    auto a = test_pictures::Gradient(31, 17);
    auto b = test_pictures::Gradient(31, 17);
    const uint64_t original = test_pictures::Checksum(*a);
    const uint64_t first = paint(a.get());
    EXPECT_NE(first, original);
    EXPECT_EQ(paint(b.get()), first);
}

}  // namespace
