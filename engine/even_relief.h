// The finishing phase of the styles whose ground relief is as strong in focus as out of it:
// the relief weighted by one constant table, picked by the material level.
#pragma once

#include "engine/expert_base.h"
#include "imaging/math_tbl.h"

// Nothing on a plain ground or none (1, nothing drawn). Otherwise makes the ZoMaterial (0 with
// "メモリが足りません。" over the status text when it cannot be had), keeps `curve` as the
// sigmoid "Wight" with slope 0 and low = high = weight[material level] (a level outside 0..2
// beeps and takes weight[1]; `rows` recorded beside the values), and lays the relief with its
// table and the gains a, b, c, d of ZoMaterial::ApplyTexture. 1 after the relief.
int EvenReliefFinish(ExpertBase& engine, ParamCurve& curve, const double (&weight)[3],
                     const CurveRows* rows, const int (&gains)[4]);
