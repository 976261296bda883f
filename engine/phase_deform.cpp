// Default painting phase ExpertBase::Deform: radial mesh deformation by the deform level.
#include "engine/expert_base.h"

int ExpertBase::Deform() { return 1; }
