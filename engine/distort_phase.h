// The deformation phase that bends the mesh about the picture's centre (ZoForm::Distort) and
// warps the picture and both maps through it. The styles differ only in the strength by deform
// level: the engine's default Deform and the styles that bend more, or inward, share it.
#pragma once

#include "engine/expert_base.h"

// 1 at once for deform level 0 (nothing changes, nothing is drawn); 1 after the warp with
// strength[level] (a level outside 0..2 beeps and takes strength[1]); 0 with
// "メモリが足りません。" over the status text when the mesh cannot be made.
int DistortPhase(ExpertBase& engine, const double (&strength)[3]);
