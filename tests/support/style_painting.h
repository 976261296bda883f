// A style engine set up on a picture as the driver sets it up, for the style engines' tests:
// the picture at a resolution, every level alike, a ground of the module's list (or none) and
// the module whose resources the style paints with; the sample painted through it, and odd and
// tiny pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "engine/status_text.h"
#include "imaging/dib.h"
#include "imaging/random.h"
#include "imaging/resolution.h"
#include "plugin/filter_settings.h"
#include "plugin/material.h"
#include "plugin/plugin_module.h"
#include "tests/support/pictures.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/test_module.h"

// A ground index that loads no ground: the engine paints without one.
constexpr int kNoGround = -1;

template <typename Engine>
struct StylePainting {
    std::unique_ptr<TDib> picture;
    Ground ground;
    FilterSettings settings;
    char status[kStatusSize] = "";
    Engine engine;
    platform::ModuleHandle savedModule = PluginModule();

    // The plug-in module becomes `module` for as long as the painting lives, so that the
    // ground comes from its list.
    StylePainting(std::unique_ptr<TDib> image, int level, int dpi, int groundIndex,
                  platform::ModuleHandle module = TestModule())
        : picture(std::move(image)) {
        const int32_t pelsPerMeter = PelsPerMeterFromDpi(dpi);
        picture->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
        SetPluginModule(module);
        if (groundIndex != kNoGround) LoadMaterial(ground, groundIndex, dpi, &settings);
        engine.source = picture.get();
        engine.status = status;
        engine.module = module;
        engine.touchLevel = engine.colorLevel = engine.deformLevel = engine.focusLevel =
            engine.materialLevel = level;
        engine.ground = groundIndex == kNoGround ? nullptr : settings.ground;
        engine.phaseCounter = 0;
    }
    ~StylePainting() { SetPluginModule(savedModule); }
    StylePainting(const StylePainting&) = delete;
    StylePainting& operator=(const StylePainting&) = delete;

    // Runs phases until the counter reaches `phase` (exclusive); false when one fails.
    bool RunUntil(int phase) {
        while (engine.phaseCounter < phase)
            if (engine.Step() < 0) return false;
        return true;
    }
};

// The next step gives `percent` and leaves every image as it was and the generator where it was.
template <typename Engine>
void ExpectStepLeavesEverything(StylePainting<Engine>& p, int percent) {
    using test_pictures::PixelBytes;
    const auto source = PixelBytes(*p.picture), canvas = PixelBytes(*p.engine.canvas),
               focus = PixelBytes(*p.engine.focusMap), labels = PixelBytes(*p.engine.colorIndexMap);
    const uint32_t state = RandomState;
    EXPECT_EQ(p.engine.Step(), percent) << p.status;
    EXPECT_EQ(PixelBytes(*p.picture), source);
    EXPECT_EQ(PixelBytes(*p.engine.canvas), canvas);
    EXPECT_EQ(PixelBytes(*p.engine.focusMap), focus);
    EXPECT_EQ(PixelBytes(*p.engine.colorIndexMap), labels);
    EXPECT_EQ(RandomState, state);
}

// After the last phase: a further step gives -1, changes nothing and leaves the counter; a
// negative counter runs nothing either.
template <typename Engine>
void ExpectNoStepBeyondTheLast(StylePainting<Engine>& p) {
    const int last = p.engine.phaseCounter;
    {
        SCOPED_TRACE("a step after the last phase");
        ExpectStepLeavesEverything(p, -1);
        EXPECT_EQ(p.engine.phaseCounter, last);
    }
    SCOPED_TRACE("a negative counter");
    p.engine.phaseCounter = -1;
    ExpectStepLeavesEverything(p, -1);
    EXPECT_EQ(p.engine.phaseCounter, -1);
}

// The checksum of samples/coffee.bmp painted through every phase of the style as `pin` says.
template <typename Engine>
uint64_t PaintSample(const PinnedPainting& pin, platform::ModuleHandle module = TestModule()) {
    StylePainting<Engine> p(test_pictures::ReadBmp(SourcePath("samples/coffee.bmp")), pin.level,
                            pin.dpi, pin.groundIndex, module);
    EXPECT_EQ(p.engine.Initialize(), 1);
    EXPECT_TRUE(p.RunUntil(p.engine.phaseCount)) << p.status;
    return test_pictures::Checksum(*p.picture);
}

// Every painting of `pins` gives its checksum.
template <typename Engine, size_t kCount>
void ExpectPinnedPaintings(const PinnedPainting (&pins)[kCount],
                           platform::ModuleHandle module = TestModule()) {
    for (const PinnedPainting& c : pins) {
        const uint64_t painted = PaintSample<Engine>(c, module);
        EXPECT_EQ(painted, c.checksum) << c.name << std::hex << ": 0x" << painted;
    }
}

// One painting made twice gives the same bytes twice.
template <typename Engine>
void ExpectSameBytesTwice(platform::ModuleHandle module = TestModule()) {
    const PinnedPainting c = {"levels 2 on WOOD1 at 150 dpi", 2, 9, 150, 0};
    EXPECT_EQ(PaintSample<Engine>(c, module), PaintSample<Engine>(c, module));
}

// Pictures of odd and tiny sizes at every level, and at one outside 0..2, on ground
// `groundIndex` at 300 dpi: no phase fails.
template <typename Engine>
void ExpectOddPicturesPaint(int groundIndex, platform::ModuleHandle module = TestModule()) {
    for (auto [width, height] : {std::pair{257, 123}, {1, 1}, {2, 3}, {5, 1000}}) {
        for (int level : {0, 1, 2, 7}) {
            SCOPED_TRACE(testing::Message() << width << " x " << height << " level " << level);
            StylePainting<Engine> p(test_pictures::Gradient(width, height), level, 300,
                                    groundIndex, module);
            ASSERT_EQ(p.engine.Initialize(), 1);
            for (int k = 0; k < p.engine.phaseCount; ++k) EXPECT_GE(p.engine.Step(), 0) << p.status;
        }
    }
}
