// Tone-table builders; see math_tbl.h. Every builder computes in long double (the x87 extended
// format in both builds) in the order of operations written here, because a value that lands
// on an integer can truncate either way with another precision or order. The factor 1/255 is
// one long double constant: with it the straight line from 0 to 255 is the identity.
#include "imaging/math_tbl.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

using Real = long double;

constexpr Real kInv255 = 1.0L / 255;

// Truncation toward zero to int, the value clamped first so that no conversion is undefined
// (NaN gives 0).
int32_t TruncateToInt(Real v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0L) return 2147483647;
    if (v <= -2147483648.0L) return -2147483647 - 1;
    return static_cast<int32_t>(v);
}

// A truncated value stored as a byte without clamping to 0..255 (it keeps its low eight bits).
uint8_t StoreByte(Real v) { return static_cast<uint8_t>(TruncateToInt(v)); }

// Clamped to 0..255 in floating point, then truncated (NaN gives 0).
uint8_t ClampByte(Real v) {
    if (!(v > 0.0L)) return 0;
    if (v >= 255.0L) return 255;
    return static_cast<uint8_t>(static_cast<int>(v));
}

// The ceiling when the fraction reaches one half, else the floor.
Real RoundHalfUp(Real v) {
    const Real f = floorl(v);
    return v - f >= 0.5L ? f + 1.0L : f;
}

// Cumulative sums with the unsigned 32-bit wrap of the counts.
void Cumulate(const int32_t histogram[256], uint32_t sums[256]) {
    uint32_t sum = 0;
    for (int i = 0; i < 256; ++i) {
        sum += static_cast<uint32_t>(histogram[i]);
        sums[i] = sum;
    }
}

}  // namespace

MathTbl::MathTbl() {
    for (int i = 0; i < 256; ++i) table_[i] = static_cast<uint8_t>(i);
}

void MathTbl::Sigmoid(double slope, double centre, double low, double high) {
    const Real L = static_cast<Real>(low) * 255;
    const Real H = static_cast<Real>(high) * 255;
    if (L == H) {
        std::memset(table_, ClampByte(L), sizeof table_);
        return;
    }
    if (slope == 0.0) {
        for (int i = 0; i < 256; ++i) table_[i] = ClampByte((H - L) * i * kInv255 + L);
        return;
    }
    const Real s = fabsl(static_cast<Real>(slope));
    const Real B = static_cast<Real>(centre) * 255;
    const Real D = H - L;
    const auto f = [&](Real x) { return D / (1.0L + expl(s * (B - x))); };
    const Real F0 = f(0);
    const Real F255 = f(255);
    const Real K = D / (F255 - F0);
    for (int i = 0; i < 256; ++i) {
        Real v;
        if (slope > 0.0) {
            // The logistic rescaled so that entry 0 is L and entry 255 is H exactly.
            v = (f(i) - F0) * K + L;
        } else {
            // The inverse of the rising curve of the same steepness.
            const Real w = 1.0L / ((((i - L) / K) + F0) / D) - 1.0L;
            if (w > 0.0L) {
                v = B - logl(w) / s;
            } else {
                v = i < B ? 0.0L : 255.0L;
            }
        }
        table_[i] = ClampByte(RoundHalfUp(v));
    }
}

void MathTbl::Exponential(double curvature, double middle, double low, double high) {
    const Real k = curvature;
    const Real m = middle;
    if (curvature == 0.0) {
        // Low and high stay fractions on this path.
        const Real c = low, d = high;
        for (int i = 0; i < 256; ++i) table_[i] = ClampByte(((d - c) * i * kInv255 + c) * 255);
        return;
    }
    const Real L = static_cast<Real>(low) * 255;
    const Real H = static_cast<Real>(high) * 255;
    // The middle entry; a middle far outside 0..1 is bounded so that M - i and 255 - M stay
    // small integers (the arcs are then flat at one end anyway).
    int32_t M = TruncateToInt(m * 255);
    M = M < -65536 ? -65536 : (M > 65536 ? 65536 : M);
    if (L == H) {
        std::memset(table_, StoreByte(L), sizeof table_);
        return;
    }
    // Two arcs through (0, L), (M, L + m (H - L)) and (255, H); an arc exists only where
    // there are entries on its side, so neither division by M nor by 255 - M can be by zero.
    Real A, Bk, g = 0.0L;
    if (k > 0.0L) {
        const Real ek = expl(k);
        A = m / (ek - 1.0L);
        Bk = (1.0L - m) / (ek - 1.0L);
    } else {
        g = 1.0L - expl(-k);
        A = m / logl(1.0L - g);
        Bk = (1.0L - m) / logl(1.0L - g);
    }
    for (int i = 0; i < 256; ++i) {
        Real y;
        if (i == M) {
            y = m;
        } else if (k > 0.0L) {
            y = i < M ? m - A * (expl(k * (M - i) / M) - 1.0L)
                      : m + Bk * (expl(k * (i - M) / (255 - M)) - 1.0L);
        } else {
            y = i < M ? m - A * logl(1.0L - g * (M - i) / M)
                      : m + Bk * logl(1.0L - g * (i - M) / (255 - M));
        }
        const Real v = (H - L) * y + L;
        table_[i] = ClampByte(RoundHalfUp(v));
    }
}

void MathTbl::Power(double exponent, double low, double high) {
    if (!(exponent >= 0.0)) return;
    const Real p = exponent;
    const Real L = static_cast<Real>(low) * 255;
    const Real H = static_cast<Real>(high) * 255;
    if (L == H) {
        std::memset(table_, StoreByte(L), sizeof table_);
        return;
    }
    const Real scale = (H - L) / powl(255, p);
    for (int i = 0; i < 256; ++i) table_[i] = StoreByte(powl(i, p) * scale + L);
}

void MathTbl::DualPower(double p, double q, double low, double high) {
    const Real L = static_cast<Real>(low) * 255;
    const Real H = static_cast<Real>(high) * 255;
    if (L == H) {
        std::memset(table_, ClampByte(L), sizeof table_);
        return;
    }
    const Real D = H - L;
    const Real root = 1.0L / (static_cast<Real>(p) + 1.0L);
    const Real power = static_cast<Real>(q) + 1.0L;
    const Real rootTop = powl(255, root);
    const Real powerTop = powl(255, power);
    for (int i = 0; i < 256; ++i) {
        const Real v = (powl(i, root) * D / rootTop + powl(i, power) * D / powerTop) * 0.5L + L;
        table_[i] = ClampByte(v);
    }
}

void MathTbl::Gauss(double sigma, double centre, double low, double high) {
    if (!(sigma > 0.0)) return;
    const Real L = static_cast<Real>(low) * 255;
    const Real H = static_cast<Real>(high) * 255;
    const Real C = static_cast<Real>(centre) * 255;
    const Real twoSigmaSquared = 2.0L * static_cast<Real>(sigma) * static_cast<Real>(sigma);
    for (int i = 0; i < 256; ++i) {
        const Real d = i - C;
        table_[i] = ClampByte(expl(-(d * d) / twoSigmaSquared) * (H - L) + L);
    }
}

void MathTbl::SigmoidBand(double slope1, double centre1, double slope2, double centre2,
                          double low, double high) {
    const Real B1 = static_cast<Real>(centre1) * 255;
    const Real B2 = static_cast<Real>(centre2) * 255;
    const Real L = static_cast<Real>(low) * 255;
    const Real H = static_cast<Real>(high) * 255;
    const Real a1 = slope1, a2 = slope2;
    Real g[256];
    Real m = 0.0L;
    for (int i = 0; i < 256; ++i) {
        g[i] = 1.0L / (1.0L + expl((i - B1) * a1)) - 1.0L / (1.0L + expl((i - B2) * a2));
        if (g[i] < m) m = g[i];
    }
    if (m == 0.0L) return;
    const Real scale = (H - L) / m;
    for (int i = 0; i < 256; ++i) table_[i] = ClampByte(g[i] * scale + L);
}

void MathTbl::HueSteps(double key0, double key1, double key2, double key3, double key4,
                       double key5) {
    const double keys[6] = {key0, key1, key2, key3, key4, key5};
    // Keys are -1..1; larger ones are bounded so that the interpolation below cannot overflow.
    int32_t steps[7];
    for (int k = 0; k < 6; ++k) {
        int32_t step = TruncateToInt(static_cast<Real>(keys[k]) * 127);
        step = step < -(1 << 20) ? -(1 << 20) : (step > (1 << 20) ? (1 << 20) : step);
        steps[k] = step + 128;
    }
    steps[6] = steps[0];
    for (int k = 0; k < 6; ++k) {
        for (int j = 0; j < 42; ++j) {
            const int32_t v = steps[k] + (steps[k + 1] - steps[k]) * j / 42;
            table_[42 * k + j] = static_cast<uint8_t>(v);
        }
    }
}

void MathTbl::Smooth(int passes) {
    // Single-precision values between passes; each mean is formed in long double and rounded
    // once to single precision when stored.
    float a[256], b[256];
    for (int i = 0; i < 256; ++i) a[i] = b[i] = table_[i];
    const Real fifth = 0.2;  // the double constant, held exactly
    for (int pass = 1; pass <= passes; ++pass) {
        const float* source = (pass & 1) ? b : a;
        float* target = (pass & 1) ? a : b;
        for (int j = 2; j <= 253; ++j) {
            const Real sum = static_cast<Real>(source[j - 2]) + source[j - 1] + source[j] +
                             source[j + 1] + source[j + 2];
            target[j] = static_cast<float>(sum * fifth);
        }
    }
    const float* last = (passes > 0 && (passes & 1)) ? a : b;
    for (int i = 0; i < 256; ++i) table_[i] = ClampByte(last[i]);
}

void MathTbl::Match(const int32_t histogram[256], const uint8_t target[256]) {
    uint32_t source[256];
    Cumulate(histogram, source);
    // A source that does not rise has no shares to match (and its sums are no levels).
    if (source[255] == source[0]) return;
    uint32_t cumulative[256];
    uint32_t sum = 0;
    for (int i = 0; i < 256; ++i) {
        sum += target[i];
        cumulative[i] = sum;
    }
    if (cumulative[255] == cumulative[0]) return;

    const Real q = 255.0L / static_cast<Real>(source[255] - source[0]);
    uint8_t level[256];
    for (int i = 0; i < 256; ++i) {
        // A negative count can push a share past 255: the level is bounded to the table.
        const int32_t v = TruncateToInt(static_cast<Real>(source[i] - source[0]) * q);
        level[i] = static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
    const Real qTarget = 255.0L / static_cast<Real>(cumulative[255] - cumulative[0]);
    for (int i = 0; i < 256; ++i) {
        const int32_t v = TruncateToInt(static_cast<Real>(cumulative[i] - cumulative[0]) * qTarget);
        table_[i] = static_cast<uint8_t>(v > 255 ? 255 : v);
    }
    Invert();
    uint8_t inverse[256];
    std::memcpy(inverse, table_, sizeof inverse);
    for (int i = 0; i < 256; ++i) table_[i] = inverse[level[i]];
}

void MathTbl::Invert() {
    uint8_t input[256];
    std::memcpy(input, table_, sizeof input);
    int first[256], last[256];
    bool occurs[256] = {};
    for (int i = 0; i < 256; ++i) {
        const int v = input[i];
        if (!occurs[v]) first[v] = i;
        occurs[v] = true;
        last[v] = i;
    }
    int lowest = -1, highest = -1, previous = -1;
    for (int v = 0; v < 256; ++v) {
        if (!occurs[v]) continue;
        table_[v] = static_cast<uint8_t>(last[v]);
        if (lowest < 0) lowest = v;
        highest = v;
        if (previous >= 0 && v - previous > 1) {
            // Levels between two that occur get an interpolated index; an exact half goes down.
            const int a = previous, b = v;
            for (int k = a + 1; k < b; ++k) {
                const Real t = last[a] + static_cast<Real>(k - a) * (first[b] - last[a]) / (b - a);
                const Real f = floorl(t);
                table_[k] = ClampByte(t - f > 0.5L ? f + 1.0L : f);
            }
        }
        previous = v;
    }
    for (int v = 0; v < lowest; ++v) table_[v] = 0;
    for (int v = highest + 1; v < 256; ++v) table_[v] = static_cast<uint8_t>(last[highest]);
}

void MathTbl::SplineFromMarks() {
    // The marks: entry i > 0 marks (i, entry), a 1 standing for 0.
    Real xs[256], ys[256];
    int n = 0;
    for (int i = 0; i < 256; ++i) {
        if (table_[i] > 0) {
            xs[n] = i;
            ys[n] = table_[i] == 1 ? 0.0L : table_[i];
            ++n;
        }
    }
    if (n == 0) return;
    if (n == 1) {
        std::memset(table_, ClampByte(ys[0]), sizeof table_);
        return;
    }
    // Natural spline: second derivatives m with m[0] = m[n - 1] = 0, by the tridiagonal sweep.
    Real m[256] = {}, c[256] = {}, r[256] = {};
    for (int k = 1; k < n - 1; ++k) {
        const Real h0 = xs[k] - xs[k - 1];
        const Real h1 = xs[k + 1] - xs[k];
        const Real diagonal = 2.0L * (h0 + h1) - h0 * c[k - 1];
        const Real rhs = 6.0L * ((ys[k + 1] - ys[k]) / h1 - (ys[k] - ys[k - 1]) / h0);
        c[k] = h1 / diagonal;
        r[k] = (rhs - h0 * r[k - 1]) / diagonal;
    }
    for (int k = n - 2; k >= 1; --k) m[k] = r[k] - c[k] * m[k + 1];

    int segment = 0;
    for (int i = 0; i < 256; ++i) {
        while (segment < n - 2 && i > xs[segment + 1]) ++segment;
        const Real x0 = xs[segment], x1 = xs[segment + 1];
        const Real h = x1 - x0;
        Real v;
        if (i == x0 || i == x1) {
            v = i == x0 ? ys[segment] : ys[segment + 1];  // the marks themselves, exactly
        } else if (i < x0 || i > x1) {
            // Beyond the end marks the natural spline continues as its end tangent.
            const bool before = i < x0;
            const Real xe = before ? x0 : x1;
            const Real ye = before ? ys[segment] : ys[segment + 1];
            const Real slope = (ys[segment + 1] - ys[segment]) / h +
                               (before ? -h * (2.0L * m[segment] + m[segment + 1])
                                       : h * (m[segment] + 2.0L * m[segment + 1])) / 6.0L;
            v = ye + slope * (i - xe);
        } else {
            const Real t0 = x1 - i, t1 = i - x0;
            v = (m[segment] * t0 * t0 * t0 + m[segment + 1] * t1 * t1 * t1) / (6.0L * h) +
                (ys[segment] / h - m[segment] * h / 6.0L) * t0 +
                (ys[segment + 1] / h - m[segment + 1] * h / 6.0L) * t1;
        }
        table_[i] = ClampByte(v);
    }
}

void MathTbl::Equalize(const int32_t histogram[256]) {
    uint32_t sums[256];
    Cumulate(histogram, sums);
    if (sums[255] == sums[0]) return;
    const Real range = static_cast<Real>(sums[255] - sums[0]);
    for (int i = 0; i < 256; ++i) {
        table_[i] = ClampByte(static_cast<Real>(sums[i] - sums[0]) * 255 / range);
    }
}

void MathTbl::FromCurve(ParamCurve& curve) {
    const double* v = curve.value;
    switch (curve.type) {
        case kCurveConstant: std::memset(table_, StoreByte(v[0]), sizeof table_); break;
        case kCurvePower: Power(v[0], v[1], v[2]); break;
        case kCurveSigmoid: Sigmoid(v[0], v[1], v[2], v[3]); break;
        case kCurveExponential: Exponential(v[0], v[1], v[2], v[3]); break;
        case kCurveSigmoidBand: SigmoidBand(v[0], v[1], v[2], v[3], v[4], v[5]); break;
        case kCurveHueSteps: HueSteps(v[0], v[1], v[2], v[3], v[4], v[5]); break;
        default: return;  // no type: nothing built and nothing copied
    }
    std::memcpy(curve.table, table_, sizeof curve.table);
}

void FillSigmoidCurve(ParamCurve& curve, const char* name, const double (&values)[4],
                      const CurveRows* rows) {
    std::snprintf(curve.name, sizeof curve.name, "%s", name);
    curve.count = 4;
    curve.type = kCurveSigmoid;
    for (int i = 0; i < 4; ++i) {
        curve.value[i] = values[i];
        curve.step[i] = rows ? rows->step[i] : 0.0;
        curve.minimum[i] = rows ? rows->minimum[i] : 0.0;
        curve.maximum[i] = rows ? rows->maximum[i] : 0.0;
    }
}

const uint8_t* BuildSigmoidCurve(ParamCurve& curve, const char* name, const double (&values)[4],
                                 const CurveRows* rows) {
    FillSigmoidCurve(curve, name, values, rows);
    MathTbl builder;
    builder.FromCurve(curve);
    return curve.table;
}

const uint8_t* KeepSigmoidCurve(ParamCurve& curve, const char* name, const double (&values)[4],
                                const CurveRows* rows) {
    return curve.count == 0 ? BuildSigmoidCurve(curve, name, values, rows) : curve.table;
}
