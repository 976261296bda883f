// Both builds must compute the same tables and noise: this test runs natively and under Wine
// and compares hashes of every builder's output over a spread of parameters (and of the noise
// grid after fixed seeds) with one set of expected values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "imaging/fnv1a.h"
#include "imaging/fractal_noise.h"
#include "imaging/hue_color.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"

namespace {

class Hash {
public:
    void Add(const void* data, size_t size) {
        value_ = Fnv1a64(static_cast<const uint8_t*>(data), size, value_);
    }
    void Add(const MathTbl& table) { Add(table.Table(), 256); }
    void Add(int32_t v) { Add(&v, sizeof v); }
    uint64_t Value() const { return value_; }

private:
    uint64_t value_ = kFnv1a64Basis;
};

const double kFractions[][2] = {{0.0, 1.0}, {1.0, 0.0}, {0.1, 0.9}, {0.2, 0.6}, {0.5, 0.5}, {0.3, 0.31}};

// A small fixed sequence for histograms, independent of the module's generator.
uint32_t Scramble(uint32_t& s) {
    s = s * 69069u + 12345u;
    return s >> 8;
}

void HashRoughness(Hash& hash) {
    for (double x : {0.0, 0.1, 0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 5.0}) {
        FractalNoise noise;
        noise.SetRoughness(x);
        hash.Add(noise.Amplitude(), FractalNoise::kLevels);
    }
}

void HashNoise(Hash& hash) {
    for (int seed : {0, 1, 12345, -1, 0x5EED}) {
        for (double x : {0.0, 0.35, 1.0, 2.5}) {
            FractalNoise noise;
            noise.SetRoughness(x);
            SetSeed(seed);
            noise.Generate(300, 200);
            hash.Add(noise.Grid(), FractalNoise::kCells);
            for (int i = 0; i < 64; ++i) hash.Add(noise.Sample(i * 5, i * 3));
            hash.Add(noise.SampleBilinear(123, 77));
            hash.Add(static_cast<int32_t>(RandomState));
        }
    }
}

void HashSigmoid(Hash& hash) {
    for (double slope : {-1.0, -0.2, -0.05, -0.01, 0.0, 0.01, 0.03, 0.05, 0.1, 0.2, 1.0}) {
        for (double centre : {0.1, 0.25, 0.5, 0.7, 0.9}) {
            for (const auto& f : kFractions) {
                MathTbl t;
                t.Sigmoid(slope, centre, f[0], f[1]);
                hash.Add(t);
            }
        }
    }
}

void HashExponential(Hash& hash) {
    for (double k : {-5.0, -2.0, -0.5, 0.0, 0.3, 1.0, 2.0, 6.0}) {
        for (double m : {0.1, 0.3, 0.5, 0.8}) {
            for (const auto& f : kFractions) {
                MathTbl t;
                t.Exponential(k, m, f[0], f[1]);
                hash.Add(t);
            }
        }
    }
}

void HashPower(Hash& hash) {
    for (double p : {0.0, 0.25, 0.5, 1.0, 1.7, 2.0, 3.3}) {
        for (const auto& f : kFractions) {
            MathTbl t;
            t.Power(p, f[0], f[1]);
            hash.Add(t);
        }
    }
}

void HashDualPower(Hash& hash) {
    for (double p : {0.0, 0.5, 1.0, 2.0}) {
        for (double q : {0.0, 0.5, 1.0, 2.0}) {
            for (const auto& f : kFractions) {
                MathTbl t;
                t.DualPower(p, q, f[0], f[1]);
                hash.Add(t);
            }
        }
    }
}

void HashGauss(Hash& hash) {
    for (double sigma : {1.0, 5.0, 20.0, 60.0}) {
        for (double centre : {0.2, 0.5, 0.8}) {
            for (const auto& f : kFractions) {
                MathTbl t;
                t.Gauss(sigma, centre, f[0], f[1]);
                hash.Add(t);
            }
        }
    }
}

void HashSigmoidBand(Hash& hash) {
    for (double a1 : {0.05, 0.2, 1.0}) {
        for (double a2 : {0.05, 0.2, -0.1}) {
            for (double b1 : {0.2, 0.4}) {
                for (double b2 : {0.6, 0.8}) {
                    for (const auto& f : kFractions) {
                        MathTbl t;
                        t.SigmoidBand(a1, b1, a2, b2, f[0], f[1]);
                        hash.Add(t);
                    }
                }
            }
        }
    }
}

void HashHueSteps(Hash& hash) {
    const double keys[][6] = {{0, 0, 0, 0, 0, 0},
                              {1, -1, 0.5, -0.5, 0.25, -0.25},
                              {0.3, 0.7, -0.9, 0.1, 0.0, 1.0},
                              {-1, -1, -1, 1, 1, 1}};
    for (const auto& k : keys) {
        MathTbl t;
        t.HueSteps(k[0], k[1], k[2], k[3], k[4], k[5]);
        hash.Add(t);
    }
}

void HashSmooth(Hash& hash) {
    for (int passes : {1, 2, 3, 10, 25}) {
        MathTbl curve;
        curve.Sigmoid(0.2, 0.4, 0.0, 1.0);
        curve.Smooth(passes);
        hash.Add(curve);
        MathTbl step;
        for (int i = 0; i < 256; ++i) step.Table()[i] = static_cast<uint8_t>((i / 37) * 41);
        step.Smooth(passes);
        hash.Add(step);
    }
}

void HashMatchAndEqualize(Hash& hash) {
    uint32_t s = 7;
    for (int round = 0; round < 8; ++round) {
        int32_t histogram[256];
        uint8_t target[256];
        for (int i = 0; i < 256; ++i) {
            histogram[i] = 1 + static_cast<int32_t>(Scramble(s) % (round * 300 + 17));
            target[i] = static_cast<uint8_t>(Scramble(s) % (round * 30 + 3));
        }
        MathTbl matched;
        matched.Match(histogram, target);
        hash.Add(matched);
        MathTbl equalized;
        equalized.Equalize(histogram);
        hash.Add(equalized);
    }
}

void HashInvert(Hash& hash) {
    for (double slope : {-0.1, 0.02, 0.08}) {
        MathTbl t;
        t.Sigmoid(slope, 0.4, 0.1, 0.8);
        t.Invert();
        hash.Add(t);
    }
    MathTbl power;
    power.Power(2.4, 0.0, 1.0);
    power.Invert();
    hash.Add(power);
}

void HashSpline(Hash& hash) {
    const int marks[][2] = {{0, 1}, {40, 90}, {100, 60}, {180, 220}, {255, 200}};
    for (int count = 2; count <= 5; ++count) {
        MathTbl t;
        std::memset(t.Table(), 0, 256);
        for (int k = 0; k < count; ++k) t.Table()[marks[k][0]] = static_cast<uint8_t>(marks[k][1]);
        t.SplineFromMarks();
        hash.Add(t);
    }
}

void HashConversions(Hash& hash) {
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                HueColor c{r, g, b, 0, 0, 0};
                RgbToHcy(c);
                hash.Add(&c, sizeof c);
                hash.Add(HcyToRgb(c));
                hash.Add(&c, sizeof c);
                RgbToHcl(c);
                hash.Add(&c, sizeof c);
                hash.Add(HclToRgb(c));
                hash.Add(&c, sizeof c);
                hash.Add(RgbToHsl(c));
                HslToRgb(c);
                hash.Add(&c, sizeof c);
            }
        }
    }
}

struct CrossBuildCase {
    const char* name;
    void (*hash)(Hash&);
    uint64_t expected;
};

const CrossBuildCase kCases[] = {
    {"SetRoughness", HashRoughness, 0x08870d86ec7ed267ull},
    {"FractalNoise", HashNoise, 0xb4779f26a49f4e60ull},
    {"Sigmoid", HashSigmoid, 0xd1efa4663ea3164bull},
    {"Exponential", HashExponential, 0xf2e0830bdfb19fddull},
    {"Power", HashPower, 0xd1d18e9e7aeb3149ull},
    {"DualPower", HashDualPower, 0xe3d206d3451f4382ull},
    {"Gauss", HashGauss, 0xaf47ae5e386f8643ull},
    {"SigmoidBand", HashSigmoidBand, 0x81867aa3ca0d3adbull},
    {"HueSteps", HashHueSteps, 0x57382401ea4868cdull},
    {"Smooth", HashSmooth, 0xc57c7fb7d2d81949ull},
    {"MatchEqualize", HashMatchAndEqualize, 0x1a21cbc2b590dff0ull},
    {"Invert", HashInvert, 0x68bbd0bca580d2d8ull},
    {"SplineFromMarks", HashSpline, 0x92c5a21f9e2af249ull},
    {"Conversions", HashConversions, 0x5779380e177b42ddull},
};

}  // namespace

TEST(ImagingCrossBuild, TablesAndNoiseHashAsExpected) {
    for (const CrossBuildCase& c : kCases) {
        Hash hash;
        c.hash(hash);
        char actual[32];
        std::snprintf(actual, sizeof actual, "0x%016llx", static_cast<unsigned long long>(hash.Value()));
        EXPECT_EQ(hash.Value(), c.expected) << c.name << " hashes to " << actual;
    }
}
