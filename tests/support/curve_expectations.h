// Expectations on a style's tunable curves: the name, the sigmoid type, the four values and,
// where a style writes them, the rows of steps, minima and maxima; for curves a phase builds,
// also the table, as MathTbl::Sigmoid builds it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "imaging/math_tbl.h"

inline void ExpectSigmoidCurve(const ParamCurve& curve, const char* name,
                               const double (&values)[4], const CurveRows* rows = nullptr) {
    SCOPED_TRACE(name);
    EXPECT_STREQ(curve.name, name);
    EXPECT_EQ(curve.count, 4);
    EXPECT_EQ(curve.type, kCurveSigmoid);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(curve.value[i], values[i]) << "value " << i;
        if (rows == nullptr) continue;
        EXPECT_EQ(curve.step[i], rows->step[i]) << "step " << i;
        EXPECT_EQ(curve.minimum[i], rows->minimum[i]) << "minimum " << i;
        EXPECT_EQ(curve.maximum[i], rows->maximum[i]) << "maximum " << i;
    }
}

// A curve a phase has filled and built.
struct SigmoidCurveCase {
    const ParamCurve& curve;
    const char* name;
    double values[4];  // slope, centre, low, high
};

inline void ExpectSigmoidCurves(std::initializer_list<SigmoidCurveCase> cases) {
    for (const SigmoidCurveCase& c : cases) {
        ExpectSigmoidCurve(c.curve, c.name, c.values);
        MathTbl table;
        table.Sigmoid(c.values[0], c.values[1], c.values[2], c.values[3]);
        EXPECT_EQ(std::memcmp(c.curve.table, table.Table(), 256), 0) << c.name;
    }
}
