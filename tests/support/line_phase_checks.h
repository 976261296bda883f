// What every style that draws with the line engine must show: the settings record it fills, a
// failed tracing that runs again on a fresh line engine, and held strokes that go with an
// abandoned or reinitialised painting. `makePainting` gives a new StylePainting of the style
// (as a unique_ptr) on a picture with edges.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "styles/kolda/drawing_settings.h"
#include "styles/kolda/line_phases.h"

// The record's numbers in their order, as the checks below list them.
struct LineSettingsField {
    const char* name;
    int32_t DrawingSettings::*field;
};
inline constexpr LineSettingsField kLineSettingsFields[] = {
    {"filled", &DrawingSettings::filled},
    {"mode", &DrawingSettings::mode},
    {"taper", &DrawingSettings::taper},
    {"hatchDirection", &DrawingSettings::hatchDirection},
    {"edgeThreshold", &DrawingSettings::edgeThreshold},
    {"hatchFocusLow", &DrawingSettings::hatchFocusLow},
    {"hatchFocusHigh", &DrawingSettings::hatchFocusHigh},
    {"shortWindow", &DrawingSettings::shortWindow},
    {"longWindow", &DrawingSettings::longWindow},
    {"minLength", &DrawingSettings::minLength},
    {"maxPoints", &DrawingSettings::maxPoints},
    {"minWidth", &DrawingSettings::minWidth},
    {"maxWidth", &DrawingSettings::maxWidth},
    {"densityInfluence", &DrawingSettings::densityInfluence},
    {"fullLength", &DrawingSettings::fullLength},
    {"fullStrength", &DrawingSettings::fullStrength},
    {"simplifyFactor", &DrawingSettings::simplifyFactor},
    {"reserved", &DrawingSettings::reserved},
};
constexpr size_t kLineSettingsNumbers = std::size(kLineSettingsFields);

// Every number of `actual` is `expected`'s, in the order above, and the tables are those of
// the line work's curves.
inline void ExpectLineSettings(const DrawingSettings& actual,
                               const int32_t (&expected)[kLineSettingsNumbers],
                               const kolda::LineWork& work) {
    for (size_t i = 0; i < kLineSettingsNumbers; ++i)
        EXPECT_EQ(actual.*kLineSettingsFields[i].field, expected[i]) << kLineSettingsFields[i].name;
    EXPECT_EQ(actual.colorDistanceTable, work.colorDistance.table);
    EXPECT_EQ(actual.minLengthTable, work.minLength.table);
    EXPECT_EQ(actual.penSizeTable, work.penSize.table);
    EXPECT_EQ(actual.weightTable, work.weight.table);
    EXPECT_EQ(actual.speedTable, work.speed.table);
    EXPECT_EQ(actual.spotSizeTable, work.spotSize.table);
}

// Tracing with a record it cannot use fails, keeps the counter at `linePhase` and the line
// engine for the next try, which deletes it and traces with a new one (`percent`); the last
// phase draws the strokes and lets the engine go.
template <typename MakePainting>
void ExpectAFailedLinePhaseRunsAgain(MakePainting&& makePainting, int linePhase, int percent) {
    auto p = makePainting();
    ASSERT_EQ(p->engine.Initialize(), 1);
    ASSERT_TRUE(p->RunUntil(linePhase));
    // A record marked filled that the line engine cannot use: the tracing fails.
    p->engine.lines.settings.filled = 1;
    EXPECT_EQ(p->engine.Step(), -1);
    EXPECT_EQ(p->engine.phaseCounter, linePhase);
    EXPECT_STREQ(p->status, "Drawing:");
    ASSERT_NE(p->engine.Drawing(), nullptr) << "kept until the next try or the end";
    EXPECT_EQ(p->engine.Drawing()->StrokeCount(), 0);
    // The next try makes a fresh line engine in place of the failed one.
    p->engine.lines.settings.filled = 0;
    EXPECT_EQ(p->engine.Step(), percent);
    ASSERT_NE(p->engine.Drawing(), nullptr);
    EXPECT_GT(p->engine.Drawing()->StrokeCount(), 0);
    EXPECT_TRUE(p->RunUntil(p->engine.phaseCount)) << p->status;
    EXPECT_EQ(p->engine.Drawing(), nullptr);
}

// A painting abandoned after phase `heldUntil` (the strokes held) frees them with the engine
// (the sanitizers' leak check sees to it); one initialised again lets them go with the old
// work images, and its last phase then fails instead of reaching the released images.
template <typename MakePainting>
void ExpectHeldStrokesGoWithThePainting(MakePainting&& makePainting, int heldUntil) {
    {
        auto p = makePainting();
        ASSERT_EQ(p->engine.Initialize(), 1);
        ASSERT_TRUE(p->RunUntil(heldUntil));
        ASSERT_NE(p->engine.Drawing(), nullptr);
    }
    auto p = makePainting();
    ASSERT_EQ(p->engine.Initialize(), 1);
    ASSERT_TRUE(p->RunUntil(heldUntil));
    ASSERT_EQ(p->engine.Initialize(), 1);
    EXPECT_EQ(p->engine.Drawing(), nullptr);
    const int last = p->engine.phaseCount - 1;
    p->engine.phaseCounter = last;
    EXPECT_EQ(p->engine.Step(), -1);
    EXPECT_EQ(p->engine.phaseCounter, last);
}
