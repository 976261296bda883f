// ZoDialog: the filter dialog, what the user sees of a plug-in. A 200 × 200 preview of the
// picture on its ground with the regions of interest drawn on it, six drop-down lists (paper
// size and the five levels) and five buttons: the unpainted picture again, a study, the final
// painting (which closes the dialog), help and cancel. It works on its own copy of the
// call's settings record, copied back only when the final painting closes it.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/region_editor.h"
#include "dialogs/win32/fix_dialog.h"
#include "framework/controls.h"
#include "framework/gdi_objects.h"
#include "plugin/filter_call.h"

class ZoDialog : public FixDialog, private regions::RegionView {
public:
    // Control ids.
    enum : int {
        kOriginalButton = 100,
        kStudyButton = 101,
        kTableauButton = 102,
        kHelpButton = 103,
        kSizeList = 105,
        kMaterialList = 106,
        kTouchList = 107,
        kColorList = 108,
        kDeformList = 109,
        kFocusList = 110,
    };

    // Pane 0 is the raised frame along the client's edge, pane 1 the preview.
    static constexpr int kPreviewPane = 1;

    ZoDialog(framework::TWindow* owner, int left, int top, int right, int bottom, HWND host,
             FilterCall& call, int* result);
    ~ZoDialog() override;

    bool CanClose() override;
    void PlaceWindow() override {}  // the frame is placed by the application
    void CmCancelHook() override { CmCancel(); }
    void PaintPanes(HDC dc) override;

    const regions::RegionEditor& Regions() const { return editor_; }

protected:
    void SetupWindow() override;
    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Runs while the window is destroyed, on every closing path: ReleaseHost.
    void CleanupWindow() override;

private:
    // The host window works again.
    void ReleaseHost();

    // Mouse messages on the dialog face, handed to the region editor (which also opens the
    // ground dialog from the preview's margin). Points are in client coordinates.
    void EvLButtonDown(WPARAM keys, POINT point);
    void EvLButtonUp();
    void EvRButtonDown(WPARAM keys, POINT point);
    void EvRButtonUp();
    void EvMouseMove(WPARAM keys, POINT point);

    // The title font at a smaller height when the title is wider than its static.
    void FitTitleFont();

    // Lists, preview and commands.
    void FillLists();
    void ReadParameters();
    int OutputDpi() const;
    void ReduceImage(int maxWidth, int maxHeight);
    void BuildGround();
    void ComposePreview();
    void BuildPreview();
    bool KeepUnpaintedCopy();
    void CbnSizeChange();
    void CmOriginal();
    void CmHelp();
    void SetCursorKind(int kind) override;
    void InvalidatePreview();
    void DitherPreview();

    // Study and final painting (zo_dialog_painting.cpp).
    void CmStudy();
    void CmTableau();
    void StartProgress();
    void ShowProgress(int phase, int phases);
    // Paints the reduced picture as a study at the output resolution `dpi` with the regions
    // scaled down; the phase count, below 1 when the engine could not start.
    int PaintStudy(int dpi);

    // The region editor's view (zo_dialog_regions.cpp).
    void DrawRubberRegion(const EllipseRegion& rubber, int dragState) override;
    void DrawOutline(const EllipseRegion& rubber) override;
    void Capture(bool on) override;
    void RepaintPreview() override;
    void OpenGroundDialog() override;
    void DrawShape(HDC dc, const EllipseRegion& rubber, int dragState, int shiftX, int shiftY);
    template <typename Draw>
    void WithDrawingContext(Draw draw);

    HWND host_;
    FilterCall& call_;
    TDib* image_;                // the held picture, painted in place by the final painting
    FilterSettings settings_;    // the dialog's working copy
    int* result_;

    std::unique_ptr<TDib> preview_;    // 200 × 200, 24 bits: pane 1
    std::unique_ptr<TDib> reduced_;    // the reduced picture; studies are painted into it
    std::unique_ptr<TDib> unpainted_;  // the reduced picture before any study
    std::unique_ptr<TDib> ground_;     // 200 × 200, 8 bits

    std::unique_ptr<framework::TFont> creditFont_, buttonFont_, listFont_;
    // The text-label font at the height that holds the title on one line, when the title is
    // wider than its static in the text-label font itself (FitTitleFont).
    std::unique_ptr<framework::TFont> titleFont_;
    std::unique_ptr<framework::TPen> rubberPen_;

    framework::TStatic title_, credit_;
    framework::TStatic sizeLabel_, materialLabel_, touchLabel_, colorLabel_, deformLabel_,
        focusLabel_;
    framework::TComboBox sizeList_, materialList_, touchList_, colorList_, deformList_,
        focusList_;
    framework::TButton originalButton_, studyButton_, tableauButton_, helpButton_, cancelButton_;

    bool unpaintedShown_ = true;
    int step_ = 1;
    int studyX_ = 0, studyY_ = 0;  // (0, 0) until a progress study is placed
    int lastSizeIndex_ = -1;
    regions::RegionEditor editor_;
    HDC paintDC_ = nullptr;  // the paint context while the preview is repainted
};
