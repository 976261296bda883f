// MathTbl: every builder and FromCurve.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

#include "imaging/math_tbl.h"

namespace {

std::vector<int> Entries(const MathTbl& table) {
    return std::vector<int>(table.Table(), table.Table() + 256);
}

std::vector<int> Identity() {
    std::vector<int> identity(256);
    for (int i = 0; i < 256; ++i) identity[i] = i;
    return identity;
}

void Fill(MathTbl& table, int (*entry)(int)) {
    for (int i = 0; i < 256; ++i) table.Table()[i] = static_cast<uint8_t>(entry(i));
}

ParamCurve Curve(int type, std::initializer_list<double> values) {
    ParamCurve curve{};
    std::strcpy(curve.name, "Test Curve");
    curve.count = static_cast<int32_t>(values.size());
    curve.type = type;
    int i = 0;
    for (double v : values) curve.value[i++] = v;
    return curve;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(MathTbl, FreshTableAndItsInverseAreTheIdentity) {
    MathTbl table;
    EXPECT_EQ(Entries(table), Identity());
    table.Invert();
    EXPECT_EQ(Entries(table), Identity());
}

TEST(MathTbl, StraightLinesAreExact) {
    // With 1/255 held as a long double the line from 0 to 255 lands on every integer; a double
    // constant would truncate each entry to the one below.
    MathTbl sigmoid;
    sigmoid.Sigmoid(0.0, 0.5, 0.0, 1.0);
    EXPECT_EQ(Entries(sigmoid), Identity());
    MathTbl exponential;
    exponential.Exponential(0.0, 0.5, 0.0, 1.0);
    EXPECT_EQ(Entries(exponential), Identity());
    MathTbl power;
    power.Power(1.0, 0.0, 1.0);
    EXPECT_EQ(Entries(power), Identity());
    MathTbl dual;
    dual.DualPower(0.0, 0.0, 0.0, 1.0);
    EXPECT_EQ(Entries(dual), Identity());
}

namespace {

struct EntryCase {
    const char* name;
    void (*build)(MathTbl&);
    std::vector<std::pair<int, int>> entries;  // (index, expected value)
};

const EntryCase kBuilderCases[] = {
    {"sigmoid with low = high is constant 127",
     [](MathTbl& t) { t.Sigmoid(0.05, 0.5, 0.5, 0.5); },
     {{0, 127}, {100, 127}, {255, 127}}},
    {"falling sigmoid", [](MathTbl& t) { t.Sigmoid(0.05, 0.5, 1.0, 0.0); },
     {{0, 255}, {127, 129}, {128, 126}, {255, 0}}},
    {"rising sigmoid ends exactly at low and high", [](MathTbl& t) { t.Sigmoid(0.05, 0.5, 0.2, 0.8); },
     {{0, 51}, {255, 204}}},
    {"negative slope gives the inverse curve", [](MathTbl& t) { t.Sigmoid(-0.05, 0.5, 0.0, 1.0); },
     {{0, 0}, {1, 24}, {2, 35}, {3, 42}, {254, 231}, {255, 255}}},
    // 0.6 is just below 3/5 as a double, so high x 255 is just below 153 and truncates to 152.
    {"sigmoid straight line from low to high", [](MathTbl& t) { t.Sigmoid(0.0, 0.3, 0.2, 0.6); },
     {{0, 51}, {128, 102}, {255, 152}}},
    {"exponential rising arcs through the middle", [](MathTbl& t) { t.Exponential(2.0, 0.5, 0.0, 1.0); },
     {{0, 0}, {127, 128}, {255, 255}}},
    {"logarithmic arcs through the middle", [](MathTbl& t) { t.Exponential(-2.0, 0.5, 0.0, 1.0); },
     {{0, 0}, {127, 128}, {255, 255}}},
    {"exponential with low = high is constant", [](MathTbl& t) { t.Exponential(3.0, 0.5, 0.4, 0.4); },
     {{0, 102}, {255, 102}}},
    {"power with exponent 0 is high everywhere", [](MathTbl& t) { t.Power(0.0, 0.0, 1.0); },
     {{0, 255}, {1, 255}, {255, 255}}},
    {"square power", [](MathTbl& t) { t.Power(2.0, 0.0, 1.0); },
     {{0, 0}, {15, 0}, {16, 1}, {128, 64}, {255, 255}}},
    {"power is not clamped: it keeps the low byte", [](MathTbl& t) { t.Power(1.0, 0.0, 2.0); },
     {{100, 200}, {200, 144}}},
    {"gauss bell", [](MathTbl& t) { t.Gauss(10.0, 0.5, 0.0, 1.0); },
     {{0, 0}, {127, 254}, {128, 254}, {255, 0}}},
    {"sigmoid band", [](MathTbl& t) { t.SigmoidBand(0.2, 0.3, 0.2, 0.7, 0.0, 1.0); },
     {{0, 0}, {40, 0}, {128, 255}, {220, 0}, {255, 0}}},
    {"hue steps of zeros", [](MathTbl& t) { t.HueSteps(0, 0, 0, 0, 0, 0); },
     {{0, 128}, {100, 128}, {251, 128}, {252, 252}, {255, 255}}},
    {"hue steps interpolate and wrap to the first key",
     [](MathTbl& t) { t.HueSteps(1.0, 0, 0, 0, 0, -1.0); },
     {{0, 255}, {21, 192}, {42, 128}, {210, 1}, {231, 128}, {251, 248}, {252, 252}}},
};

}  // namespace

TEST(MathTbl, BuilderCases) {
    for (const EntryCase& c : kBuilderCases) {
        MathTbl table;
        c.build(table);
        for (const auto& [index, value] : c.entries) {
            EXPECT_EQ(table.Table()[index], value) << c.name << " at " << index;
        }
    }
}

TEST(MathTbl, EntriesNearAHalfLevelFollowTheExtendedOrderOfOperations) {
    // Each entry's exact value is a half level (an end at 0.5 x 255, or the inverse sigmoid's
    // centre); which way it rounds depends on evaluating the formula in long double in the
    // given order. A product and a division swapped, or an exp or log taken in double, flips
    // one of them.
    const struct {
        const char* name;
        void (*build)(MathTbl&);
        int index, value;
    } cases[] = {
        {"inverse sigmoid at its centre", [](MathTbl& t) { t.Sigmoid(-2.0, 0.5, 0.0, 0.4); }, 51, 127},
        {"logarithmic arc at low", [](MathTbl& t) { t.Exponential(-1.0, 0.75, 0.5, 0.0); }, 0, 128},
        {"logarithmic arc at low, ln(1 - g) not -k", [](MathTbl& t) { t.Exponential(-0.5, 0.4, 0.5, 0.8); }, 0, 128},
        {"logarithmic arc at high", [](MathTbl& t) { t.Exponential(-2.0, 0.25, 0.7, 0.5); }, 255, 127},
        {"exponential arc at high", [](MathTbl& t) { t.Exponential(1.0, 0.1, 0.0, 0.5); }, 255, 128},
    };
    for (const auto& c : cases) {
        MathTbl table;
        c.build(table);
        EXPECT_EQ(table.Table()[c.index], c.value) << c.name;
    }
}

TEST(MathTbl, BuildersThatChangeNothing) {
    const struct {
        const char* name;
        void (*build)(MathTbl&);
    } cases[] = {
        {"negative power exponent", [](MathTbl& t) { t.Power(-0.5, 0.0, 1.0); }},
        {"gauss sigma 0", [](MathTbl& t) { t.Gauss(0.0, 0.5, 0.0, 1.0); }},
        {"band of two equal sigmoids", [](MathTbl& t) { t.SigmoidBand(0.1, 0.5, 0.1, 0.5, 0.0, 1.0); }},
        {"no smoothing pass", [](MathTbl& t) { t.Smooth(0); }},
    };
    for (const auto& c : cases) {
        MathTbl table;
        c.build(table);
        EXPECT_EQ(Entries(table), Identity()) << c.name;
    }
}

TEST(MathTbl, NegativeSlopeInvertsThePositiveCurve) {
    MathTbl rising, falling;
    rising.Sigmoid(0.05, 0.5, 0.0, 1.0);
    falling.Sigmoid(-0.05, 0.5, 0.0, 1.0);
    // Where the rising curve climbs at least a level per entry, falling undoes it.
    for (int i = 62; i <= 205; ++i) {
        EXPECT_NEAR(falling.Table()[rising.Table()[i]], i, 1) << i;
    }
}

TEST(MathTbl, SmoothKeepsTheEndsAndAveragesFiveEntries) {
    MathTbl table;
    Fill(table, [](int i) { return i == 100 ? 255 : (i < 2 || i > 253 ? 200 : 0); });
    table.Smooth(1);
    for (int i = 98; i <= 102; ++i) EXPECT_EQ(table.Table()[i], 51) << i;
    EXPECT_EQ(table.Table()[97], 0);
    EXPECT_EQ(table.Table()[103], 0);
    EXPECT_EQ(table.Table()[2], 80);  // (200 + 200 + 0 + 0 + 0) / 5

    MathTbl many;
    Fill(many, [](int i) { return i < 128 ? 10 : 250; });
    many.Smooth(10);
    EXPECT_EQ(many.Table()[0], 10);
    EXPECT_EQ(many.Table()[1], 10);
    EXPECT_EQ(many.Table()[254], 250);
    EXPECT_EQ(many.Table()[255], 250);
    EXPECT_GT(many.Table()[120], 10);
    EXPECT_LT(many.Table()[135], 250);
    for (int i = 1; i < 256; ++i) EXPECT_GE(many.Table()[i], many.Table()[i - 1]) << i;
}

TEST(MathTbl, InvertInterpolatesGapsAndFillsBeyondTheEnds) {
    MathTbl halves;
    Fill(halves, [](int i) { return i / 2; });
    halves.Invert();
    for (int v = 0; v <= 127; ++v) EXPECT_EQ(halves.Table()[v], 2 * v + 1) << "last index of " << v;
    for (int v = 128; v < 256; ++v) EXPECT_EQ(halves.Table()[v], 255) << "above the highest value";

    MathTbl doubles;
    Fill(doubles, [](int i) { return i < 128 ? 2 * i : 255; });
    doubles.Invert();
    // Odd levels lie half-way between two indices: an exact half goes down.
    for (int k = 0; k <= 254; ++k) EXPECT_EQ(doubles.Table()[k], k / 2) << k;
    EXPECT_EQ(doubles.Table()[255], 255);

    // Levels 0 and 10 occur at indices 0 and 25: level k between them lies at 2.5 k. The product
    // (k - 0) x 25 is formed before the division by 10, so the odd levels land exactly on a half
    // and go down; dividing first would leave 7.5 a little above the half at level 3.
    MathTbl gap;
    Fill(gap, [](int i) { return i == 0 ? 0 : (i == 25 ? 10 : 200); });
    gap.Invert();
    EXPECT_EQ(gap.Table()[0], 0);
    EXPECT_EQ(gap.Table()[10], 25);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(gap.Table()[k], 5 * k / 2) << k;

    MathTbl constant;
    Fill(constant, [](int) { return 100; });
    constant.Invert();
    for (int v = 0; v < 100; ++v) EXPECT_EQ(constant.Table()[v], 0) << "below the lowest value";
    for (int v = 100; v < 256; ++v) EXPECT_EQ(constant.Table()[v], 255);
}

TEST(MathTbl, MatchMapsSourceSharesToTargetLevels) {
    int32_t uniform[256];
    uint8_t flatTarget[256], upperTarget[256];
    for (int i = 0; i < 256; ++i) {
        uniform[i] = 1;
        flatTarget[i] = 1;
        upperTarget[i] = i >= 128 ? 1 : 0;
    }
    MathTbl same;
    same.Match(uniform, flatTarget);
    EXPECT_EQ(Entries(same), Identity());

    MathTbl upper;
    upper.Match(uniform, upperTarget);
    EXPECT_EQ(upper.Table()[0], 127);
    EXPECT_EQ(upper.Table()[255], 255);
    for (int i = 1; i < 256; ++i) {
        EXPECT_GE(upper.Table()[i], upper.Table()[i - 1]) << i;
        EXPECT_GE(upper.Table()[i], 127) << i;
    }
    EXPECT_NEAR(upper.Table()[128], 191, 2);
}

TEST(MathTbl, MatchLeavesTheTableWhenACumulativeSumDoesNotRise) {
    int32_t uniform[256], allInBinZero[256] = {};
    uint8_t flatAfterBinZero[256] = {}, flat[256];
    allInBinZero[0] = 1000;
    flatAfterBinZero[0] = 50;
    for (int i = 0; i < 256; ++i) {
        uniform[i] = 1;
        flat[i] = 1;
    }
    MathTbl table;
    Fill(table, [](int i) { return 255 - i; });
    const std::vector<int> before = Entries(table);
    table.Match(uniform, flatAfterBinZero);
    EXPECT_EQ(Entries(table), before) << "target flat after bin 0";
    table.Match(allInBinZero, flat);
    EXPECT_EQ(Entries(table), before) << "source flat after bin 0";
}

TEST(MathTbl, MatchWithNegativeCountsStaysInsideTheTable) {
    int32_t odd[256];
    uint8_t target[256];
    for (int i = 0; i < 256; ++i) {
        odd[i] = (i % 3 == 0) ? -40 : 70;
        target[i] = static_cast<uint8_t>(i & 7);
    }
    odd[255] = 2147483647;  // and a sum that wraps
    MathTbl table;
    table.Match(odd, target);  // the sanitizer build traps any read past a table
    EXPECT_NE(Entries(table), Identity()) << "the match ran";
}

TEST(MathTbl, EqualizeBuildsTheCumulativeCurve) {
    int32_t uniform[256], ends[256] = {}, zero[256] = {};
    for (int i = 0; i < 256; ++i) uniform[i] = 3;
    ends[0] = 1;
    ends[255] = 1;
    zero[0] = 7;
    MathTbl table;
    table.Equalize(uniform);
    EXPECT_EQ(Entries(table), Identity());
    table.Equalize(ends);
    EXPECT_EQ(table.Table()[0], 0);
    EXPECT_EQ(table.Table()[254], 0);
    EXPECT_EQ(table.Table()[255], 255);
    MathTbl untouched;
    untouched.Equalize(zero);
    EXPECT_EQ(Entries(untouched), Identity());
}

TEST(MathTbl, SplineFromMarksPassesThroughTheMarks) {
    MathTbl line;
    std::memset(line.Table(), 0, 256);
    line.Table()[0] = 1;  // a 1 marks the value 0
    line.Table()[100] = 100;
    line.Table()[200] = 200;
    line.SplineFromMarks();
    EXPECT_EQ(Entries(line), Identity()) << "collinear marks give the line, extended beyond";

    MathTbl curve;
    std::memset(curve.Table(), 0, 256);
    curve.Table()[10] = 1;
    curve.Table()[128] = 200;
    curve.Table()[240] = 250;
    curve.SplineFromMarks();
    EXPECT_EQ(curve.Table()[10], 0);
    EXPECT_EQ(curve.Table()[128], 200);
    EXPECT_EQ(curve.Table()[240], 250);
    EXPECT_EQ(curve.Table()[0], 0) << "clamped below";
    for (int i = 11; i < 128; ++i) EXPECT_GT(curve.Table()[i], curve.Table()[i - 1]) << i;

    MathTbl single;
    std::memset(single.Table(), 0, 256);
    single.Table()[50] = 77;
    single.SplineFromMarks();
    for (int i = 0; i < 256; ++i) EXPECT_EQ(single.Table()[i], 77) << i;

    MathTbl unmarked;
    std::memset(unmarked.Table(), 0, 256);
    unmarked.SplineFromMarks();
    for (int i = 0; i < 256; ++i) EXPECT_EQ(unmarked.Table()[i], 0) << "no marks, no change at " << i;
}

TEST(MathTbl, FromCurveBuildsByTypeAndCopiesTheTable) {
    const struct {
        ParamCurve curve;
        void (*direct)(MathTbl&);
    } cases[] = {
        {Curve(1, {77.9}), [](MathTbl& t) { std::memset(t.Table(), 77, 256); }},
        {Curve(2, {0.5, 0.1, 0.9}), [](MathTbl& t) { t.Power(0.5, 0.1, 0.9); }},
        {Curve(3, {0.05, 0.5, 0.0, 1.0}), [](MathTbl& t) { t.Sigmoid(0.05, 0.5, 0.0, 1.0); }},
        {Curve(4, {1.5, 0.4, 0.1, 0.9}), [](MathTbl& t) { t.Exponential(1.5, 0.4, 0.1, 0.9); }},
        {Curve(5, {0.1, 0.3, 0.1, 0.6, 0.2, 0.8}),
         [](MathTbl& t) { t.SigmoidBand(0.1, 0.3, 0.1, 0.6, 0.2, 0.8); }},
        {Curve(6, {0.5, -0.5, 1.0, 0.0, -1.0, 0.25}),
         [](MathTbl& t) { t.HueSteps(0.5, -0.5, 1.0, 0.0, -1.0, 0.25); }},
    };
    for (const auto& c : cases) {
        ParamCurve curve = c.curve;
        MathTbl fromCurve, direct;
        fromCurve.FromCurve(curve);
        c.direct(direct);
        EXPECT_EQ(Entries(fromCurve), Entries(direct)) << "type " << curve.type;
        EXPECT_EQ(std::memcmp(curve.table, direct.Table(), 256), 0) << "type " << curve.type;
        EXPECT_STREQ(curve.name, "Test Curve");
        EXPECT_EQ(curve.count, c.curve.count);
    }
}

TEST(MathTbl, FromCurveWithoutATypeTouchesNothing) {
    for (int type : {0, 7, -1}) {
        ParamCurve curve = Curve(type, {0.05, 0.5, 0.0, 1.0});
        std::memset(curve.table, 0xAB, sizeof curve.table);
        MathTbl table;
        table.FromCurve(curve);
        EXPECT_EQ(Entries(table), Identity()) << type;
        for (uint8_t v : curve.table) ASSERT_EQ(v, 0xAB) << type;
    }
}

TEST(MathTbl, ExtremeParametersAreClampedNotUndefined) {
    // Every conversion clamps first: NaN and huge parameters give defined tables (the sanitizer
    // build traps any out-of-range conversion).
    const struct {
        const char* name;
        void (*build)(MathTbl&);
        int entry0, entry255;  // -1: any value
    } cases[] = {
        {"constant of 1e300", [](MathTbl& t) { ParamCurve c = Curve(1, {1e300}); t.FromCurve(c); }, 255, 255},
        {"constant of -1e300", [](MathTbl& t) { ParamCurve c = Curve(1, {-1e300}); t.FromCurve(c); }, 0, 0},
        {"constant of NaN", [](MathTbl& t) { ParamCurve c = Curve(1, {kNaN}); t.FromCurve(c); }, 0, 0},
        {"sigmoid NaN slope is a step", [](MathTbl& t) { t.Sigmoid(kNaN, 0.5, 0.0, 1.0); }, 0, 255},
        {"sigmoid NaN low", [](MathTbl& t) { t.Sigmoid(0.05, 0.5, kNaN, 1.0); }, 0, 0},
        {"sigmoid huge range", [](MathTbl& t) { t.Sigmoid(1e300, 1e300, -1e300, 1e300); }, -1, -1},
        {"sigmoid huge line", [](MathTbl& t) { t.Sigmoid(0.0, 0.5, -1e300, 1e300); }, 0, -1},
        {"exponential huge curvature", [](MathTbl& t) { t.Exponential(1e300, 0.5, 0.0, 1.0); }, -1, -1},
        {"exponential huge negative curvature", [](MathTbl& t) { t.Exponential(-1e300, 0.5, 0.0, 1.0); }, -1, -1},
        {"exponential NaN middle", [](MathTbl& t) { t.Exponential(2.0, kNaN, 0.0, 1.0); }, -1, -1},
        {"exponential far middle", [](MathTbl& t) { t.Exponential(2.0, -1e300, 0.0, 1.0); }, -1, -1},
        {"exponential flat huge", [](MathTbl& t) { t.Exponential(2.0, 0.5, 1e300, 1e300); }, 255, 255},
        {"power huge", [](MathTbl& t) { t.Power(1e300, -1e300, 1e300); }, -1, -1},
        {"power NaN", [](MathTbl& t) { t.Power(kNaN, 0.0, 1.0); }, 0, 255},
        {"dual power at -1", [](MathTbl& t) { t.DualPower(-1.0, 1e300, 0.0, 1.0); }, -1, -1},
        {"gauss tiny sigma", [](MathTbl& t) { t.Gauss(1e-300, 0.5, 0.0, 1.0); }, 0, 0},
        {"band huge slopes", [](MathTbl& t) { t.SigmoidBand(1e300, 0.3, -1e300, 0.7, 0.0, 1.0); }, -1, -1},
        {"hue steps huge keys", [](MathTbl& t) { t.HueSteps(1e300, -1e300, kNaN, 0, 0, 0); }, -1, 255},
    };
    for (const auto& c : cases) {
        MathTbl first, second;
        c.build(first);
        c.build(second);
        EXPECT_EQ(Entries(first), Entries(second)) << c.name;
        if (c.entry0 >= 0) {
            EXPECT_EQ(first.Table()[0], c.entry0) << c.name;
        }
        if (c.entry255 >= 0) {
            EXPECT_EQ(first.Table()[255], c.entry255) << c.name;
        }
    }
}

TEST(MathTbl, KeepSigmoidCurveBuildsOnceAndRecordsTheRowsGiven) {
    const CurveRows rows = {{0.01, 0.02, 0.1, 0.1}, {-5, 0, 0, 0}, {5, 1, 1, 1}};
    ParamCurve curve = {};
    const uint8_t* table = KeepSigmoidCurve(curve, "Sharp Blend", {0.04, 0.6, 0, 1.0}, &rows);
    EXPECT_EQ(table, curve.table);
    EXPECT_STREQ(curve.name, "Sharp Blend");
    EXPECT_EQ(curve.count, 4);
    EXPECT_EQ(curve.type, kCurveSigmoid);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(curve.step[i], rows.step[i]);
        EXPECT_EQ(curve.minimum[i], rows.minimum[i]);
        EXPECT_EQ(curve.maximum[i], rows.maximum[i]);
    }
    MathTbl expected;
    expected.Sigmoid(0.04, 0.6, 0, 1.0);
    EXPECT_EQ(std::memcmp(curve.table, expected.Table(), 256), 0);

    // Kept: other values neither rebuild the table nor rewrite the record.
    KeepSigmoidCurve(curve, "Other", {0, 0, 1.0, 1.0});
    EXPECT_STREQ(curve.name, "Sharp Blend");
    EXPECT_EQ(std::memcmp(curve.table, expected.Table(), 256), 0);
    EXPECT_EQ(curve.step[1], 0.02);

    // Built: always anew, with zero rows when none are given.
    BuildSigmoidCurve(curve, "Other", {0, 0, 1.0, 1.0});
    EXPECT_STREQ(curve.name, "Other");
    EXPECT_EQ(curve.table[0], 255);
    EXPECT_EQ(curve.step[1], 0.0);
    EXPECT_EQ(curve.maximum[0], 0.0);
}
