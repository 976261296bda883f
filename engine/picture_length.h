// The reach of an effect that grows with the picture's size and the output resolution, as the
// styles size their shadows and outlines: diagonal^0.3 × factor × dpi.
#pragma once

// trunc(diagonal^0.3 × factor × dpi), computed in that order in double with the resolution
// limited to 1..400, then kept within minimum..maximum.
int PictureLength(int diagonal, int dpi, double factor, int minimum, int maximum);
