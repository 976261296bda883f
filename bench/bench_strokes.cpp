// Times the oil-paint style's hot spots on a six-megapixel photograph after its first five
// phases: the masses (segment into two focus bands, rank, measure and paint them) and each of
// the six knife passes over every part, run by the style's own engine. Reported per megapixel.
// Run a Release build (scripts/bench.sh).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <cstdint>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "engine/status_text.h"
#include "imaging/random.h"
#include "imaging/resolution.h"
#include "styles/moravel/expert.h"
#include "tests/support/test_module.h"

namespace {

// The engine's images and palette at one moment, to start every iteration from.
struct Snapshot {
    std::unique_ptr<TDib> source, canvas, focus, labels;
    LowColor palette[256];
    int colorCount;
    uint32_t random;

    static std::unique_ptr<TDib> Copy(const TDib& image) {
        auto copy = image.BitCount() == 24 ? TDib::Create24(image.Width(), image.Height())
                                           : TDib::Create8(image.Width(), image.Height());
        std::memcpy(copy->Bits(), image.Bits(), image.ImageBytes());
        copy->SetPelsPerMeter(image.XPelsPerMeter(), image.YPelsPerMeter());
        return copy;
    }
    explicit Snapshot(const ExpertBase& engine)
        : source(Copy(*engine.source)),
          canvas(Copy(*engine.canvas)),
          focus(Copy(*engine.focusMap)),
          labels(Copy(*engine.colorIndexMap)),
          colorCount(engine.colorCount),
          random(RandomState) {
        std::memcpy(palette, engine.colorTable, sizeof palette);
    }
    void RestoreInto(ExpertBase& engine) const {
        std::memcpy(engine.source->Bits(), source->Bits(), source->ImageBytes());
        std::memcpy(engine.canvas->Bits(), canvas->Bits(), canvas->ImageBytes());
        std::memcpy(engine.focusMap->Bits(), focus->Bits(), focus->ImageBytes());
        std::memcpy(engine.colorIndexMap->Bits(), labels->Bits(), labels->ImageBytes());
        std::memcpy(engine.colorTable, palette, sizeof palette);
        engine.colorCount = colorCount;
        RandomState = random;
    }
};

// The oil-paint engine at level 1, after its phases up to the colour mapping (and, segmented,
// after the masses), with snapshots of both states.
struct Prepared {
    std::unique_ptr<TDib> picture;
    MaterialInfo ground;
    char status[kStatusSize] = "";
    moravel::Expert engine;
    std::unique_ptr<Snapshot> mapped, segmented;

    // At the picture's own resolution, or at `dpi` when it is above 0.
    explicit Prepared(int dpi)
        : picture(bench::CopyOf(bench::SixMegapixelPicture())), ground(bench::GroundWithRelief()) {
        if (dpi > 0) {
            const int32_t perMetre = PelsPerMeterFromDpi(dpi);
            picture->SetPelsPerMeter(perMetre, perMetre);
        }
        engine.source = picture.get();
        engine.status = status;
        engine.module = TestModule();
        engine.ground = &ground;
        engine.phaseCounter = 0;
        engine.Initialize();
        for (int phase = 0; phase < 5; ++phase) engine.Step();  // up to MapColors
        mapped = std::make_unique<Snapshot>(engine);
        engine.InitMass();
        segmented = std::make_unique<Snapshot>(engine);
    }
};

// The picture as it comes, and the same at 300 dpi, where the knives reach their largest scale.
Prepared& Engine(int dpi = 0) {
    if (dpi > 0) {
        static Prepared fine(300);
        return fine;
    }
    static Prepared prepared(0);
    return prepared;
}

double Megapixels(const ExpertBase& engine) { return engine.width * double(engine.height) / 1e6; }

void Segmentation(benchmark::State& state) {
    Prepared& p = Engine();
    double seconds = 0;
    for (auto _ : state) {
        p.mapped->RestoreInto(p.engine);
        const auto start = std::chrono::steady_clock::now();
        p.engine.InitMass();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
    }
    state.counters["ms_per_MP"] = seconds * 1000 / state.iterations() / Megapixels(p.engine);
    state.counters["parts"] = p.engine.colorCount;
}

void KnifeStrokes(benchmark::State& state) {
    Prepared& p = Engine(static_cast<int>(state.range(1)));
    const int pass = static_cast<int>(state.range(0));
    state.SetLabel("KNIFE" + std::to_string(6 - pass));
    double seconds = 0;
    for (auto _ : state) {
        p.segmented->RestoreInto(p.engine);
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(p.engine.InitStroke(pass));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
    }
    state.counters["ms_per_MP"] = seconds * 1000 / state.iterations() / Megapixels(p.engine);
    state.counters["scale"] = moravel::KnifeScale(p.engine.diagonal, p.engine.dpi, 1.0, 1.0);
}

}  // namespace

BENCHMARK(Segmentation)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
// range(0): the knife pass 0..5; range(1): 0 for the picture's resolution, 300 for 300 dpi.
BENCHMARK(KnifeStrokes)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 5, 1), {0, 300}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime();
