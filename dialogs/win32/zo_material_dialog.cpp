// The ground dialog: its controls, the list of grounds, the sample and its description, and
// the ground it restores on Cancel.
#include "dialogs/win32/zo_material_dialog.h"

#include "dialogs/ground_sample.h"
#include "framework/gdi_objects.h"

namespace {

// String-table entries of the dialog.
enum : int {
    kFont = 104,
    kStringHelpKey = 124,
};

constexpr int kWidth = 285;
constexpr int kHeightBelowCaption = 265;

// The frame around the list, and the box under the sample where its description is written.
constexpr RECT kListFrame = {14, 15, 110, 206};
constexpr RECT kDescriptionBox = {116, 182, 266, 206};
constexpr int kSampleLeft = 116;
constexpr int kSampleTop = 15;
constexpr int kBevel = -3;

enum : int { kSamplePane = 0, kListPane = 1, kDescriptionPane = 2 };

}  // namespace

ZoMaterialDialog::ZoMaterialDialog(framework::TWindow* owner, Ground& ground,
                                   FilterSettings* settings, int dpi)
    : SmallDialog(owner, "ZOMATERIAL", kWidth, kHeightBelowCaption, kFont, kStringHelpKey),
      ground_(ground), settings_(settings), dpi_(dpi), choice_(settings->groundIndex),
      okButton_(this, IDOK, GetString(kStringOk), 10, 220, 80, 30, false),
      helpButton_(this, kHelpButton, GetString(kStringHelp), 100, 220, 80, 30, false),
      cancelButton_(this, IDCANCEL, GetString(kStringCancel), 190, 220, 80, 30, false),
      groundList_(this, kGroundList, 14, 15, 95, 210) {
    sample_ = TDib::Create24(ground_sample::kWidth, ground_sample::kHeight);
}

void ZoMaterialDialog::SetupWindow() {
    SmallDialog::SetupWindow();
    UseTextLabelFont({&groundList_, &okButton_, &helpButton_, &cancelButton_});

    SetPaneFrame(kListPane, kListFrame.left, kListFrame.top, kListFrame.right, kListFrame.bottom,
                 kBevel);
    PaneAt(kListPane).shown = true;
    SetPaneFrame(kDescriptionPane, kDescriptionBox.left, kDescriptionBox.top,
                 kDescriptionBox.right, kDescriptionBox.bottom, kBevel);
    PaneAt(kDescriptionPane).shown = true;

    GroundList& lines = choice_.Lines();
    LoadGroundList(&lines);
    for (int i = 0; i < lines.count; ++i) groundList_.AddString(lines.entries[i].shortName);

    // The list keeps the focus: arrow keys browse the grounds.
    SetFocus(groundList_.GetHandle());
    groundList_.SetSelIndex(choice_.OpeningLine());
    ShowSample();
}

void ZoMaterialDialog::ShowSample() {
    const int index = choice_.Select(groundList_.GetSelIndex());
    settings_->groundIndex = static_cast<int16_t>(index);
    LoadMaterial(ground_, index, dpi_, settings_);
    if (sample_) {
        ground_sample::Paint(ground_.info, sample_.get());
        SetPaneImage(kSamplePane, sample_.get(), kSampleLeft, kSampleTop, kBevel);
        PaneAt(kSamplePane).shown = true;
    }
    // The repaint writes the new description too.
    InvalidateRect(GetHandle(), nullptr, FALSE);
}

void ZoMaterialDialog::CmCancelHook() {
    CmCancel();
    settings_->groundIndex = static_cast<int16_t>(choice_.Opening());
    LoadMaterial(ground_, choice_.Opening(), dpi_, settings_);
}

void ZoMaterialDialog::PaintPanes(HDC dc) {
    FixDialog::PaintPanes(dc);
    framework::TBrush face(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &kDescriptionBox, face.GetHandle());
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ previous = textLabelFont_ ? SelectObject(dc, textLabelFont_->GetHandle()) : nullptr;
    RECT box = kDescriptionBox;
    DrawTextA(dc, choice_.Description(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (previous != nullptr) SelectObject(dc, previous);
}

bool ZoMaterialDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && LOWORD(wParam) == kGroundList && HIWORD(wParam) == LBN_SELCHANGE) {
        *result = 0;
        ShowSample();
        return true;
    }
    return SmallDialog::Find(message, wParam, lParam, result);
}
