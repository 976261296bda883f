// The settings writer's failure as the user meets it: one beep, then the plug-in's error box.
#include <gtest/gtest.h>

#include "platform/native_module.h"
#include "plugin/filter_settings.h"
#include "plugin/plugin_module.h"

namespace {

TEST(FilterSettingsWrite, FailureBeepsThenShowsTheBox) {
    SetPluginModule(platform::NativeModuleHandle("Zo_Mor"));
    platform::ClearRecords();
    const FilterSettings settings;
    EXPECT_EQ(WriteSettingsFile("no-such-folder/Zo_Mor.dat", settings), 0);
    EXPECT_EQ(platform::RecordedBeeps(), 1);
    const auto& boxes = platform::RecordedBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "設定情報が保存できません。");
    EXPECT_EQ(boxes[0].caption, "Zolvane");

    platform::ClearRecords();
    EXPECT_EQ(WriteSettingsFile(nullptr, settings), 0) << "no name is a failure too";
    EXPECT_EQ(platform::RecordedBeeps(), 1);
    EXPECT_EQ(platform::RecordedBoxes().size(), 1u);
    platform::ClearRecords();
}

}  // namespace
