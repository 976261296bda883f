// Default painting phase ExpertBase::ExtraStage: a spare stage that does nothing.
#include "engine/expert_base.h"

int ExpertBase::ExtraStage() { return 1; }
