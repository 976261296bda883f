// FixDialog: the base of every dialog of the plug-ins. Each is made from an empty template and
// builds its controls in code; FixDialog places it against its owner, paints a button-face
// background, makes fonts from string-table entries, loads texts into one shared buffer, and
// shows up to 50 image panes (with dithered copies and their palettes on palette screens),
// routing mouse presses and moves to the pane under the pointer.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/win32/pane.h"
#include "framework/dialog.h"
#include "framework/gdi_objects.h"
#include "imaging/dib.h"

class FixDialog : public framework::TDialog {
public:
    static constexpr int kMaxPanes = 50;

    FixDialog(framework::TWindow* owner, const char* templateName, int left, int top, int right,
              int bottom);
    ~FixDialog() override;

    // Entry `id` of the module's string table in the one buffer all dialogs share (255
    // characters); the next call overwrites it.
    static const char* GetString(int id);

    // Makes the current font from font entry `id`; the caller copies it for what it keeps.
    void CreateDialogFont(int id);
    const framework::TFont* CurrentFont() const { return currentFont_.get(); }
    // A new font like the current one, for a group of controls to keep; null without one or
    // when it cannot be made.
    std::unique_ptr<framework::TFont> CopyCurrentFont() const;

    // An image pane at (x, y) of the image's size; on palette screens with a dithered copy
    // (reused while the size stays, and only for 24-bit images: others are drawn as they are).
    // Leaves the pane unshown; nothing for an index outside 0..49 or a null image.
    void SetPaneImage(int index, const TDib* image, int x, int y, int bevel);
    // A frame-only pane; unshown, clickable.
    void SetPaneFrame(int index, int left, int top, int right, int bottom, int bevel);
    void UpdatePane(int index);
    void SetPaneLabel(int index, int kind, const void* value);
    void SetPaneHotRect(int index, int left, int top, int right, int bottom);
    Pane& PaneAt(int index) { return panes_[index]; }
    int PaneCount() const { return paneCount_; }
    int ScreenColors() const { return screenColors_; }

    // n > 0 draws n rings inside the rectangle, n < 0 |n| rings outside it; raised light at
    // the top and left, sunken the reverse.
    void DrawFrame(HDC dc, const RECT& rect, int n, bool fill, bool sunken);
    void PaintPaneRange(HDC dc, int first, int last);
    void RealizePalettes();

    virtual void PlaceWindow();
    // Moves the window, of the placement's size, to the centre of its owner's window (of the
    // screen's work area without an owner).
    void CentreOnOwner();
    virtual void CmCancelHook() {}
    virtual void CmOkHook() {}
    virtual void PaintPanes(HDC dc);
    virtual void PaneMouse(int, WPARAM, POINT) {}

protected:
    // String-table entries of the captions the dialogs' buttons share.
    enum : int { kStringHelp = 213, kStringOk = 214, kStringCancel = 215 };

    void SetupWindow() override;
    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void EvLButtonDown(WPARAM keys, POINT point);
    void EvLButtonUp();
    void EvRButtonDown(WPARAM keys, POINT point);
    void EvRButtonUp();
    void EvMouseMove(WPARAM keys, POINT point);

    framework::TWindow* owner_;
    RECT placement_;
    std::unique_ptr<framework::TBrush> background_;
    std::unique_ptr<framework::TFont> currentFont_;
    std::unique_ptr<framework::TFont> textLabelFont_;
    std::unique_ptr<framework::TFont> numberLabelFont_;

private:
    void DoPaint();
    HBRUSH EvCtlColor(HDC dc);
    void EvSysColorChange();
    void RoutePress(WPARAM keys, POINT point);

    int screenColors_;
    int paneCount_ = 0;
    Pane panes_[kMaxPanes + 1];
    bool leftCaptured_ = false;
    bool rightCaptured_ = false;
};
