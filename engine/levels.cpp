// The user levels' check: a beep for a value outside 0..2.
#include "engine/levels.h"

#include "platform/platform.h"

int CheckedLevel(int level) {
    if (level >= 0 && level <= 2) return level;
    platform::Beep();
    return 1;
}
