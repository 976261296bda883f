// Default painting phase ExpertBase::Prefilter: noise reduction and sharpening.
#include "engine/expert_base.h"

int ExpertBase::Prefilter() { return 1; }
