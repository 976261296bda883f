// GetOutputDpi: the paper-size list of the plug-in's string table turned into a resolution.
#include "plugin/output_dpi.h"

#include <gtest/gtest.h>

#include "platform/native_module.h"
#include "plugin/filter_settings.h"
#include "plugin/plugin_module.h"

namespace {

constexpr int kScreenDpi = 91;
constexpr int kImageDpi = 300;

class OutputDpiTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedModule_ = PluginModule();
        SetPluginModule(platform::NativeModuleHandle("Zo_Mor"));
        ASSERT_NE(PluginModule(), nullptr);
        environment_.screenMm = 60;
        environment_.screenDpi = kScreenDpi;
        environment_.imageDpi = kImageDpi;
    }
    void TearDown() override { SetPluginModule(savedModule_); }

    int Dpi(int sizeIndex, int width, int height) const {
        int dpi = -12345;
        GetOutputDpi(environment_, sizeIndex, width, height, &dpi);
        return dpi;
    }

    FilterEnvironment environment_;

private:
    platform::ModuleHandle savedModule_ = nullptr;
};

TEST_F(OutputDpiTest, SizeListEntriesGiveTheirResolutions) {
    struct Case {
        const char* what;
        int sizeIndex, width, height, dpi;
    };
    const Case cases[] = {
        {"A4 portrait, taller than the paper", 5, 1000, 1500, 129},
        {"A4 landscape, paper turned", 5, 1500, 1000, 129},
        {"business card, turned and narrowed", 10, 640, 480, 223},
        {"A4, small picture", 5, 100, 100, 13},
        {"A4, lower limit", 5, 20, 20, 10},
        {"business card, upper limit", 10, 20000, 20000, 400},
        {"B3 square", 2, 3000, 3000, 210},
        {"postcard, narrowed", 9, 1000, 1500, 260},
        {"so tall that the narrowed paper has no width", 5, 1, 100000, 400},
        {"master", 0, 640, 480, kImageDpi},
        {"below the list", -4, 640, 480, kImageDpi},
        {"screen", 1, 640, 480, kScreenDpi},
        {"the settings entry", 11, 640, 480, kScreenDpi},
        {"past the list", 12, 640, 480, kScreenDpi},
        {"far past the list", 40, 640, 480, kScreenDpi},
        {"no width", 5, 0, 480, kScreenDpi},
        {"no height", 5, 640, 0, kScreenDpi},
        {"negative width", 5, -640, 480, kScreenDpi},
        {"master without size", 0, 0, 0, kImageDpi},
    };
    for (const Case& c : cases) EXPECT_EQ(Dpi(c.sizeIndex, c.width, c.height), c.dpi) << c.what;
}

TEST_F(OutputDpiTest, WithoutTheSizeListEveryPaperGivesTheScreenDpi) {
    SetPluginModule(nullptr);
    EXPECT_EQ(Dpi(5, 1000, 1500), kScreenDpi);
    EXPECT_EQ(Dpi(0, 1000, 1500), kImageDpi);
}

TEST_F(OutputDpiTest, NoResultPointerIsIgnored) { GetOutputDpi(environment_, 5, 1000, 1500, nullptr); }

}  // namespace
