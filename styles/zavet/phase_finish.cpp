// ZAVET's finish: the ground's relief over the washed picture, as strong in focus as out of it.
#include "engine/even_relief.h"
#include "styles/zavet/expert.h"

namespace zavet {

namespace {

// The relief's weight by material level; the table is the constant 76, 127 or 204.
constexpr double kReliefWeight[3] = {0.3, 0.5, 0.8};
constexpr CurveRows kWeightRows = {{0.01, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, {5, 1, 1, 1}};
// Raised texture lighter, hollows darker and more colourful.
constexpr int kReliefGains[4] = {2, 0, -4, 4};

}  // namespace

int Expert::Finish() {
    return EvenReliefFinish(*this, textureWeight, kReliefWeight, &kWeightRows, kReliefGains);
}

}  // namespace zavet
