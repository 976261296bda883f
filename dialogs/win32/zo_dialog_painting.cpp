// ZoDialog's two painting commands: the study of the reduced preview, and the final painting
// of the full picture behind the progress picture, with Escape to stop it.
#include <new>

#include "dialogs/preview_picture.h"
#include "dialogs/progress_display.h"
#include "dialogs/region_geometry.h"
#include "dialogs/win32/progress_picture.h"
#include "dialogs/win32/zo_dialog.h"
#include "engine/status_text.h"
#include "imaging/resolution.h"
#include "plugin/driver.h"
#include "plugin/error_box.h"
#include "plugin/material.h"

namespace {

constexpr char kPaintingError[] = "Painting Error";

// The progress level on show, one for the whole plug-in.
progress::LevelTracker progressLevel;

// True when the first key press waiting in the thread's queue is Escape; the message stays.
bool EscapePending() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) &&
           message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
}

}  // namespace

int ZoDialog::PaintStudy(int dpi) {
    // The study's resolution is the output resolution over the reduction step, kept fractional.
    const auto pelsPerMeter =
        static_cast<int32_t>(static_cast<double>(dpi) / step_ * 1000 * (1 / 25.4));
    reduced_->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    EllipseRegion scaled[kMaxRegions];
    regions::ScaleRegions(editor_.Regions(), editor_.Count(), step_, scaled);
    const int phases = PaintStep(call_, 0, reduced_.get(), settings_, editor_.Count(), scaled);
    for (int i = 1; i <= phases; ++i) {
        if (PaintStep(call_, i, reduced_.get(), settings_, editor_.Count(), scaled) < 0) {
            ShowError("%s", kPaintingError);
            break;
        }
    }
    DeleteExpert(call_);
    return phases;
}

void ZoDialog::CmStudy() {
    if (!unpainted_ || !reduced_) return;
    std::unique_ptr<TDib> fresh = preview::CopyOf(*unpainted_);
    if (!fresh) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    reduced_ = std::move(fresh);
    SetCursorKind(regions::kCursorWait);
    ReadParameters();
    const int dpi = OutputDpi();
    LoadMaterial(call_.ground, settings_.groundIndex, dpi / step_, &settings_);
    PaintStudy(dpi);
    unpaintedShown_ = false;
    editor_.SetUnpaintedShown(false);
    ComposePreview();
    InvalidatePreview();
    SetCursorKind(regions::kCursorArrow);
}

void ZoDialog::StartProgress() {
    std::unique_ptr<TDib> picture = LoadProgressPicture();
    if (!picture || !preview_ || !preview::CopyProgressPicture(*picture, preview_.get())) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    picture.reset();
    ReduceImage(preview::kStudyWidth, preview::kStudyHeight);
    if (!reduced_) return;
    preview::StudyOrigin(reduced_->Width(), reduced_->Height(), &studyX_, &studyY_);

    ReadParameters();
    const int dpi = OutputDpi();
    LoadMaterial(call_.ground, settings_.groundIndex, dpi / step_, &settings_);
    BuildGround();
    if (ground_) preview::MarkCanvas(*ground_, *settings_.ground, preview_.get());
    DitherPreview();
    InvalidatePreview();
    UpdateWindow(GetHandle());

    // The progress study is painted over the first ground of the list, whatever is chosen.
    LoadMaterial(call_.ground, 0, dpi / step_, &settings_);
    ShowProgress(0, PaintStudy(dpi));
}

void ZoDialog::ShowProgress(int phase, int phases) {
    if (!reduced_ || !preview_ || !ground_) return;
    const int level = progressLevel.Next(phase, phases);
    if (level < 0) return;
    progress::PaintBlocks(*reduced_, studyX_, studyY_, *ground_, *settings_.ground, level,
                          preview_.get());
    DitherPreview();
    InvalidatePreview();
    UpdateWindow(GetHandle());
}

void ZoDialog::CmTableau() {
    *result_ = 1;
    SetCursorKind(regions::kCursorWait);
    unpaintedShown_ = false;
    editor_.SetUnpaintedShown(false);
    StartProgress();
    ReadParameters();
    const int dpi = OutputDpi();
    LoadMaterial(call_.ground, settings_.groundIndex, dpi, &settings_);
    const int32_t pelsPerMeter = PelsPerMeterFromDpi(dpi);
    image_->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);

    // The engine paints the held picture in place, with the regions in picture coordinates.
    const int phases = PaintStep(call_, 0, nullptr, settings_, editor_.Count(), editor_.Regions());
    for (int i = 1; i <= phases; ++i) {
        if (PaintStep(call_, i, nullptr, settings_, editor_.Count(), editor_.Regions()) < 0) {
            ShowError("%s", kPaintingError);
            *result_ = 0;
            break;
        }
        if (EscapePending()) {
            *result_ = 0;
            break;
        }
        ShowProgress(i, phases);
    }
    DeleteExpert(call_);
    SetCursorKind(regions::kCursorArrow);
    CmOk();
}
