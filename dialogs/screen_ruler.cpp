// The ruler and arrow of the screen resolution dialog.
#include "dialogs/screen_ruler.h"

namespace screen_ruler {

void Primitives(Primitive primitives[kPrimitiveCount]) {
    int n = 0;
    auto add = [&](Primitive::Kind kind, int x1, int y1, int x2, int y2) {
        primitives[n++] = Primitive{kind, x1, y1, x2, y2};
    };
    add(Primitive::kRectangle, 10, 35, 210, 75);
    add(Primitive::kLine, 10, 65, 209, 65);
    for (int x = 10; x <= 206; x += 4)
        add(Primitive::kLine, x, 75, x, (x - 10) % 20 == 0 ? 55 : 65);
    add(Primitive::kLine, 10, 80, 10, 120);
    add(Primitive::kLine, 209, 80, 209, 120);
    add(Primitive::kLine, 10, 100, 209, 100);
    // Each head as the polyline (20, 90)-(10, 100)-(20, 110) draws it.
    add(Primitive::kLine, 20, 90, 10, 100);
    add(Primitive::kLine, 10, 100, 20, 110);
    add(Primitive::kLine, 199, 90, 209, 100);
    add(Primitive::kLine, 209, 100, 199, 110);
}

}  // namespace screen_ruler
