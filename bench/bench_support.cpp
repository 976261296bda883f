// The benchmarks' picture, ground and heap accounting. Every allocation carries its size in
// front of it, so that the peak of a painting can be read.
#include "bench/bench_support.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

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

namespace bench {

const TDib& SixMegapixelPicture() {
    static std::unique_ptr<TDib> picture = [] {
        if (const char* path = std::getenv("ZO_BENCH_PICTURE")) {
            auto given = test_pictures::ReadBmp(path);
            if (!given) std::abort();
            return given;
        }
        auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
        if (!sample) std::abort();
        return Enlarge(*sample, 3000, 2000);  // the sample's 3:2 shape, 6 megapixels
    }();
    return *picture;
}

std::unique_ptr<TDib> CopyOf(const TDib& picture) {
    auto copy = TDib::Create24(picture.Width(), picture.Height());
    std::copy(picture.Bits(), picture.Bits() + picture.ImageBytes(), copy->Bits());
    copy->SetPelsPerMeter(picture.XPelsPerMeter(), picture.YPelsPerMeter());
    return copy;
}

MaterialInfo GroundWithRelief() {
    static uint8_t texture[128 * 128];
    for (int i = 0; i < 128 * 128; ++i) texture[i] = static_cast<uint8_t>(180 + (i * 37 % 61));
    return MaterialInfo{128, 255, 244, 210, 180, 210, 240, 100, 30, 13, texture};
}

size_t HeapNow() { return heapNow.load(); }
size_t HeapPeak() { return heapPeak.load(); }
void ResetPeak() { heapPeak.store(heapNow.load()); }
void RaisePeak(size_t bytes) {
    size_t peak = heapPeak.load();
    while (bytes > peak && !heapPeak.compare_exchange_weak(peak, bytes)) {
    }
}

}  // namespace bench
