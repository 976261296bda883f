// ZoDialog's mouse handlers, which hand the presses and moves to the region editor, and the
// dialog as the editor's view: the rubber band in the inverting mode and the stored regions'
// outlines, both clipped to the preview; the capture; the repaint of the preview.
#include "dialogs/win32/zo_dialog.h"

#include "framework/dc.h"

void ZoDialog::EvLButtonDown(WPARAM, POINT point) { editor_.LeftDown(*this, point.x, point.y); }

void ZoDialog::EvLButtonUp() { editor_.LeftUp(); }

void ZoDialog::EvRButtonDown(WPARAM, POINT point) { editor_.RightDown(*this, point.x, point.y); }

void ZoDialog::EvRButtonUp() { editor_.RightUp(); }

void ZoDialog::EvMouseMove(WPARAM, POINT point) { editor_.MouseMove(*this, point.x, point.y); }

void ZoDialog::PaintPanes(HDC dc) {
    FixDialog::PaintPanes(dc);
    paintDC_ = dc;
    editor_.PaintOutlines(*this);
    paintDC_ = nullptr;
}

void ZoDialog::DrawShape(HDC dc, const EllipseRegion& rubber, int dragState, int shiftX,
                         int shiftY) {
    const RECT& clip = PaneAt(kPreviewPane).rect;
    framework::TRegion region(clip.left, clip.top, clip.right, clip.bottom);
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, region.GetHandle());
    if (dragState == regions::RegionEditor::kAxis) {
        MoveToEx(dc, rubber.startX + shiftX, rubber.startY + shiftY, nullptr);
        LineTo(dc, rubber.endX + shiftX, rubber.endY + shiftY);
    } else if (dragState == regions::RegionEditor::kWidth) {
        EllipseRegion shifted = rubber;
        shifted.centerX += shiftX;
        shifted.centerY += shiftY;
        regions::Point points[regions::kOutlinePoints];
        regions::OutlinePoints(shifted, points);
        POINT line[regions::kOutlinePoints];
        for (int k = 0; k < regions::kOutlinePoints; ++k) line[k] = POINT{points[k].x, points[k].y};
        Polyline(dc, line, regions::kOutlinePoints);
    }
    RestoreDC(dc, saved);
}

template <typename Draw>
void ZoDialog::WithDrawingContext(Draw draw) {
    // While the preview is repainted, into the paint context; otherwise straight on screen.
    if (paintDC_ != nullptr) {
        draw(paintDC_);
        return;
    }
    framework::TClientDC client(GetHandle());
    if (client.IsValid()) draw(client.GetHDC());
}

void ZoDialog::DrawRubberRegion(const EllipseRegion& rubber, int dragState) {
    WithDrawingContext([&](HDC dc) {
        const int saved = SaveDC(dc);
        if (rubberPen_) SelectObject(dc, rubberPen_->GetHandle());
        SetROP2(dc, R2_NOT);
        DrawShape(dc, rubber, dragState, 0, 0);
        RestoreDC(dc, saved);
    });
}

void ZoDialog::DrawOutline(const EllipseRegion& rubber) {
    WithDrawingContext([&](HDC dc) {
        const int saved = SaveDC(dc);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SetROP2(dc, R2_BLACK);
        DrawShape(dc, rubber, regions::RegionEditor::kWidth, 1, 1);
        SetROP2(dc, R2_WHITE);
        DrawShape(dc, rubber, regions::RegionEditor::kWidth, -1, -1);
        RestoreDC(dc, saved);
    });
}

void ZoDialog::Capture(bool on) {
    if (on) SetCapture(GetHandle());
    else ReleaseCapture();
}

void ZoDialog::RepaintPreview() {
    InvalidatePreview();
    UpdateWindow(GetHandle());
}
