// The region editor's press, release and move handling.
#include "dialogs/region_editor.h"

namespace regions {

namespace {
constexpr double kMinRatio = 0.01;
}  // namespace

RegionEditor::RegionEditor() = default;

void RegionEditor::SetPlacement(const Rect& imageRect, const PreviewMapping& mapping) {
    imageRect_ = imageRect;
    mapping_ = mapping;
}

void RegionEditor::LeftDown(RegionView& view, int x, int y) {
    if (dragState_ == kIdle && kPreviewRect.Contains(x, y) && !imageRect_.Contains(x, y)) {
        view.OpenGroundDialog();
        return;
    }
    if (!unpaintedShown_ || leftDown_) return;
    leftDown_ = true;

    if (dragState_ == kIdle) {
        if (!imageRect_.Contains(x, y) || count_ >= kMaxRegions) return;
        view.Capture(true);
        edited_ = count_;
        rubber_ = EllipseRegion{};
        rubber_.startX = rubber_.endX = rubber_.centerX = x;
        rubber_.startY = rubber_.endY = rubber_.centerY = y;
        dragState_ = kAxis;
        view.DrawRubberRegion(rubber_, dragState_);
        view.SetCursorKind(kCursorHand2);
    } else if (dragState_ == kAxis) {
        if (!AxisLongEnough(rubber_)) return;
        FixAxis(&rubber_);
        terms_ = AxisTermsOf(rubber_);
        view.DrawRubberRegion(rubber_, kAxis);  // erases the axis line
        dragState_ = kWidth;
        view.DrawRubberRegion(rubber_, dragState_);
        view.SetCursorKind(kCursorHand3);
    } else {
        if (rubber_.ratio <= kMinRatio) return;
        view.DrawRubberRegion(rubber_, kWidth);
        regions_[edited_] = RegionFromPreview(rubber_, mapping_);
        if (edited_ == count_) ++count_;
        // The outline shows the stored region, with its truncations.
        rubber_ = RegionToPreview(regions_[edited_], mapping_);
        view.DrawOutline(rubber_);
        view.Capture(false);
        dragState_ = kIdle;
        view.SetCursorKind(kCursorHand1);
    }
}

void RegionEditor::LeftUp() {
    if (unpaintedShown_ && leftDown_) leftDown_ = false;
}

void RegionEditor::MouseMove(RegionView& view, int x, int y) {
    if (!unpaintedShown_ || dragState_ == kIdle) {
        int kind = kCursorArrow;
        if (kPreviewRect.Contains(x, y))
            kind = imageRect_.Contains(x, y) ? (unpaintedShown_ ? kCursorHand1 : kCursorArrow)
                                             : kCursorMaterial;
        view.SetCursorKind(kind);
        return;
    }
    if (dragState_ == kAxis) {
        if (x == rubber_.endX && y == rubber_.endY) return;
        view.DrawRubberRegion(rubber_, kAxis);
        rubber_.endX = x;
        rubber_.endY = y;
        view.DrawRubberRegion(rubber_, kAxis);
        return;
    }
    int width;
    double ratio;
    WidthForPointer(rubber_, terms_, x, y, &width, &ratio);
    if (width == rubber_.width) return;
    view.DrawRubberRegion(rubber_, kWidth);
    rubber_.width = width;
    rubber_.ratio = ratio;
    view.DrawRubberRegion(rubber_, kWidth);
}

void RegionEditor::PickRegion(RegionView& view, int x, int y) {
    for (int k = 0; k < count_; ++k) {
        rubber_ = RegionToPreview(regions_[k], mapping_);
        if (!Hits(rubber_, x, y)) continue;
        excluded_ = k;
        view.RepaintPreview();  // the preview without this region's outline
        excluded_ = -1;
        dragState_ = kWidth;
        edited_ = k;
        rubber_ = RegionToPreview(regions_[k], mapping_);
        terms_ = AxisTermsOf(rubber_);
        view.DrawRubberRegion(rubber_, dragState_);
        view.SetCursorKind(kCursorHand3);
        view.Capture(true);
        return;
    }
}

void RegionEditor::RightDown(RegionView& view, int x, int y) {
    if (!unpaintedShown_ || rightDown_) return;
    rightDown_ = true;
    if (dragState_ == kIdle) {
        PickRegion(view, x, y);
    } else if (dragState_ == kAxis) {
        view.DrawRubberRegion(rubber_, kAxis);
        if (edited_ < count_) DeleteRegion(regions_, &count_, edited_);
        view.Capture(false);
        dragState_ = kIdle;
        view.SetCursorKind(kCursorHand1);
    } else {
        view.DrawRubberRegion(rubber_, kWidth);
        dragState_ = kAxis;
        view.DrawRubberRegion(rubber_, kAxis);
        view.SetCursorKind(kCursorHand2);
    }
}

void RegionEditor::RightUp() {
    if (unpaintedShown_ && rightDown_) rightDown_ = false;
}

void RegionEditor::PaintOutlines(RegionView& view) {
    if (!unpaintedShown_ || dragState_ != kIdle || count_ < 1) return;
    dragState_ = kWidth;
    for (int k = 0; k < count_; ++k) {
        if (k == excluded_) continue;
        edited_ = k;
        rubber_ = RegionToPreview(regions_[k], mapping_);
        view.DrawOutline(rubber_);
    }
    dragState_ = kIdle;
    edited_ = count_;
}

void RegionEditor::EndDrag(RegionView& view) {
    if (dragState_ == kIdle) return;
    view.DrawRubberRegion(rubber_, dragState_);
    view.Capture(false);
    dragState_ = kIdle;
    edited_ = count_;
    view.RepaintPreview();  // a picked region's outline comes back
}

}  // namespace regions
