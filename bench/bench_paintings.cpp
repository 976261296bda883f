// Times each style's whole painting of the six-megapixel photograph through the engine driver,
// as the final painting runs it: the time per megapixel and the peak heap per pixel (picture
// included), in all and for every phase.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "imaging/resolution.h"
#include "platform/native_module.h"
#include "plugin/driver.h"
#include "plugin/material.h"
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "styles/grisov/expert.h"
#include "styles/kolda/expert.h"
#include "styles/moravel/expert.h"
#include "styles/tevu/expert.h"
#include "styles/zavet/expert.h"

namespace {

// The driver makes its engine through the plug-in's identity; the bench points it at the style
// it measures.
ExpertBase* (*benchStyle)() = nullptr;
ExpertBase* NewBenchExpert() { return benchStyle(); }

struct StyleSetting {
    ExpertBase* (*newExpert)();
    const char* module;  // whose resources (brushes, colour map) the style paints with
    int level;
    int groundIndex;
    int dpi;
};

void PaintStyle(benchmark::State& state, StyleSetting setting) {
    benchStyle = setting.newExpert;
    SetPluginModule(platform::NativeModuleHandle(setting.module));
    const TDib& original = bench::SixMegapixelPicture();
    const double megapixels = original.Width() * double(original.Height()) / 1e6;
    std::vector<double> phaseSeconds;
    std::vector<size_t> phasePeakBytes;
    double seconds = 0;
    size_t peakBytes = 0;
    for (auto _ : state) {
        FilterCall call;
        call.settings.materialLevel = call.settings.touchLevel = call.settings.colorLevel =
            call.settings.deformLevel = call.settings.focusLevel =
                static_cast<int16_t>(setting.level);
        LoadMaterial(call.ground, setting.groundIndex, setting.dpi, &call.settings);
        call.image = bench::CopyOf(original);
        const int32_t pelsPerMeter = PelsPerMeterFromDpi(setting.dpi);
        call.image->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
        // What the filter call holds before the painting, but for the picture: the peaks below
        // count the picture, the engine and its work images, and what a phase adds.
        const size_t base = bench::HeapNow() - call.image->ImageBytes();
        bench::ResetPeak();
        const auto start = std::chrono::steady_clock::now();
        const int phases = PaintStep(call, 0, nullptr, call.settings, 0, nullptr);
        phaseSeconds.resize(std::max(phases, 0), 0.0);
        phasePeakBytes.resize(std::max(phases, 0), 0);
        for (int k = 1; k <= phases; ++k) {
            const size_t peakSoFar = bench::HeapPeak();
            bench::ResetPeak();
            const auto phaseStart = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(PaintStep(call, k, nullptr, call.settings, 0, nullptr));
            phaseSeconds[k - 1] +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - phaseStart).count();
            const size_t phasePeak = bench::HeapPeak();
            phasePeakBytes[k - 1] = std::max(phasePeakBytes[k - 1], phasePeak - base);
            bench::RaisePeak(peakSoFar);
        }
        DeleteExpert(call);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
        peakBytes = std::max(peakBytes, bench::HeapPeak() - base);
    }
    const double runs = static_cast<double>(state.iterations());
    const double pixels = megapixels * 1e6;
    state.counters["ms_per_MP"] = seconds * 1000 / runs / megapixels;
    state.counters["peak_bytes_per_pixel"] = peakBytes / pixels;
    for (size_t k = 0; k < phaseSeconds.size(); ++k) {
        const std::string phase = (k < 10 ? "phase0" : "phase") + std::to_string(k);
        state.counters[phase + "_ms_per_MP"] = phaseSeconds[k] * 1000 / runs / megapixels;
        state.counters[phase + "_peak_bytes_per_pixel"] = phasePeakBytes[k] / pixels;
    }
}

}  // namespace

const PluginIdentity kPluginIdentity = {kTitleMoravel, NewBenchExpert};

BENCHMARK_CAPTURE(PaintStyle, Moravel_defaults,
                  StyleSetting{moravel::NewExpert, "Zo_Mor", 1, 0, 84})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Moravel_A4_levels2_CANVAS2,
                  StyleSetting{moravel::NewExpert, "Zo_Mor", 2, 5, 257})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Zavet_defaults, StyleSetting{zavet::NewExpert, "Zo_Zav", 1, 0, 84})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Zavet_A4_levels2_CANVAS2,
                  StyleSetting{zavet::NewExpert, "Zo_Zav", 2, 5, 257})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Kolda_defaults, StyleSetting{kolda::NewExpert, "Zo_Kol", 1, 0, 84})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Kolda_A4_levels1_PAPER3,
                  StyleSetting{kolda::NewExpert, "Zo_Kol", 1, 2, 257})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Grisov_defaults,
                  StyleSetting{grisov::NewExpert, "Zo_Gri", 1, 0, 84})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Grisov_A4_levels2_CANVAS2,
                  StyleSetting{grisov::NewExpert, "Zo_Gri", 2, 5, 257})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Tevu_defaults, StyleSetting{tevu::NewExpert, "Zo_Tev", 1, 0, 84})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
BENCHMARK_CAPTURE(PaintStyle, Tevu_A4_levels2_CANVAS2,
                  StyleSetting{tevu::NewExpert, "Zo_Tev", 2, 5, 257})
    ->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();
