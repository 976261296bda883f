// A style engine's Step as a table: one row per phase with the operation it runs and the
// percent it reports. Every style steps the same way: a counter outside the table (a negative
// one too) gives -1 and runs nothing; a phase that fails gives -1 and leaves the counter, so
// that the caller may run it again; one that succeeds advances the counter.
#pragma once

#include <cstddef>

template <typename Engine>
struct PhaseRow {
    int (*run)(Engine& engine);  // 1 on success, 0 on failure
    int percent;
};

template <typename Engine, size_t kCount>
int StepThroughPhases(Engine& engine, const PhaseRow<Engine> (&phases)[kCount]) {
    const unsigned index = static_cast<unsigned>(engine.phaseCounter);
    if (index >= kCount) return -1;
    if (phases[index].run(engine) == 0) return -1;
    ++engine.phaseCounter;
    return phases[index].percent;
}
