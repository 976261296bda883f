// The picture button's logic that needs no window: its pressed state, which of its two
// bitmaps it shows, and ODButtonGroup, a radio group of such buttons in which pressing one
// releases the others. ODButton (dialogs/win32/) is the window; tests put buttons of their own
// in its place.
#pragma once

// A picture button's pressed state (0 or 1); a change repaints the button.
class ODButtonState {
public:
    virtual ~ODButtonState() = default;
    int GetState() const { return pressed_; }
    // Stores the state and repaints only when it changes.
    void SetState(int state);

protected:
    // Invalidates the button without erasing it.
    virtual void Repaint() = 0;

private:
    int pressed_ = 0;
};

enum class ODBitmap { kUp, kDown };

// The whole button: the down bitmap while it is pressed.
ODBitmap BitmapForDrawEntire(int pressed);
// A change of selection: the down bitmap while the item is selected (held down by the mouse or
// by BM_SETSTATE) or the button is pressed.
ODBitmap BitmapForSelect(bool selected, int pressed);

// Up to 50 buttons by id, borrowed; entry i holds the id and the button added i-th.
class ODButtonGroup {
public:
    static constexpr int kMaxButtons = 50;

    void Clear() { count_ = 0; }
    // Ignored when the group is full or the button is null.
    void Add(int id, ODButtonState* button);
    // Every button up.
    void ReleaseAll();
    // Presses the button of `id` and releases every other: 1. Nothing changes, and the result
    // is 0, when no entry has the id or its button is pressed already.
    int Press(int id);

    int Count() const { return count_; }

private:
    int count_ = 0;
    int ids_[kMaxButtons] = {};
    ODButtonState* buttons_[kMaxButtons] = {};
};
