// ZoDialog: construction, set-up, the lists, the preview, the size list, help, the cursor and
// closing. The study and the final painting are in zo_dialog_painting.cpp, the region
// editor's drawing in zo_dialog_regions.cpp.
#include "dialogs/win32/zo_dialog.h"

#include <windowsx.h>

#include <new>
#include <utility>

#include "dialogs/fitting_font_height.h"
#include "dialogs/list_entries.h"
#include "dialogs/preview_picture.h"
#include "dialogs/win32/help.h"
#include "dialogs/win32/sub_dialogs.h"
#include "engine/status_text.h"
#include "framework/dc.h"
#include "framework/module.h"
#include "imaging/resolution.h"
#include "plugin/error_box.h"
#include "plugin/material.h"
#include "plugin/output_dpi.h"
#include "plugin/string_ids.h"

namespace {

// String-table entries of the dialog.
enum : int {
    kFontTitle = 100,
    kFontCredit = 101,
    kFontButtons = 102,
    kFontLists = 103,
    kStringStyleTitle = 203,
    kStringCredit = 202,
    kStringOriginal = 210,
    kStringStudy = 211,
    kStringTableau = 212,
    kStringSizeLabel = 220,  // 220..225: the six labels
    kStringLevels = 230,     // 230..232: the three levels
};

constexpr int kSizeTextSize = 512;

// The cursor kind on show, one for the whole plug-in.
int cursorKind = regions::kCursorArrow;

// The cursor of a kind; null for kinds without one.
HCURSOR CursorFor(int kind) {
    switch (kind) {
    case regions::kCursorArrow: return LoadCursor(nullptr, IDC_ARROW);
    case regions::kCursorWait: return LoadCursor(nullptr, IDC_WAIT);
    case regions::kCursorHand1: return LoadCursorA(framework::Module(), "HAND1");
    case regions::kCursorHand2: return LoadCursorA(framework::Module(), "HAND2");
    case regions::kCursorHand3: return LoadCursorA(framework::Module(), "HAND3");
    case regions::kCursorMaterial: return LoadCursorA(framework::Module(), "MAT");
    default: return nullptr;
    }
}

}  // namespace

ZoDialog::ZoDialog(framework::TWindow* owner, int left, int top, int right, int bottom, HWND host,
                   FilterCall& call, int* result)
    : FixDialog(owner, "ZO", left, top, right, bottom), host_(host), call_(call),
      image_(call.image.get()), settings_(call.settings), result_(result),
      title_(this, -1, GetString(kStringStyleTitle), 228, 15, 140, 20, 100),
      credit_(this, -1, GetString(kStringCredit), 228, 35, 140, 20, 100),
      sizeLabel_(this, -1, GetString(kStringSizeLabel), 228, 65, 50, 20, 10),
      materialLabel_(this, -1, GetString(kStringSizeLabel + 1), 228, 90, 50, 20, 10),
      touchLabel_(this, -1, GetString(kStringSizeLabel + 2), 228, 115, 50, 20, 10),
      colorLabel_(this, -1, GetString(kStringSizeLabel + 3), 228, 140, 50, 20, 10),
      deformLabel_(this, -1, GetString(kStringSizeLabel + 4), 228, 165, 50, 20, 10),
      focusLabel_(this, -1, GetString(kStringSizeLabel + 5), 228, 190, 50, 20, 10),
      sizeList_(this, kSizeList, 278, 60, 85, 140, CBS_DROPDOWNLIST, 20),
      materialList_(this, kMaterialList, 278, 85, 85, 140, CBS_DROPDOWNLIST, 20),
      touchList_(this, kTouchList, 278, 110, 85, 140, CBS_DROPDOWNLIST, 20),
      colorList_(this, kColorList, 278, 135, 85, 140, CBS_DROPDOWNLIST, 20),
      deformList_(this, kDeformList, 278, 160, 85, 140, CBS_DROPDOWNLIST, 20),
      focusList_(this, kFocusList, 278, 185, 85, 140, CBS_DROPDOWNLIST, 20),
      originalButton_(this, kOriginalButton, GetString(kStringOriginal), 10, 230, 66, 35, false),
      studyButton_(this, kStudyButton, GetString(kStringStudy), 82, 230, 66, 35, false),
      tableauButton_(this, kTableauButton, GetString(kStringTableau), 154, 230, 66, 35, false),
      helpButton_(this, kHelpButton, GetString(kStringHelp), 226, 230, 66, 35, false),
      cancelButton_(this, IDCANCEL, GetString(kStringCancel), 298, 230, 66, 35, false) {
    *result_ = 0;
    CreateDialogFont(kFontTitle);
    textLabelFont_ = CopyCurrentFont();
    CreateDialogFont(kFontCredit);
    creditFont_ = CopyCurrentFont();
    CreateDialogFont(kFontButtons);
    buttonFont_ = CopyCurrentFont();
    CreateDialogFont(kFontLists);
    listFont_ = CopyCurrentFont();
    rubberPen_.reset(new (std::nothrow) framework::TPen(PS_SOLID, 2, RGB(255, 255, 255)));
    if (!textLabelFont_ || !creditFont_ || !buttonFont_ || !listFont_ || !rubberPen_)
        ShowError("%s", texts::kNoMemory);
}

ZoDialog::~ZoDialog() {
    if (IsWindow()) DestroyWindow(GetHandle());
}

void ZoDialog::SetupWindow() {
    FixDialog::SetupWindow();
    settings_ = call_.settings;
    FillLists();

    FitTitleFont();
    auto font = [](const std::unique_ptr<framework::TFont>& f) { return f ? f->GetHandle() : nullptr; };
    title_.SetFont(font(titleFont_ ? titleFont_ : textLabelFont_), false);
    credit_.SetFont(font(creditFont_), false);
    framework::TControl* const labelsAndLists[] = {&sizeLabel_,   &materialLabel_, &touchLabel_,
                                                   &colorLabel_,  &deformLabel_,   &focusLabel_,
                                                   &sizeList_,    &materialList_,  &touchList_,
                                                   &colorList_,   &deformList_,    &focusList_};
    for (framework::TControl* control : labelsAndLists) control->SetFont(font(listFont_), false);
    framework::TControl* const buttons[] = {&originalButton_, &studyButton_, &tableauButton_,
                                            &helpButton_, &cancelButton_};
    for (framework::TControl* button : buttons) button->SetFont(font(buttonFont_), false);

    preview_ = TDib::Create24(preview::kSide, preview::kSide);
    ground_ = TDib::Create8(preview::kSide, preview::kSide);
    if (!preview_ || !ground_) ShowError("%s", texts::kNoMemory);
    BuildPreview();

    MoveWindow(GetHandle(), placement_.left, placement_.top, placement_.right - placement_.left,
               placement_.bottom - placement_.top, FALSE);
    RECT client;
    GetClientRect(GetHandle(), &client);
    SetPaneFrame(0, client.left + 3, client.top + 3, client.right - 3, client.bottom - 3, 3);
    PaneAt(0).shown = true;

    SetCursorKind(regions::kCursorArrow);
    EnableWindow(host_, FALSE);
}

// A static of SS_LEFT wraps a text wider than its client area at a word break, and the second
// line would fall under the credit line below: the title's font then takes the largest
// height at which the title holds on one line, keeping face, weight and character set. A
// title that fits keeps the font made from its entry (the text-label font); a fitted one is
// the dialog's own, freed with it.
void ZoDialog::FitTitleFont() {
    HWND title = title_.GetHandle();
    if (!textLabelFont_ || title == nullptr) return;
    char text[256];
    const int length = GetWindowTextA(title, text, sizeof text);
    RECT client;
    GetClientRect(title, &client);
    framework::TClientDC dc(title);
    if (!dc.IsValid()) return;
    LOGFONTA description = textLabelFont_->Description();
    const int entryHeight = description.lfHeight;
    const int height = FittingFontHeight(entryHeight, client.right, [&](int candidate) {
        description.lfHeight = candidate;
        const framework::TFont font(description);
        // A font that cannot be made ends the search; the entry's font then stays.
        if (!font.IsValid()) return 0;
        SIZE extent = {0, 0};
        const HGDIOBJ previous = SelectObject(dc.GetHDC(), font.GetHandle());
        GetTextExtentPoint32A(dc.GetHDC(), text, length, &extent);
        SelectObject(dc.GetHDC(), previous);  // out before the font is deleted
        return static_cast<int>(extent.cx);
    });
    if (height == entryHeight) return;
    description.lfHeight = height;
    std::unique_ptr<framework::TFont> fitted(new (std::nothrow) framework::TFont(description));
    if (fitted && fitted->IsValid()) titleFont_ = std::move(fitted);
}

void ZoDialog::FillLists() {
    sizeList_.ClearList();
    char sizeText[kSizeTextSize];
    if (LoadStringA(framework::Module(), kStringSizeList, sizeText, sizeof sizeText) > 0) {
        SizeListNames names;
        WalkSizeList(sizeText, &names);
        for (int k = 0; k < names.count; ++k) sizeList_.InsertString(names.names[k], k);
        lastSizeIndex_ = names.lastIndex;
    }
    sizeList_.SetSelIndex(settings_.sizeIndex);

    framework::TComboBox* levels[] = {&materialList_, &touchList_, &colorList_, &deformList_,
                                      &focusList_};
    const int16_t values[] = {settings_.materialLevel, settings_.touchLevel, settings_.colorLevel,
                              settings_.deformLevel, settings_.focusLevel};
    for (int i = 0; i < 5; ++i) {
        levels[i]->ClearList();
        for (int level = 0; level < 3; ++level)
            levels[i]->InsertString(GetString(kStringLevels + level), level);
        levels[i]->SetSelIndex(values[i]);
    }
}

void ZoDialog::ReadParameters() {
    settings_.sizeIndex = static_cast<int16_t>(sizeList_.GetSelIndex());
    settings_.materialLevel = static_cast<int16_t>(materialList_.GetSelIndex());
    settings_.touchLevel = static_cast<int16_t>(touchList_.GetSelIndex());
    settings_.colorLevel = static_cast<int16_t>(colorList_.GetSelIndex());
    settings_.deformLevel = static_cast<int16_t>(deformList_.GetSelIndex());
    settings_.focusLevel = static_cast<int16_t>(focusList_.GetSelIndex());
    UpdateWindow(GetHandle());
}

int ZoDialog::OutputDpi() const {
    int dpi = 0;
    GetOutputDpi(call_.environment, settings_.sizeIndex, image_->Width(), image_->Height(), &dpi);
    return dpi;
}

void ZoDialog::ReduceImage(int maxWidth, int maxHeight) {
    if (image_ == nullptr) return;
    step_ = preview::ReductionStep(image_->Width(), image_->Height(), maxWidth, maxHeight);
    reduced_.reset();
    reduced_ = preview::Reduce(*image_, step_);
    if (!reduced_) ShowError("%s", texts::kNoMemory);
}

void ZoDialog::BuildGround() {
    if (image_ == nullptr || !preview_ || !ground_) return;
    const MaterialInfo& ground = settings_.ground != nullptr ? *settings_.ground : call_.ground.info;
    preview::BuildGround(ground, ground_.get());
}

void ZoDialog::DitherPreview() {
    Pane& pane = PaneAt(kPreviewPane);
    if (pane.copy) pane.copy->Dither(preview_.get(), 1);
}

void ZoDialog::ComposePreview() {
    if (!reduced_ || !preview_ || !ground_) return;
    const MaterialInfo& ground = settings_.ground != nullptr ? *settings_.ground : call_.ground.info;
    preview::Compose(*reduced_, *ground_, ground, unpaintedShown_ ? preview::kShadowOffset : 0,
                     preview_.get());
    const preview::Placement at = preview::PlaceInPreview(reduced_->Width(), reduced_->Height());
    editor_.SetPlacement({at.left, at.top, at.right, at.bottom},
                         {at.left, at.top, step_, image_->Height()});
    DitherPreview();
}

bool ZoDialog::KeepUnpaintedCopy() {
    unpainted_ = preview::CopyOf(*reduced_);
    if (unpainted_) return true;
    ShowError("%s", texts::kNoMemory);
    return false;
}

void ZoDialog::BuildPreview() {
    if (image_ == nullptr || !preview_ || !ground_) return;
    ReduceImage(preview::kFitSide, preview::kFitSide);
    unpaintedShown_ = true;
    editor_.SetUnpaintedShown(true);
    LoadMaterial(call_.ground, settings_.groundIndex, OutputDpi() / step_, &settings_);
    BuildGround();
    if (reduced_) {
        if (!KeepUnpaintedCopy()) return;
        ComposePreview();
    }
    SetPaneImage(kPreviewPane, preview_.get(), preview::kPaneLeft, preview::kPaneTop, -5);
    PaneAt(kPreviewPane).shown = true;
}

void ZoDialog::InvalidatePreview() {
    const RECT& rect = PaneAt(kPreviewPane).rect;
    InvalidateRect(GetHandle(), &rect, FALSE);
}

void ZoDialog::CbnSizeChange() {
    const int selection = sizeList_.GetSelIndex();
    if (selection < 0) return;
    if (selection == lastSizeIndex_) {
        int millimetres = call_.environment.screenMm;
        int dpi = call_.environment.screenDpi;
        if (RunScreenDialog(this, &millimetres, &dpi) == IDOK) {
            call_.environment.screenMm = static_cast<int16_t>(millimetres);
            call_.environment.screenDpi = static_cast<int16_t>(dpi);
        }
        sizeList_.SetSelIndex(1);
        return;
    }
    settings_.sizeIndex = static_cast<int16_t>(selection);
    const int32_t pelsPerMeter = PelsPerMeterFromDpi(OutputDpi());
    image_->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    BuildPreview();
    InvalidatePreview();
}

void ZoDialog::OpenGroundDialog() {
    if (RunGroundDialog(this, call_, &settings_, OutputDpi()) != IDOK) return;
    BuildPreview();
    InvalidatePreview();
}

void ZoDialog::CmOriginal() {
    if (unpaintedShown_) return;
    ReduceImage(preview::kFitSide, preview::kFitSide);
    if (!reduced_) return;
    if (!KeepUnpaintedCopy()) return;
    unpaintedShown_ = true;
    editor_.SetUnpaintedShown(true);
    ComposePreview();
    InvalidatePreview();
}

void ZoDialog::CmHelp() { ShowHelp(GetHandle(), HELP_CONTENTS, 0); }

void ZoDialog::SetCursorKind(int kind) {
    if (kind == cursorKind) return;
    cursorKind = kind;
    if (HCURSOR cursor = CursorFor(kind)) SetCursor(cursor);
}

bool ZoDialog::CanClose() {
    if (*result_ != 0) {
        ReadParameters();
        call_.settings = settings_;
    }
    ReleaseHost();
    return true;
}

void ZoDialog::CleanupWindow() {
    FixDialog::CleanupWindow();
    ReleaseHost();
}

void ZoDialog::ReleaseHost() { EnableWindow(host_, TRUE); }

bool ZoDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    *result = 0;
    switch (message) {
    case WM_LBUTTONDOWN: EvLButtonDown(wParam, point); return true;
    case WM_LBUTTONUP: EvLButtonUp(); return true;
    case WM_RBUTTONDOWN: EvRButtonDown(wParam, point); return true;
    case WM_RBUTTONUP: EvRButtonUp(); return true;
    case WM_MOUSEMOVE: EvMouseMove(wParam, point); return true;
    case WM_SETCURSOR:
        // Over the dialog face itself the remembered kind's cursor; controls keep theirs.
        if (reinterpret_cast<HWND>(wParam) != GetHandle() || LOWORD(lParam) != HTCLIENT) break;
        if (HCURSOR cursor = CursorFor(cursorKind)) SetCursor(cursor);
        *result = TRUE;
        return true;
    case WM_COMMAND:
        // A command ends a drag first: the rubber band erased, the capture released.
        editor_.EndDrag(*this);
        if (LOWORD(wParam) == kSizeList && HIWORD(wParam) == CBN_SELCHANGE) {
            CbnSizeChange();
            return true;
        }
        if (HIWORD(wParam) != BN_CLICKED) break;
        switch (LOWORD(wParam)) {
        case kOriginalButton: CmOriginal(); return true;
        case kStudyButton: CmStudy(); return true;
        case kTableauButton: CmTableau(); return true;
        case kHelpButton: CmHelp(); return true;
        default: break;
        }
        break;
    default:
        break;
    }
    return FixDialog::Find(message, wParam, lParam, result);
}
