// User levels are 0, 1 or 2 and select one of three constants. Any other value beeps and
// selects the level-1 constants, so a painting never runs on unset values.
#pragma once

int CheckedLevel(int level);

template <typename T>
const T& ForLevel(const T (&table)[3], int level) {
    return table[CheckedLevel(level)];
}
