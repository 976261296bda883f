// The curves a style's phases fill and build: each named, a sigmoid of its four values, and
// built as MathTbl::Sigmoid builds them.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "imaging/math_tbl.h"

struct SigmoidCurveCase {
    const ParamCurve& curve;
    const char* name;
    double values[4];  // slope, centre, low, high
};

inline void ExpectSigmoidCurves(std::initializer_list<SigmoidCurveCase> cases) {
    for (const SigmoidCurveCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(c.curve.name, c.name);
        EXPECT_EQ(c.curve.count, 4);
        EXPECT_EQ(c.curve.type, kCurveSigmoid);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(c.curve.value[i], c.values[i]) << "value " << i;
        MathTbl table;
        table.Sigmoid(c.values[0], c.values[1], c.values[2], c.values[3]);
        EXPECT_EQ(std::memcmp(c.curve.table, table.Table(), 256), 0);
    }
}
