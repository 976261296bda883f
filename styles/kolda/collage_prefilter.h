// The collage pre-filter: an edge-preserving smoothing that pulls every pixel toward its
// neighbour mean where the neighbourhood's range is small and leaves steps alone, run from the
// source into the canvas and back. KOLDA's Prefilter phase, borrowed by GRISOV and TEVU.
#pragma once

#include "engine/expert_base.h"

namespace kolda {

// Always 1: without its filter object the phase leaves the picture as it is.
int CollagePrefilter(ExpertBase& engine);

}  // namespace kolda
