// Writes the ten ground resources (type "MAT", 4176 bytes each) into the folder given:
// an 80-byte little-endian header with the ground's fixed values, then a 64 × 64 height map.
// The maps are synthetic surfaces (paper grain, fibres, canvas weaves, trowelled plaster, sand,
// wood grain), built on the 64-pixel torus so that they tile, and stretched so that their values
// span exactly the ground's minimum to maximum with the median at the middle height.
// Only integer arithmetic and a generator of its own: the output is the same on every host.
//
// Usage: make_grounds <output folder>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/int_helpers.h"
#include "tools/tool_output.h"

namespace {

constexpr int kSide = 64;
constexpr int kPixels = kSide * kSide;
constexpr int kHeaderSize = 80;
constexpr int kFileSize = kHeaderSize + kPixels;
constexpr int64_t kOne = 4096;  // fixed-point unit of the height fields

using Field = std::vector<int64_t>;  // kSide × kSide, row by row

struct Ground {
    const char* resource;
    const char* name;
    const char* grain;
    int32_t flag, red, green, blue, minimum, middle, maximum, strength, noiseScale, shift;
};

const Ground kGrounds[] = {
    {"PAPER1", "Paper1", "Press", 0, 255, 255, 255, 255, 255, 255, 100, 50, 14},
    {"PAPER2", "Paper2", "Not", 1, 255, 244, 210, 199, 234, 250, 100, 30, 14},
    {"PAPER3", "Paper3", "Rough", 1, 255, 244, 210, 174, 234, 253, 100, 30, 13},
    {"PAPER4", "Paper4", "Japanese", 1, 255, 255, 255, 167, 204, 242, 100, 70, 10},
    {"CANVAS1", "Canvas1", "Smooth", 1, 255, 255, 255, 126, 198, 255, 80, 70, 14},
    {"CANVAS2", "Canvas2", "Middle", 1, 255, 255, 255, 106, 202, 238, 80, 50, 13},
    {"CANVAS3", "Canvas3", "Rough", 1, 228, 146, 84, 2, 151, 243, 80, 50, 12},
    {"STUCCO1", "Stucco1", "Stucco", 1, 255, 255, 255, 71, 205, 250, 50, 50, 12},
    {"SAND1", "Sand1", "Sand", 1, 255, 255, 255, 109, 206, 255, 50, 50, 12},
    {"WOOD1", "Wood1", "Wood", 1, 174, 80, 25, 87, 183, 230, 50, 90, 12},
};

// ---- integer tools ---------------------------------------------------------------------------

// 64-bit linear congruential generator; the high bits are the draw.
class Prng {
public:
    explicit Prng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state_ >> 32);
    }
    // Uniform in lo..hi (inclusive).
    int Between(int lo, int hi) {
        return lo + static_cast<int>((uint64_t{Next()} * static_cast<uint64_t>(hi - lo + 1)) >> 32);
    }

private:
    uint64_t state_;
};

uint32_t Hash(uint32_t a, uint32_t b, uint32_t seed) {
    uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

int Wrap(int v) { return ((v % kSide) + kSide) % kSide; }

// A position in 1/16 pixel brought onto the tile.
int Wrap16(int64_t v16) {
    return static_cast<int>(((v16 % (kSide * 16)) + kSide * 16) % (kSide * 16));
}

// Signed shortest distance from b to a around the torus, in 1/16 pixel (|d| <= 512).
int TorusDelta16(int a16, int b16) {
    int d = (a16 - b16) % (kSide * 16);
    if (d < 0) d += kSide * 16;
    if (d >= kSide * 8) d -= kSide * 16;
    return d;
}

int64_t ISqrt(int64_t v) {
    if (v <= 0) return 0;
    int64_t r = 0;
    int64_t bit = int64_t{1} << 62;
    while (bit > v) bit >>= 2;
    while (bit != 0) {
        if (v >= r + bit) {
            v -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return r;
}

// sin and cos of a whole number of degrees, in units of kOne (Bhaskara's approximation).
int64_t SinDegrees(int degrees) {
    int d = ((degrees % 360) + 360) % 360;
    const int sign = d >= 180 ? -1 : 1;
    if (d >= 180) d -= 180;
    const int64_t p = int64_t{d} * (180 - d);
    return sign * (4 * p * kOne) / (40500 - p);
}
int64_t CosDegrees(int degrees) { return SinDegrees(degrees + 90); }

// 3f² - 2f³ for f in 0..kOne.
int64_t Fade(int64_t f) { return f * f / kOne * (3 * kOne - 2 * f) / kOne; }

// Value noise on a lattice of cellsX × cellsY cells over the tile (each a divisor of 64),
// periodic in both directions; 0..kOne.
int64_t ValueNoise(int x, int y, int cellsX, int cellsY, uint32_t seed) {
    const int cellW = kSide / cellsX;
    const int cellH = kSide / cellsY;
    const int i = x / cellW;
    const int j = y / cellH;
    const int64_t fx = Fade(int64_t{x % cellW} * kOne / cellW);
    const int64_t fy = Fade(int64_t{y % cellH} * kOne / cellH);
    auto corner = [&](int ci, int cj) {
        return int64_t{
            Hash(static_cast<uint32_t>(ci % cellsX), static_cast<uint32_t>(cj % cellsY), seed) &
            0xFFF};
    };
    const int64_t top = corner(i, j) * (kOne - fx) + corner(i + 1, j) * fx;
    const int64_t bottom = corner(i, j + 1) * (kOne - fx) + corner(i + 1, j + 1) * fx;
    return (top * (kOne - fy) + bottom * fy) / (kOne * kOne) * kOne / 4095;
}

struct Octave {
    int cells;
    int weight;
};

// Weighted sum of square-celled value noises; 0..kOne.
int64_t Fbm(int x, int y, const std::vector<Octave>& octaves, uint32_t seed) {
    int64_t sum = 0;
    int64_t weights = 0;
    for (size_t n = 0; n < octaves.size(); ++n) {
        sum += ValueNoise(x, y, octaves[n].cells, octaves[n].cells,
                          seed + 101 * static_cast<uint32_t>(n)) *
               octaves[n].weight;
        weights += octaves[n].weight;
    }
    return sum / weights;
}

Field NoiseField(const std::vector<Octave>& octaves, uint32_t seed, int64_t amplitude) {
    Field f(kPixels);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            f[y * kSide + x] = Fbm(x, y, octaves, seed) * amplitude / kOne;
    return f;
}

void Add(Field& to, const Field& from) {
    for (int i = 0; i < kPixels; ++i) to[i] += from[i];
}

// Independent values 0..kOne - 1 per pixel.
Field WhiteNoise(uint64_t seed) {
    Prng rng(seed);
    Field f(kPixels);
    for (int64_t& v : f) v = rng.Next() >> 20;
    return f;
}

// Mean over 2 × radius + 1 pixels along rows, then along columns, around the tile; three passes
// come close to a Gaussian, which gives an even, round grain without lattice marks.
void Blur(Field& f, int radius, int passes) {
    Field line(kSide);
    const int64_t count = 2 * radius + 1;
    for (int pass = 0; pass < passes; ++pass)
        for (int direction = 0; direction < 2; ++direction)
            for (int a = 0; a < kSide; ++a) {
                auto at = [&](int b) -> int64_t& {
                    return direction == 0 ? f[a * kSide + Wrap(b)] : f[Wrap(b) * kSide + a];
                };
                for (int b = 0; b < kSide; ++b) {
                    int64_t sum = 0;
                    for (int k = -radius; k <= radius; ++k) sum += at(b + k);
                    line[b] = sum / count;
                }
                for (int b = 0; b < kSide; ++b) at(b) = line[b];
            }
}

// Stretches a field linearly onto 0..kOne.
void Normalise(Field& f) {
    const auto [low, high] = std::minmax_element(f.begin(), f.end());
    const int64_t lo = *low, span = std::max<int64_t>(*high - lo, 1);
    for (int64_t& v : f) v = (v - lo) * kOne / span;
}

// Blurred white noise on 0..kOne: grain of about `radius` pixels.
Field Grain(uint64_t seed, int radius) {
    Field f = WhiteNoise(seed);
    if (radius > 0) Blur(f, radius, 3);
    Normalise(f);
    return f;
}

// to += from × weight / kOne
void AddScaled(Field& to, const Field& from, int64_t weight) {
    for (int i = 0; i < kPixels; ++i) to[i] += from[i] * weight / kOne;
}

// Adds `amount` spread bilinearly over the four pixels around (x16, y16) (1/16 pixel).
void Splat(Field& f, int x16, int y16, int64_t amount) {
    const int x = x16 >> 4, y = y16 >> 4;  // x16, y16 are kept non-negative
    const int64_t fx = x16 & 15, fy = y16 & 15;
    f[Wrap(y) * kSide + Wrap(x)] += amount * (16 - fx) * (16 - fy) / 256;
    f[Wrap(y) * kSide + Wrap(x + 1)] += amount * fx * (16 - fy) / 256;
    f[Wrap(y + 1) * kSide + Wrap(x)] += amount * (16 - fx) * fy / 256;
    f[Wrap(y + 1) * kSide + Wrap(x + 1)] += amount * fx * fy / 256;
}

// A fibre: a slowly bending line of `length` pixels, raised by `height`, `width` pixels wide.
void DrawFibre(Field& f, Prng& rng, int length, int64_t height, int width, int bend) {
    int x16 = rng.Between(0, kSide * 16 - 1);
    int y16 = rng.Between(0, kSide * 16 - 1);
    int angle = rng.Between(0, 359);
    int turn = 0;
    int64_t posX = int64_t{x16} * kOne, posY = int64_t{y16} * kOne;
    for (int step = 0; step < length * 2; ++step) {
        // Half-pixel steps; the direction drifts a little, the way a fibre lies.
        posX += CosDegrees(angle) * 8;
        posY += SinDegrees(angle) * 8;
        if (bend > 0 && step % 4 == 0) {
            turn += rng.Between(-bend, bend);
            turn = std::clamp(turn, -2 * bend, 2 * bend);
            angle += turn / 2;
        }
        const int px = Wrap16(posX / kOne);
        const int py = Wrap16(posY / kOne);
        // Fibres thin out toward their ends.
        const int64_t fromEnd = std::min(step, length * 2 - step);
        const int64_t taper = std::min<int64_t>(fromEnd * kOne / 6, kOne);
        const int64_t amount = height * taper / kOne;
        Splat(f, px, py, amount);
        for (int w = 1; w < width; ++w) {
            // Thicker fibres: a second line beside the first, across the direction.
            const int ox = static_cast<int>(-SinDegrees(angle) * 16 * w / kOne);
            const int oy = static_cast<int>(CosDegrees(angle) * 16 * w / kOne);
            Splat(f, Wrap16(px + ox), Wrap16(py + oy), amount);
        }
    }
}

// A dome of radius r16 (1/16 pixel) and given height around (cx16, cy16), kept where it rises
// above what is there.
void RaiseDome(Field& f, int cx16, int cy16, int r16, int64_t base, int64_t height) {
    const int reach = r16 / 16 + 2;
    const int cx = cx16 / 16, cy = cy16 / 16;
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const int64_t dx = TorusDelta16(Wrap(x) * 16 + 8, cx16);
            const int64_t dy = TorusDelta16(Wrap(y) * 16 + 8, cy16);
            const int64_t d2 = dx * dx + dy * dy;
            const int64_t r2 = int64_t{r16} * r16;
            if (d2 >= r2) continue;
            const int64_t h = base + height * ISqrt((r2 - d2) * kOne * kOne / r2) / kOne;
            int64_t& v = f[Wrap(y) * kSide + Wrap(x)];
            v = std::max(v, h);
        }
}

// ---- the surfaces ----------------------------------------------------------------------------

// Cold-pressed paper: a fine, even grain of small round bumps with a few faint fibres.
Field PaperNot() {
    Field f = Grain(201, 1);
    AddScaled(f, Grain(202, 3), kOne * 3 / 4);
    AddScaled(f, Grain(203, 0), kOne / 5);
    Prng rng(2);
    for (int n = 0; n < 30; ++n) DrawFibre(f, rng, rng.Between(6, 14), 500, 1, 6);
    return f;
}

// Rough paper: coarser, deeper grain of rounded lumps with sharp hollows between them.
Field PaperRough() {
    Field f = Grain(301, 1);
    for (int64_t& v : f) v /= 2;
    AddScaled(f, Grain(302, 2), kOne);
    AddScaled(f, Grain(303, 4), kOne * 3 / 5);
    Normalise(f);
    for (int64_t& v : f) v = kOne - (kOne - v) * (kOne - v) / kOne;  // broad tops, sharp hollows
    Prng rng(3);
    for (int n = 0; n < 16; ++n) DrawFibre(f, rng, rng.Between(6, 14), 250, 1, 6);
    return f;
}

// Hand-made Japanese paper: an uneven, cloudy formation crossed by long, bending fibres.
Field PaperJapanese() {
    Field f = Grain(401, 6);
    AddScaled(f, Grain(402, 2), kOne / 2);
    AddScaled(f, Grain(403, 0), kOne / 8);
    for (int64_t& v : f) v = v * 2 / 5;
    Prng rng(4);
    for (int n = 0; n < 55; ++n)
        DrawFibre(f, rng, rng.Between(24, 64), rng.Between(150, 420), 1, 7);
    for (int n = 0; n < 6; ++n) DrawFibre(f, rng, rng.Between(30, 64), rng.Between(250, 400), 2, 5);
    return f;
}

struct Weave {
    int threads;         // per tile side in each direction; even, so over/under alternates around
    int threadWidth;     // of 255: share of the pitch a thread covers
    int widthJitter;     // of 255: per-thread spread of the width
    int slubDepth;       // of kOne: how much thickness varies along a thread
    int64_t fuzz;        // of kOne: loose-fibre noise over the threads
    int64_t underLevel;  // of kOne: height of a thread where it passes under
    uint32_t seed;
};

// Height of a thread of half width `width` (of 255) at distance `d` (of 255) from its centre:
// a round cross-section, 0 beside the thread.
int64_t ThreadSection(int d, int width) {
    if (d >= width) return 0;
    const int64_t t = int64_t{d} * kOne / width;
    return ISqrt(kOne * kOne - t * t);
}

// Plain weave: warp threads run up the tile, weft threads across it; at each crossing one lies
// over the other, alternating like a chequerboard, and the upper thread arches over it.
Field Canvas(const Weave& weave) {
    Field f(kPixels);
    const int n = weave.threads;
    std::vector<int> warpWidth(n), weftWidth(n);
    Prng rng(weave.seed);
    for (int i = 0; i < n; ++i) {
        warpWidth[i] = weave.threadWidth + rng.Between(-weave.widthJitter, weave.widthJitter);
        weftWidth[i] = weave.threadWidth + rng.Between(-weave.widthJitter, weave.widthJitter);
    }
    for (int y = 0; y < kSide; ++y) {
        // Thread index and position across the thread (0..255) of this row and column.
        const int b = (2 * y + 1) * n * 2;
        const int weft = b >> 8, acrossWeft = b & 255;
        for (int x = 0; x < kSide; ++x) {
            const int a = (2 * x + 1) * n * 2;
            const int warp = a >> 8, acrossWarp = a & 255;
            // Slubs: each thread thickens and thins along its length.
            const int64_t warpSlub =
                kOne - weave.slubDepth +
                ValueNoise(0, y, 1, 8, weave.seed + 7 * warp) * 2 * weave.slubDepth / kOne;
            const int64_t weftSlub =
                kOne - weave.slubDepth +
                ValueNoise(x, 0, 8, 1, weave.seed + 1000 + 7 * weft) * 2 * weave.slubDepth / kOne;
            const int warpHalf =
                static_cast<int>(std::min<int64_t>(warpWidth[warp] * warpSlub / kOne, 254));
            const int weftHalf =
                static_cast<int>(std::min<int64_t>(weftWidth[weft] * weftSlub / kOne, 254));
            const int64_t warpSection = ThreadSection(std::abs(2 * acrossWarp - 255), warpHalf);
            const int64_t weftSection = ThreadSection(std::abs(2 * acrossWeft - 255), weftHalf);
            const bool warpOver = ((warp + weft) & 1) == 0;
            // Along the upper thread: highest over the middle of the crossing.
            const int along = std::abs(2 * (warpOver ? acrossWeft : acrossWarp) - 255);
            const int64_t arch = kOne - int64_t{along} * along * kOne / (255 * 255);
            const int64_t overLift = kOne * 5 / 8 + arch * 3 / 8;
            const int64_t over = (warpOver ? warpSection * warpSlub : weftSection * weftSlub) /
                                 kOne * overLift / kOne;
            const int64_t under = (warpOver ? weftSection : warpSection) * weave.underLevel / kOne;
            f[y * kSide + x] = std::max(over, under);
        }
    }
    if (weave.fuzz > 0) Add(f, NoiseField({{64, 3}, {32, 2}, {16, 1}}, weave.seed + 5, weave.fuzz));
    return f;
}

// Trowelled plaster: overlapping smears, each a gently tilted plateau that rises into a soft
// lip where the trowel lifted off, over a fine grain, with a few air holes.
Field Stucco() {
    Field f = Grain(801, 4);
    for (int64_t& v : f) v /= 3;
    Prng rng(8);
    for (int n = 0; n < 40; ++n) {
        const int cx16 = rng.Between(0, kSide * 16 - 1), cy16 = rng.Between(0, kSide * 16 - 1);
        const int64_t rx16 = rng.Between(10 * 16, 24 * 16), ry16 = rng.Between(4 * 16, 10 * 16);
        const int angle = rng.Between(0, 179);
        const int64_t c = CosDegrees(angle), s = SinDegrees(angle);
        const int64_t level = rng.Between(1000, 2200);
        const int64_t tilt = rng.Between(-3, 3);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const int64_t dx = TorusDelta16(x * 16 + 8, cx16),
                              dy = TorusDelta16(y * 16 + 8, cy16);
                // Along (u) and across (v) the stroke, in 1/16 pixel.
                const int64_t u = (dx * c + dy * s) / kOne, v = (dy * c - dx * s) / kOne;
                // Elliptic radius squared, kOne at the edge.
                const int64_t r = u * u * kOne / (rx16 * rx16) + v * v * kOne / (ry16 * ry16);
                if (r >= kOne) continue;
                int64_t h = level + tilt * u;
                if (u > 0 && r > kOne * 3 / 5) h += (r - kOne * 3 / 5) * 3 / 4;
                f[y * kSide + x] = h;
            }
    }
    Blur(f, 1, 1);
    Field grain = Grain(802, 1);
    AddScaled(f, grain, 350);
    for (int n = 0; n < 6; ++n) {
        const int cx16 = rng.Between(0, kSide * 16 - 1), cy16 = rng.Between(0, kSide * 16 - 1);
        const int r16 = rng.Between(14, 30);
        const int reach = r16 / 16 + 2;
        for (int y = cy16 / 16 - reach; y <= cy16 / 16 + reach; ++y)
            for (int x = cx16 / 16 - reach; x <= cx16 / 16 + reach; ++x) {
                const int64_t dx = TorusDelta16(Wrap(x) * 16 + 8, cx16),
                              dy = TorusDelta16(Wrap(y) * 16 + 8, cy16);
                const int64_t d2 = dx * dx + dy * dy, r2 = int64_t{r16} * r16;
                if (d2 < r2) f[Wrap(y) * kSide + Wrap(x)] -= 1800 * (r2 - d2) / r2 + 400;
            }
    }
    return f;
}

// Plaster with sand: rounded grains of many sizes pressed into a flat binder.
Field Sand() {
    Field f = NoiseField({{16, 2}, {64, 1}}, 901, 600);
    Prng rng(9);
    for (int n = 0; n < 230; ++n) {
        const int r16 = rng.Between(14, 44);
        RaiseDome(f, rng.Between(0, kSide * 16 - 1), rng.Between(0, kSide * 16 - 1), r16,
                  rng.Between(300, 700), int64_t{r16} * rng.Between(40, 80));
    }
    Add(f, NoiseField({{64, 1}}, 902, 250));
    return f;
}

// A wooden board: growth rings running along it, bent by the grain, with long streaks and
// pores.
Field Wood() {
    Field f(kPixels);
    constexpr int kRings = 5;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            // Ring phase in 1/kOne of a ring: rings across the board, displaced by slow waves.
            const int64_t bend =
                ValueNoise(x, y, 2, 2, 1001) * 3 / 4 + ValueNoise(x, y, 4, 4, 1002) / 4;
            const int64_t t = (int64_t{y} * kRings * kOne / kSide + bend) % kOne;
            // Soft early wood rises slowly; the dense late wood stands as a rounded ridge.
            int64_t ring;
            if (t < kOne * 6 / 10)
                ring = t * 300 / (kOne * 6 / 10);
            else if (t < kOne * 85 / 100)
                ring = 300 + (t - kOne * 6 / 10) * 700 / (kOne * 25 / 100);
            else
                ring = 1000 - (t - kOne * 85 / 100) * 1000 / (kOne * 15 / 100);
            const int64_t streaks = ValueNoise(x, y, 2, 32, 1003) + ValueNoise(x, y, 4, 64, 1004);
            f[y * kSide + x] = ring * 2 + streaks * 1400 / kOne;
        }
    Blur(f, 1, 1);
    // Pores: short grooves along the grain.
    Prng rng(10);
    for (int n = 0; n < 60; ++n) {
        const int x0 = rng.Between(0, kSide - 1), y = rng.Between(0, kSide - 1);
        const int length = rng.Between(2, 7);
        for (int k = 0; k < length; ++k) f[y * kSide + Wrap(x0 + k)] -= 700;
    }
    return f;
}

Field Surface(int index) {
    switch (index) {
        case 1:
            return PaperNot();
        case 2:
            return PaperRough();
        case 3:
            return PaperJapanese();
        case 4:
            return Canvas({16, 215, 0, 300, 200, 1400, 501});
        case 5:
            return Canvas({12, 205, 12, 500, 260, 1300, 601});
        case 6:
            return Canvas({8, 190, 30, 1200, 500, 1100, 701});
        case 7:
            return Stucco();
        case 8:
            return Sand();
        case 9:
            return Wood();
        default:
            return Field(kPixels, 0);
    }
}

// Stretches the field linearly on either side of its median: its lowest value to minimum, its
// median to middle and its highest to maximum, so both ends are reached and nothing falls outside.
bool MapToRange(const Field& f, const Ground& ground, uint8_t* map) {
    if (ground.minimum == ground.maximum) {
        std::memset(map, ground.minimum, kPixels);
        return true;
    }
    Field sorted = f;
    std::sort(sorted.begin(), sorted.end());
    const int64_t low = sorted.front(), median = sorted[kPixels / 2], high = sorted.back();
    if (!(low < median && median < high)) return false;
    for (int i = 0; i < kPixels; ++i) {
        const int64_t v = f[i];
        int64_t out;
        if (v <= median)
            out = ground.minimum +
                  ((v - low) * (ground.middle - ground.minimum) * 2 + (median - low)) /
                      (2 * (median - low));
        else
            out = ground.middle +
                  ((v - median) * (ground.maximum - ground.middle) * 2 + (high - median)) /
                      (2 * (high - median));
        map[i] = static_cast<uint8_t>(out);
    }
    return true;
}

bool WriteGround(const std::string& folder, int index) {
    const Ground& g = kGrounds[index];
    std::vector<uint8_t> bytes(kFileSize, 0);
    std::strncpy(reinterpret_cast<char*>(bytes.data()), g.name, 19);
    std::strncpy(reinterpret_cast<char*>(bytes.data() + 20), g.grain, 19);
    const int32_t values[10] = {g.flag,   g.red,     g.green,    g.blue,       g.minimum,
                                g.middle, g.maximum, g.strength, g.noiseScale, g.shift};
    for (int i = 0; i < 10; ++i)
        WriteLittleUint32(bytes.data() + 40 + 4 * i, static_cast<uint32_t>(values[i]));
    if (!MapToRange(Surface(index), g, bytes.data() + kHeaderSize)) {
        std::fprintf(stderr, "make_grounds: %s has no spread around its median\n", g.resource);
        return false;
    }
    const std::string path = folder + "/" + g.resource + ".mat";
    if (!WriteBytes(path, bytes)) {
        std::fprintf(stderr, "make_grounds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_grounds <output folder>\n");
        return 2;
    }
    for (int i = 0; i < static_cast<int>(sizeof kGrounds / sizeof kGrounds[0]); ++i)
        if (!WriteGround(argv[1], i)) return 1;
    return 0;
}
