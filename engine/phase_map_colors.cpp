// Default painting phase ExpertBase::MapColors: colour mapping by the plug-in's colour map.
#include "engine/expert_base.h"

int ExpertBase::MapColors() { return 1; }
