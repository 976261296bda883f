// Times the default painting phases of the engine on a sample photograph scaled to about six
// megapixels, and reports the peak heap use per megapixel. Run a Release build (scripts/bench.sh).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/status_text.h"
#include "tests/support/default_phases_expert.h"
#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

// Heap accounting: every allocation carries its size in front, so the bench sees the peak.
namespace {
std::atomic<size_t> heapNow{0};
std::atomic<size_t> heapPeak{0};
constexpr size_t kPrefix = alignof(std::max_align_t);

void* CountedAlloc(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kPrefix));
    if (block == nullptr) return nullptr;
    *reinterpret_cast<size_t*>(block) = size;
    const size_t now = heapNow.fetch_add(size) + size;
    size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block + kPrefix;
}

void CountedFree(void* pointer) {
    if (pointer == nullptr) return;
    auto* block = static_cast<unsigned char*>(pointer) - kPrefix;
    heapNow.fetch_sub(*reinterpret_cast<size_t*>(block));
    std::free(block);
}
}  // namespace

void* operator new(size_t size) {
    if (void* p = CountedAlloc(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t) noexcept { CountedFree(p); }

namespace {

// Bilinear enlargement in 1/256 steps: a plain way to make a large, photograph-like picture.
std::unique_ptr<TDib> Enlarge(const TDib& small, int width, int height) {
    auto large = TDib::Create24(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy = y * 256 * (small.Height() - 1) / (height - 1);
        const int y0 = sy >> 8, fy = sy & 255, y1 = y0 + 1 < small.Height() ? y0 + 1 : y0;
        uint8_t* out = large->Row(y);
        for (int x = 0; x < width; ++x) {
            const int sx = x * 256 * (small.Width() - 1) / (width - 1);
            const int x0 = sx >> 8, fx = sx & 255, x1 = x0 + 1 < small.Width() ? x0 + 1 : x0;
            for (int c = 0; c < 3; ++c) {
                const int a = small.Row(y0)[3 * x0 + c], b = small.Row(y0)[3 * x1 + c];
                const int d = small.Row(y1)[3 * x0 + c], e = small.Row(y1)[3 * x1 + c];
                const int top = a * (256 - fx) + b * fx, bottom = d * (256 - fx) + e * fx;
                out[3 * x + c] = static_cast<uint8_t>((top * (256 - fy) + bottom * fy) >> 16);
            }
        }
    }
    large->SetPelsPerMeter(small.XPelsPerMeter(), small.YPelsPerMeter());
    return large;
}

const TDib& SixMegapixelPicture() {
    static std::unique_ptr<TDib> picture = [] {
        auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
        if (!sample) std::abort();
        return Enlarge(*sample, 3000, 2000);  // the sample's 3:2 shape, 6 megapixels
    }();
    return *picture;
}

MaterialInfo BenchGround() {
    static uint8_t texture[128 * 128];
    for (int i = 0; i < 128 * 128; ++i) texture[i] = static_cast<uint8_t>(180 + (i * 37 % 61));
    return MaterialInfo{128, 255, 244, 210, 180, 210, 240, 100, 30, 13, texture};
}

// Phases in slot order: 3 Prefilter, 4 ReduceColors, 5 CorrectFocus, 6 Deform, 7 MapColors,
// 9 Finish; range(0) picks one, -1 runs them all.
void DefaultPhases(benchmark::State& state) {
    const int only = static_cast<int>(state.range(0));
    const TDib& original = SixMegapixelPicture();
    const MaterialInfo ground = BenchGround();
    char status[kStatusSize] = "";
    const double megapixels = original.Width() * double(original.Height()) / 1e6;
    size_t peakBytes = 0;   // what the phases allocate beyond the picture and work images
    size_t totalBytes = 0;  // everything the painting holds at its peak
    double seconds = 0;
    for (auto _ : state) {
        auto picture = TDib::Create24(original.Width(), original.Height());
        std::copy(original.Bits(), original.Bits() + original.ImageBytes(), picture->Bits());
        picture->SetPelsPerMeter(original.XPelsPerMeter(), original.YPelsPerMeter());
        default_phases::Expert engine;
        engine.source = picture.get();
        engine.status = status;
        engine.module = TestModule();
        engine.ground = &ground;
        engine.phaseCounter = 0;
        engine.Initialize();
        // Phases before the one measured run untimed, so it sees the state it would in a painting.
        for (int k = 0; only >= 0 && k < only; ++k) engine.Step();
        const size_t base = heapNow.load();
        heapPeak.store(base);
        const auto start = std::chrono::steady_clock::now();
        const int last = only >= 0 ? only + 1 : default_phases::Expert::kPhases;
        for (int k = only >= 0 ? only : 0; k < last; ++k) benchmark::DoNotOptimize(engine.Step());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        seconds += elapsed.count();
        peakBytes = std::max(peakBytes, heapPeak.load() - base);
        // Picture and work images too (the enlarged original held by the bench is not counted).
        totalBytes = std::max(totalBytes, heapPeak.load() - original.ImageBytes());
    }
    state.counters["ms_per_MP"] = seconds * 1000 / state.iterations() / megapixels;
    state.counters["phase_MB_per_MP"] = peakBytes / 1e6 / megapixels;
    state.counters["total_MB_per_MP"] = totalBytes / 1e6 / megapixels;
}

}  // namespace

BENCHMARK(DefaultPhases)->Arg(-1)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)
    ->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

BENCHMARK_MAIN();
