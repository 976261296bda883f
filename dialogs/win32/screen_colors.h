// The number of colours the screen shows, 1 << (planes × min(bits per pixel, 24)): 256 or
// fewer means a palette screen, where image panes get a dithered copy. A test can put another
// count in place of the measured one (a 24-bit display shows the palette path so).
#pragma once

int ScreenColorCount();

// 0 measures the screen again.
void SetScreenColorCountForTests(int colors);
