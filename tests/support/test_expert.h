// A small deterministic style engine for the frame's tests: four phases that change every pixel,
// draw from the random generator and use the canvas, so that a painting shows whether the
// driver, the seed and both builds agree.
#pragma once

#include "engine/expert_base.h"

namespace test_style {

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 4;
    Expert() { phaseCount = kPhases; }
    int Step() override;

    // Set by a test to make the given phase (1-based) fail.
    static int failingPhase;
    // Counts destructions, so tests can see when the driver deletes an engine.
    static int destroyed;
    // Set by a test to make NewExpert fail as an allocation would.
    static bool refuseNew;
    ~Expert() override { ++destroyed; }

private:
    int Invert();
    int AddNoise();
    int BlurRows();
    int Posterize();
};

ExpertBase* NewExpert();

}  // namespace test_style
