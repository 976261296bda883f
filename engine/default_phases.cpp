// Default painting phases of ExpertBase (slots 3 to 9).
#include "engine/expert_base.h"

int ExpertBase::Prefilter() { return 1; }
int ExpertBase::ReduceColors() { return 1; }
int ExpertBase::CorrectFocus() { return 1; }
int ExpertBase::Deform() { return 1; }
int ExpertBase::MapColors() { return 1; }
int ExpertBase::ExtraStage() { return 1; }
int ExpertBase::Finish() { return 1; }
