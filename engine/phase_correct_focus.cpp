// Default painting phase ExpertBase::CorrectFocus: focus map from colours, regions and the focus level.
#include "engine/expert_base.h"

int ExpertBase::CorrectFocus() { return 1; }
