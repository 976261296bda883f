// The screen resolution dialog's picture: a ruler in a white box above a double arrow 200
// pixels long (x 10 to 209), the length the user measures on the screen. As a list of
// primitives in dialog client coordinates, drawn with a black one-pixel pen and a white brush.
#pragma once

namespace screen_ruler {

struct Primitive {
    enum Kind { kRectangle, kLine };
    Kind kind;
    // A rectangle's corners (the right and bottom edges outside it, as Rectangle takes them),
    // or a line's ends (the end point not drawn, as LineTo draws).
    int x1, y1, x2, y2;
};

// The box, the ruler line, 50 ticks (every 4 pixels from x 10 to 206; the long ones every 20),
// the arrow's two end bars, its shaft and its two heads of two strokes each.
constexpr int kPrimitiveCount = 1 + 1 + 50 + 2 + 1 + 4;

// Fills `primitives` with the kPrimitiveCount primitives in drawing order.
void Primitives(Primitive primitives[kPrimitiveCount]);

}  // namespace screen_ruler
