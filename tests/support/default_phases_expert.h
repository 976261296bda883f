// An engine that runs every default painting phase of ExpertBase in slot order, one phase per
// step: pre-filter, colour reduction, focus map, deformation, colour mapping, ground relief.
#pragma once

#include "engine/expert_base.h"

namespace default_phases {

class Expert : public ExpertBase {
public:
    static constexpr int kPhases = 6;
    Expert() { phaseCount = kPhases; }
    int Step() override;
};

}  // namespace default_phases
