// The test engine's painting of the sample picture through the driver. Its checksum is kept in
// tests/data/test_engine_coffee.txt, which the Win32 test plug-in's painting under Wine is
// compared with too: the same bytes in both builds.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/fnv1a.h"
#include "plugin/driver.h"
#include "plugin/filter_settings.h"
#include "tests/support/files.h"
#include "tests/support/test_module.h"

namespace {

std::string RecordedChecksum() { return RecordedTestEngineChecksum(); }

}  // namespace

TEST(TestEnginePainting, CoffeeGivesTheRecordedChecksum) {
    const std::vector<uint8_t> file = test_files::ReadAll(SourcePath("samples/coffee.bmp"));
    ASSERT_GT(file.size(), 54u);
    ASSERT_EQ(file[10], 54) << "rows right after the info header";
    std::unique_ptr<TDib> image = TDib::FromPacked(file.data() + 14, file.size() - 14);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->Width(), 600);
    ASSERT_EQ(image->Height(), 400);
    // As the filter call holds it at the default screen resolution (84 dpi).
    image->SetPelsPerMeter(3307, 3307);

    const FilterSettings settings;
    FilterCall call;
    const int phases = CallExpert(call, 0, image.get(), settings, 0, nullptr, TestModule());
    ASSERT_GE(phases, 1);
    for (int step = 1; step <= phases; ++step)
        ASSERT_GE(CallExpert(call, step, image.get(), settings, 0, nullptr, TestModule()), 0);
    DeleteExpert(call);

    char checksum[17];
    std::snprintf(checksum, sizeof checksum, "%016" PRIx64,
                  Fnv1a64(image->Bits(), image->ImageBytes()));
    EXPECT_EQ(checksum, RecordedChecksum());
}
