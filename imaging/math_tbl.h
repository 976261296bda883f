// 256-entry tone tables built from curve parameters (sigmoid, exponential, power, band, hue
// steps, smoothing, inversion, histogram match), and the tunable curve record that phases fill
// and hand to FromCurve. Builders compute in long double (the x87 extended format in both
// builds) so that the tables are identical in the native and the Win32 build.
#pragma once

#include <cstdint>

// The builder a curve's type selects in FromCurve.
enum CurveType : int32_t {
    kCurveConstant = 1,
    kCurvePower = 2,
    kCurveSigmoid = 3,
    kCurveExponential = 4,
    kCurveSigmoidBand = 5,
    kCurveHueSteps = 6,
};

// A tunable curve: a phase names it, states its type and parameters and receives the built
// table. FromCurve reads only type and value and writes only table.
struct ParamCurve {
    char name[40];
    uint8_t table[256];
    int32_t count;      // parameters in use (4 for every sigmoid); 0 = not filled yet
    int32_t type;       // a CurveType
    double value[10];
    double step[10];
    double minimum[10];
    double maximum[10];
};
static_assert(sizeof(ParamCurve) == 624, "ParamCurve layout");

// The rows a curve records beside its first four values, for a curve editor; no builder reads
// them.
struct CurveRows {
    double step[4];
    double minimum[4];
    double maximum[4];
};

// Fills `curve` as the sigmoid (slope, centre, low, high) named `name` (cut to 39 characters):
// count 4, type kCurveSigmoid, and `rows` when given, else zero rows. The table is left alone.
void FillSigmoidCurve(ParamCurve& curve, const char* name, const double (&values)[4],
                      const CurveRows* rows = nullptr);

// One tone table, the identity when constructed. Every builder overwrites it in place, entries
// 0..255 in increasing order; a builder that returns early leaves the previous contents. The
// table lives inside the object, so no builder can meet an allocation failure.
class MathTbl {
public:
    MathTbl();

    uint8_t* Table() { return table_; }
    const uint8_t* Table() const { return table_; }

    // Logistic from low * 255 to high * 255 around centre * 255; a negative slope gives the
    // inverse curve, slope 0 the straight line.
    void Sigmoid(double slope, double centre, double low, double high);
    // Two exponential (curvature > 0) or logarithmic (curvature < 0) arcs meeting at the middle.
    void Exponential(double curvature, double middle, double low, double high);
    // pow(i, exponent) scaled from low * 255 to high * 255; a negative exponent changes nothing.
    void Power(double exponent, double low, double high);
    // Mean of the power curves with exponents 1 / (p + 1) and q + 1.
    void DualPower(double p, double q, double low, double high);
    // Gaussian bell of width sigma (table steps) around centre * 255; sigma <= 0 changes nothing.
    void Gauss(double sigma, double centre, double low, double high);
    // L outside the band between the two centres, H inside it.
    void SigmoidBand(double slope1, double centre1, double slope2, double centre2, double low,
                     double high);
    // Per-hue offsets centred on 128 from six keys -1..1 at hues 0, 42, ..., 210; 252..255 kept.
    void HueSteps(double key0, double key1, double key2, double key3, double key4, double key5);
    // passes runs of a five-entry moving mean over entries 2..253.
    void Smooth(int passes);
    // Maps each source level to the level where the target's cumulative share reaches the
    // source's. Unchanged when the target or the source cumulative sum does not rise.
    void Match(const int32_t histogram[256], const uint8_t target[256]);
    // The table becomes its own inverse, gaps interpolated.
    void Invert();
    // Natural cubic spline through the marks (entry i > 0 marks (i, entry); 1 stands for 0).
    void SplineFromMarks();
    // The histogram's normalised cumulative curve; unchanged when the sum does not rise.
    void Equalize(const int32_t histogram[256]);
    // Builds by curve.type and copies the table into curve.table; types 0 and above 6 do nothing.
    void FromCurve(ParamCurve& curve);

private:
    uint8_t table_[256];
};

// Fills `curve` as FillSigmoidCurve does (zero rows when none are given) and builds its table;
// returns the table.
const uint8_t* BuildSigmoidCurve(ParamCurve& curve, const char* name, const double (&values)[4],
                                 const CurveRows* rows = nullptr);

// The same the first time only, while the curve's count is 0; afterwards the curve keeps the
// table it was built with.
const uint8_t* KeepSigmoidCurve(ParamCurve& curve, const char* name, const double (&values)[4],
                                const CurveRows* rows = nullptr);
