// Centring a window on its owner.
#include "dialogs/dialog_placement.h"

namespace placement {

Origin CentredOn(int left, int top, int right, int bottom, int width, int height) {
    return Origin{left + ((right - left) - width) / 2, top + ((bottom - top) - height) / 2};
}

}  // namespace placement
