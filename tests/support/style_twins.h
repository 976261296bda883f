// Two engines of one style on one picture, run to the same phase: one runs its own phase, the
// other what that phase should amount to, built from the components; both must end alike, in
// every image and in the random generator's state.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "imaging/random.h"
#include "tests/support/pictures.h"
#include "tests/support/style_painting.h"

template <typename Engine>
struct StyleTwins {
    StylePainting<Engine> own, reference;
    uint32_t stateBefore = 0;

    // `picture` makes each engine's copy of the picture.
    template <typename MakePicture>
    StyleTwins(MakePicture&& picture, int level, int dpi, int groundIndex, int phase,
               platform::ModuleHandle module)
        : own(picture(), level, dpi, groundIndex, module),
          reference(picture(), level, dpi, groundIndex, module) {
        EXPECT_EQ(own.engine.Initialize(), 1);
        EXPECT_TRUE(own.RunUntil(phase)) << own.status;
        EXPECT_EQ(reference.engine.Initialize(), 1);
        EXPECT_TRUE(reference.RunUntil(phase)) << reference.status;
        stateBefore = RandomState;
    }

    // Changes both engines alike before the phase.
    template <typename Change>
    void Prepare(Change&& change) {
        change(own.engine);
        change(reference.engine);
    }

    // Runs the own engine's phase, then the reference from the same random state.
    template <typename Reference>
    void Compare(int percent, Reference&& run) {
        using test_pictures::PixelBytes;
        ASSERT_EQ(own.engine.Step(), percent) << own.status;
        const uint32_t stateAfter = RandomState;
        RandomState = stateBefore;
        run(reference.engine);
        EXPECT_EQ(RandomState, stateAfter);
        EXPECT_EQ(PixelBytes(*own.picture), PixelBytes(*reference.picture));
        EXPECT_EQ(PixelBytes(*own.engine.colorIndexMap),
                  PixelBytes(*reference.engine.colorIndexMap));
        EXPECT_EQ(PixelBytes(*own.engine.focusMap), PixelBytes(*reference.engine.focusMap));
        EXPECT_EQ(own.engine.colorCount, reference.engine.colorCount);
    }
};
