// The picture button's state, its choice of bitmap, and the radio group.
#include "dialogs/od_button_group.h"

void ODButtonState::SetState(int state) {
    if (state == pressed_) return;
    pressed_ = state;
    Repaint();
}

ODBitmap BitmapForDrawEntire(int pressed) { return pressed != 0 ? ODBitmap::kDown : ODBitmap::kUp; }

ODBitmap BitmapForSelect(bool selected, int pressed) {
    return selected || pressed != 0 ? ODBitmap::kDown : ODBitmap::kUp;
}

void ODButtonGroup::Add(int id, ODButtonState* button) {
    if (count_ >= kMaxButtons || button == nullptr) return;
    ids_[count_] = id;
    buttons_[count_] = button;
    ++count_;
}

void ODButtonGroup::ReleaseAll() {
    for (int i = 0; i < count_; ++i) buttons_[i]->SetState(0);
}

int ODButtonGroup::Press(int id) {
    int found = -1;
    for (int i = 0; i < count_ && found < 0; ++i)
        if (ids_[i] == id) found = i;
    if (found < 0 || buttons_[found]->GetState() != 0) return 0;
    for (int i = 0; i < count_; ++i) buttons_[i]->SetState(ids_[i] == id ? 1 : 0);
    return 1;
}
