// AboutDialog: its statics and fonts, the cover, closing at a click, and the host.
#include "dialogs/win32/about_dialog.h"

#include <new>
#include <utility>

#include "engine/status_text.h"
#include "framework/module.h"
#include "plugin/error_box.h"

namespace {

// String-table entries of the box.
enum : int {
    kFontTitle = 108,
    kFontText = 109,
    kFontSmall = 110,
    kStringStyleName = 201,
    kStringDescription = 204,
    kStringProduct = 205,
};

int allocationsLeft = -1;  // negative: no limit

template <typename T, typename... Arguments>
std::unique_ptr<T> Make(Arguments&&... arguments) {
    if (allocationsLeft == 0) return nullptr;
    if (allocationsLeft > 0) --allocationsLeft;
    return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Arguments>(arguments)...));
}

// A copy of the current font that kept its handle; null otherwise.
std::unique_ptr<framework::TFont> CopyFont(const framework::TFont* font) {
    if (font == nullptr) return nullptr;
    std::unique_ptr<framework::TFont> copy = Make<framework::TFont>(*font);
    return copy && copy->IsValid() ? std::move(copy) : nullptr;
}

}  // namespace

void LimitAboutAllocationsForTests(int count) { allocationsLeft = count; }

AboutDialog::AboutDialog(int left, int top, int right, int bottom, HWND host)
    : FixDialog(nullptr, "ABOUT", left, top, right, bottom), host_(host) {
    // Each step needs the one before; the first that fails ends the building.
    using framework::TStatic;
    name_ = Make<TStatic>(this, -1, GetString(kStringStyleName), 167, 15, 160, 25, 20);
    if (name_)
        description_ = Make<TStatic>(this, -1, GetString(kStringDescription), 167, 40, 160, 100, 256);
    if (description_)
        product_ = Make<TStatic>(this, -1, GetString(kStringProduct), 167, 140, 160, 100, 80);
    if (product_) {
        CreateDialogFont(kFontTitle);
        titleFont_ = CopyFont(CurrentFont());
    }
    if (titleFont_) {
        CreateDialogFont(kFontText);
        textLabelFont_ = CopyFont(CurrentFont());
    }
    if (textLabelFont_) {
        CreateDialogFont(kFontSmall);
        smallFont_ = CopyFont(CurrentFont());
    }
    built_ = smallFont_ != nullptr;
    if (!built_) ShowError("%s", texts::kNoMemory);
}

AboutDialog::~AboutDialog() {
    // Destroyed here, so that the clean-up still reaches this dialog's ReleaseHost.
    if (IsWindow()) DestroyWindow(GetHandle());
}

void AboutDialog::SetupWindow() {
    FixDialog::SetupWindow();
    if (!built_) return;
    name_->SetFont(titleFont_->GetHandle(), false);
    description_->SetFont(textLabelFont_->GetHandle(), false);
    product_->SetFont(smallFont_->GetHandle(), false);
    LoadCover();
    MoveWindow(GetHandle(), placement_.left, placement_.top, placement_.right - placement_.left,
               placement_.bottom - placement_.top, FALSE);
    if (host_ != nullptr) EnableWindow(host_, FALSE);
}

void AboutDialog::LoadCover() {
    cover_ = TDib::FromResource(framework::Module(), "COVER");
    if (!cover_) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    // An 8-bit cover keeps its own colours: the pane takes no dithered copy of it.
    SetPaneImage(0, cover_.get(), 5, 5, 3);
    PaneAt(0).shown = true;
}

void AboutDialog::EvLButtonDown() { CmCancelHook(); }

void AboutDialog::ReleaseHost() {
    if (host_ != nullptr) EnableWindow(host_, TRUE);
}

bool AboutDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_LBUTTONDOWN) {
        EvLButtonDown();
        *result = 0;
        return true;
    }
    return FixDialog::Find(message, wParam, lParam, result);
}
