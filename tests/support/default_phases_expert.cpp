// A style engine that runs the default phases, for the tests.
#include "tests/support/default_phases_expert.h"

namespace default_phases {

int Expert::Step() {
    static const int kPercent[kPhases] = {10, 25, 40, 60, 80, 100};
    int ok = 0;
    switch (phaseCounter) {
        case 0: ok = Prefilter(); break;
        case 1: ok = ReduceColors(); break;
        case 2: ok = CorrectFocus(); break;
        case 3: ok = Deform(); break;
        case 4: ok = MapColors(); break;
        case 5: ok = Finish(); break;
        default: return -1;
    }
    if (!ok) return -1;
    return kPercent[phaseCounter++];
}

}  // namespace default_phases
