// The height of a font in which a text stays on one line of a given width: a static control
// that is too narrow for its text wraps it, and the second line falls under the control below.
// Only the height changes; the caller keeps the rest of the font's description.
#pragma once

#include <functional>

// `height` itself when `measure(height)`, the text's width in pixels at that font height, is
// at most `room`; otherwise the largest height of smaller magnitude and the same sign (a
// negative height is the character height, a positive one the cell height) at which it is,
// tried from the top down, so the answer holds even where widths do not fall steadily; the
// magnitude 1 when none fits. A height of 0 asks for the font's default size, which has no
// magnitude to step down from: it comes back as it is, unmeasured. Costs one measure per
// height tried.
int FittingFontHeight(int height, int room, const std::function<int(int height)>& measure);
