// The region editor of the filter dialog's preview: up to 20 elliptical regions drawn with
// three left presses (one end of the axis, the other end, the width), picked, stepped back and
// deleted with the right button. It holds the regions in picture coordinates and works only
// while the unpainted picture is shown; what it draws, the capture and the cursor go through
// a RegionView, so the editor runs without a window in the tests.
#pragma once

#include "dialogs/preview_picture.h"
#include "dialogs/region_geometry.h"
#include "engine/ellipse_region.h"

namespace regions {

// Cursor kinds of the dialog.
enum CursorKind {
    kCursorArrow = 0,
    kCursorWait = 1,
    kCursorHand1 = 2,     // over the picture: a new region can start
    kCursorHand2 = 3,     // the axis end follows the pointer
    kCursorHand3 = 4,     // the width follows the pointer
    kCursorMaterial = 5,  // over the ground margin: the ground dialog
};

class RegionView {
public:
    virtual ~RegionView() = default;
    // The rubber region in the inverting mode, clipped to the preview: the axis line in drag
    // state 1, the outline in state 2. Drawing the same shape twice erases it.
    virtual void DrawRubberRegion(const EllipseRegion& rubber, int dragState) = 0;
    // A stored region's outline: dark below right, light above left.
    virtual void DrawOutline(const EllipseRegion& rubber) = 0;
    virtual void Capture(bool on) = 0;
    virtual void SetCursorKind(int kind) = 0;
    // Repaints the preview at once; the repaint calls PaintOutlines.
    virtual void RepaintPreview() = 0;
    virtual void OpenGroundDialog() = 0;
};

struct Rect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

class RegionEditor {
public:
    enum DragState { kIdle = 0, kAxis = 1, kWidth = 2 };

    RegionEditor();

    // Where the reduced picture sits, set whenever the preview is composed.
    void SetPlacement(const Rect& imageRect, const PreviewMapping& mapping);
    void SetUnpaintedShown(bool shown) { unpaintedShown_ = shown; }

    void LeftDown(RegionView& view, int x, int y);
    void LeftUp();
    void RightDown(RegionView& view, int x, int y);
    void RightUp();
    void MouseMove(RegionView& view, int x, int y);

    // The outlines of the stored regions (all but the one being picked), on a repaint.
    void PaintOutlines(RegionView& view);

    // Ends a drag in progress: the rubber band erased, the capture released; the regions stay
    // as stored. For a command that arrives while the user drags.
    void EndDrag(RegionView& view);

    int Count() const { return count_; }
    const EllipseRegion* Regions() const { return regions_; }
    int State() const { return dragState_; }
    const EllipseRegion& Rubber() const { return rubber_; }

    // The preview pane in dialog coordinates.
    static constexpr Rect kPreviewRect = {preview::kPaneLeft, preview::kPaneTop,
                                          preview::kPaneLeft + preview::kSide,
                                          preview::kPaneTop + preview::kSide};

private:
    void PickRegion(RegionView& view, int x, int y);

    EllipseRegion regions_[kMaxRegions] = {};
    int count_ = 0;
    int edited_ = 0;
    int dragState_ = kIdle;
    int excluded_ = -1;
    EllipseRegion rubber_ = {};
    AxisTerms terms_;
    bool leftDown_ = false;
    bool rightDown_ = false;
    bool unpaintedShown_ = true;
    Rect imageRect_ = {0, 0, 0, 0};
    PreviewMapping mapping_;
};

}  // namespace regions
