// Times the default painting phases of the engine on a six-megapixel photograph, and reports
// the peak heap use per megapixel. Run a Release build (scripts/bench.sh).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "bench/bench_support.h"
#include "engine/status_text.h"
#include "tests/support/default_phases_expert.h"
#include "tests/support/test_module.h"

namespace {

// Phases in slot order: 3 Prefilter, 4 ReduceColors, 5 CorrectFocus, 6 Deform, 7 MapColors,
// 9 Finish; range(0) picks one, -1 runs them all.
void DefaultPhases(benchmark::State& state) {
    const int only = static_cast<int>(state.range(0));
    const TDib& original = bench::SixMegapixelPicture();
    const MaterialInfo ground = bench::GroundWithRelief();
    char status[kStatusSize] = "";
    const double megapixels = original.Width() * double(original.Height()) / 1e6;
    size_t peakBytes = 0;   // what the phases allocate beyond the picture and work images
    size_t totalBytes = 0;  // everything the painting holds at its peak
    double seconds = 0;
    for (auto _ : state) {
        auto picture = bench::CopyOf(original);
        default_phases::Expert engine;
        engine.source = picture.get();
        engine.status = status;
        engine.module = TestModule();
        engine.ground = &ground;
        engine.phaseCounter = 0;
        engine.Initialize();
        // Phases before the one measured run untimed, so it sees the state it would in a painting.
        for (int k = 0; only >= 0 && k < only; ++k) engine.Step();
        const size_t base = bench::HeapNow();
        bench::ResetPeak();
        const auto start = std::chrono::steady_clock::now();
        const int last = only >= 0 ? only + 1 : default_phases::Expert::kPhases;
        for (int k = only >= 0 ? only : 0; k < last; ++k) benchmark::DoNotOptimize(engine.Step());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
        peakBytes = std::max(peakBytes, bench::HeapPeak() - base);
        // Picture and work images too (the enlarged original held by the bench is not counted).
        totalBytes = std::max(totalBytes, bench::HeapPeak() - original.ImageBytes());
    }
    state.counters["ms_per_MP"] = seconds * 1000 / state.iterations() / megapixels;
    state.counters["phase_MB_per_MP"] = peakBytes / 1e6 / megapixels;
    state.counters["total_MB_per_MP"] = totalBytes / 1e6 / megapixels;
}

}  // namespace

BENCHMARK(DefaultPhases)->Arg(-1)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)
    ->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

BENCHMARK_MAIN();
