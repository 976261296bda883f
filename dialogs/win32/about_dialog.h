// AboutDialog: the About box's face. The plug-in's cover picture on the left, with a raised
// bevel; the style's name, a description of the style and the product's name and version on
// the right, each in a font of its own. A left click anywhere on it, or Escape, closes it. The
// host window is disabled while it is up.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/win32/fix_dialog.h"
#include "framework/controls.h"
#include "framework/gdi_objects.h"
#include "imaging/dib.h"

class AboutDialog : public FixDialog {
public:
    AboutDialog(int left, int top, int right, int bottom, HWND host);
    ~AboutDialog() override;

    // False when a static or a font could not be made: "メモリが足りません。" was shown, and
    // the box must not run.
    bool Built() const { return built_; }

    void PlaceWindow() override {}  // the frame is placed by the application
    void CmCancelHook() override { CmCancel(); }

    const TDib* Cover() const { return cover_.get(); }

protected:
    void SetupWindow() override;
    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Runs while the window is destroyed, on every closing path.
    void CleanupWindow() override { ReleaseHost(); }
    // The host works again.
    virtual void ReleaseHost();

private:
    void LoadCover();
    void EvLButtonDown();

    HWND host_;
    std::unique_ptr<framework::TFont> titleFont_;
    std::unique_ptr<framework::TFont> smallFont_;
    std::unique_ptr<TDib> cover_;
    std::unique_ptr<framework::TStatic> name_, description_, product_;
    bool built_ = false;
};

// The About boxes made after this make only `count` of their statics and fonts (in the order
// they are built) and fail the rest; a negative count makes them all again.
void LimitAboutAllocationsForTests(int count);
