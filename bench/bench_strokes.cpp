// Times the oil-paint style's hot spots on a six-megapixel photograph after the default phases:
// the region segmentation (segment into two focus bands, rank, measure and paint the masses)
// and one knife stroke pass per part with each of the six knives, with the oil-paint passes'
// settings. Reported per megapixel. Run a Release build (scripts/bench.sh).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <memory>
#include <utility>

#include "bench/bench_support.h"
#include "engine/status_text.h"
#include "engine/zo_part.h"
#include "engine/zo_stroke.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "tests/support/default_phases_expert.h"
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

void Segment(ExpertBase& engine) {
    ZoPart part(engine.context);
    const int limits[] = {192, 256}, merges[] = {6, 6}, passes[] = {0, 2};
    part.Segment(2, limits, merges, passes, 1);
    part.RankByFocus();
    part.MeasureParts();
}

// The engine after the default phases up to the colour mapping (and, segmented, after the
// masses), with snapshots of both states.
struct Prepared {
    std::unique_ptr<TDib> picture;
    MaterialInfo ground;
    char status[kStatusSize] = "";
    default_phases::Expert engine;
    std::unique_ptr<Snapshot> mapped, segmented;

    // At the picture's own resolution, or at `dpi` when it is above 0.
    explicit Prepared(int dpi)
        : picture(bench::CopyOf(bench::SixMegapixelPicture())), ground(bench::GroundWithRelief()) {
        if (dpi > 0) {
            const int32_t perMetre = static_cast<int32_t>(dpi / 0.0254 + 0.5);
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
        Segment(engine);
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
        Segment(p.engine);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
    }
    state.counters["ms_per_MP"] = seconds * 1000 / state.iterations() / Megapixels(p.engine);
    state.counters["parts"] = p.engine.colorCount;
}

// The oil-paint knife passes at touch level 1, widest knife first.
struct KnifeSettings {
    const char* brush;
    double relief, spacing, bend;
    int focusLow;
    double minimum[4], maximum[4];  // variance curves: slope, centre, low, high
};
const KnifeSettings kKnives[6] = {
    {"KNIFE6", 0.5, 1.0, 0.3, 0, {0.01, 0, 0, 0}, {0.01, 1, 0.3, 1}},
    {"KNIFE5", 0.5, 1.0, 0.3, 0, {0.01, 0, 0.2, 0}, {0.02, 1, 0.2, 1}},
    {"KNIFE4", 0.7, 0.6, 0.6, 0, {0.01, 1, 0.15, 0}, {0.01, 1, 0.2, 1}},
    {"KNIFE3", 0.7, 0.6, 0.6, 0, {0.01, 1, 0.2, 0}, {0.01, 1, 0.2, 1}},
    {"KNIFE2", 0.6, 0.6, 0.6, 50, {0.02, 1, 0.3, 0}, {0.02, 1, 0.3, 1}},
    {"KNIFE1", 0.6, 0.6, 0.6, 150, {0.02, 1, 0.4, 0.1}, {0.02, 1, 0.5, 1}},
};

// One knife pass over every part, as the oil-paint style paints it; the brush's scale and pairs.
std::pair<double, int> KnifePass(ExpertBase& engine, const KnifeSettings& knife) {
    ZoStroke stroke(engine.source, engine.canvas.get(), engine.focusMap.get(),
                    engine.colorIndexMap.get(), engine.status);
    const double d = std::min(400, std::max(1, engine.dpi));
    double scale = std::pow(engine.diagonal, 0.3) * d * 0.0015;
    scale = std::max(4.0 / 12, std::min(std::min(engine.diagonal * 0.2 * 0.01, 4.0), scale));
    if (stroke.LoadBrush(engine.module, knife.brush, 150000, 0.9, scale, knife.relief) != 1)
        return {scale, 0};
    MathTbl minimum, maximum;
    minimum.Sigmoid(knife.minimum[0], knife.minimum[1], knife.minimum[2], knife.minimum[3]);
    maximum.Sigmoid(knife.maximum[0], knife.maximum[1], knife.maximum[2], knife.maximum[3]);
    stroke.SetSpacing(knife.spacing, knife.spacing);
    stroke.SetJitter(0.5, 0.5);
    stroke.SetMinVariance(minimum.Table());
    stroke.SetMaxVariance(maximum.Table());
    stroke.SetDensity(1.0);
    stroke.SetFocusRange(knife.focusLow, 255);
    stroke.SetBrightnessRange(0, 255);
    stroke.SetBend(knife.bend, 1.0);
    for (int label = 0; label < engine.colorCount; ++label) stroke.PaintColor(label);
    return {scale, stroke.BrushPixels()};
}

void KnifeStrokes(benchmark::State& state) {
    Prepared& p = Engine(static_cast<int>(state.range(1)));
    const KnifeSettings& knife = kKnives[state.range(0)];
    state.SetLabel(knife.brush);
    double seconds = 0;
    std::pair<double, int> brush;
    for (auto _ : state) {
        p.segmented->RestoreInto(p.engine);
        const auto start = std::chrono::steady_clock::now();
        brush = KnifePass(p.engine, knife);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
    }
    state.counters["ms_per_MP"] = seconds * 1000 / state.iterations() / Megapixels(p.engine);
    state.counters["scale"] = brush.first;
    state.counters["pairs"] = brush.second;
}

}  // namespace

BENCHMARK(Segmentation)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
// range(0): the knife pass 0..5; range(1): 0 for the picture's resolution, 300 for 300 dpi.
BENCHMARK(KnifeStrokes)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 5, 1), {0, 300}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime();
