// ODButton: an owner-drawn button of a dialog's template that shows one of two bitmaps of the
// module, the down one while it is pressed (its own state) or held down, the up one otherwise,
// and takes the up bitmap's size at a position of its own. ODButtonGroup (dialogs/) makes
// radio groups of them.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/od_button_group.h"
#include "framework/controls.h"
#include "framework/gdi_objects.h"

class ODButton : public framework::TControl, public ODButtonState {
public:
    // The button `resourceId` of the parent's template; both bitmaps are loaded at once.
    ODButton(framework::TDialog* parent, int resourceId, const char* upName, const char* downName,
             int x, int y);
    ~ODButton() override;

    // Moves the button to (x, y) with the up bitmap's size; without an up bitmap it keeps the
    // template's size.
    void SetupWindow() override;

    void ODADrawEntire(const DRAWITEMSTRUCT& item) override;
    void ODASelect(const DRAWITEMSTRUCT& item) override;
    // Copies the whole bitmap to the item rectangle's top-left corner; nothing without one.
    void DrawBitmap(const DRAWITEMSTRUCT& item, const framework::TBitmap* bitmap);

    const framework::TBitmap* UpBitmap() const { return up_.get(); }
    const framework::TBitmap* DownBitmap() const { return down_.get(); }

protected:
    void Repaint() override;

private:
    const framework::TBitmap* Bitmap(ODBitmap which) const;

    std::unique_ptr<framework::TBitmap> up_, down_;
    int x_, y_;
};
