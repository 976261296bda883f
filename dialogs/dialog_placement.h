// Where a window goes when it is centred on another: the halves are integer divisions that
// truncate toward zero, so a window larger than its owner by an odd number of pixels sits one
// pixel nearer the owner's right or bottom edge than its left or top one.
#pragma once

namespace placement {

struct Origin {
    int x, y;
};

// The top-left corner of a width × height window centred on (left, top, right, bottom).
Origin CentredOn(int left, int top, int right, int bottom, int width, int height);

}  // namespace placement
