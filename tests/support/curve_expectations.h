// Expectations on a style's tunable curves: the name, the sigmoid type, the four values and,
// where a style writes them, the rows of steps, minima and maxima.
#pragma once

#include <gtest/gtest.h>

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

// The same with the rows given one by one.
inline void ExpectSigmoidCurve(const ParamCurve& curve, const char* name,
                               const double (&values)[4], const double (&steps)[4],
                               const double (&minima)[4], const double (&maxima)[4]) {
    CurveRows rows;
    for (int i = 0; i < 4; ++i) {
        rows.step[i] = steps[i];
        rows.minimum[i] = minima[i];
        rows.maximum[i] = maxima[i];
    }
    ExpectSigmoidCurve(curve, name, values, &rows);
}
