// All default painting phases on a sample photograph: the checksums pin the painting, and since
// this test runs natively and under Wine, both builds must paint the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/status_text.h"
#include "imaging/resolution.h"
#include "plugin/filter_settings.h"
#include "plugin/material.h"
#include "plugin/plugin_module.h"
#include "tests/support/default_phases_expert.h"
#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

namespace {

struct PaintingCase {
    const char* name;
    int level;          // every one of the five levels
    int groundIndex;
    int dpi;
    bool withRegion;
    uint64_t expected;  // checksum of the painted pixels
};

EllipseRegion CentralRegion() {
    EllipseRegion r = {};
    r.startX = 220, r.startY = 160, r.endX = 380, r.endY = 240;
    r.centerX = 300, r.centerY = 200;
    r.length = 179, r.width = 90;
    r.angle = -0.4636;
    r.ratio = 90.0 / 179;
    r.cosine = std::cos(r.angle);
    r.sine = std::sin(r.angle);
    return r;
}

uint64_t Paint(const PaintingCase& c) {
    auto picture = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    if (!picture) return 0;
    const int32_t pelsPerMeter = PelsPerMeterFromDpi(c.dpi);
    picture->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);

    SetPluginModule(TestModule());
    FilterSettings settings;
    Ground ground;
    LoadMaterial(ground, c.groundIndex, c.dpi, &settings);

    char status[kStatusSize] = "";
    default_phases::Expert engine;
    engine.source = picture.get();
    engine.status = status;
    engine.module = TestModule();
    engine.touchLevel = engine.colorLevel = engine.deformLevel = engine.focusLevel =
        engine.materialLevel = c.level;
    engine.ground = settings.ground;
    if (c.withRegion) {
        engine.regions[0] = CentralRegion();
        engine.regionCount = 1;
    }
    engine.phaseCounter = 0;
    EXPECT_EQ(engine.Initialize(), 1);
    for (int k = 0; k < default_phases::Expert::kPhases; ++k)
        EXPECT_GE(engine.Step(), 0) << "phase " << k << ": " << status;
    return test_pictures::Checksum(*picture);
}

TEST(DefaultPhasesPainting, PaintsTheSampleAsPinned) {
    const PaintingCase cases[] = {
        {"level 1 on PAPER2", 1, 1, 72, false, 0x9fc94ea8680ec9d5ull},
        {"level 0 on PAPER1", 0, 0, 72, false, 0x6fb9d1ba3cc223e1ull},
        {"level 2 on WOOD1 with a region", 2, 9, 150, true, 0xe60a0f755ae3e69dull},
    };
    for (const PaintingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const uint64_t painted = Paint(c);
        EXPECT_EQ(painted, c.expected) << std::hex << "0x" << painted;
    }
}

TEST(DefaultPhasesPainting, SamePictureTwiceSameBytes) {
    const PaintingCase c = {"again", 1, 1, 72, false, 0};
    EXPECT_EQ(Paint(c), Paint(c));
}

}  // namespace
