// The screen resolution dialog: its controls, the live dpi, the refusal box, and the ruler.
#include "dialogs/win32/zo_screen_dialog.h"

#include <cstdio>

#include "dialogs/screen_ruler.h"
#include "dialogs/win32/message_box.h"
#include "framework/gdi_objects.h"

namespace {

// String-table entries of the dialog.
enum : int {
    kFont = 105,
    kStringHelpKey = 125,
    kStringPrompt = 240,
    kStringMillimetres = 241,
    kStringDpi = 242,
    kStringRefused = 243,
};

constexpr int kWidth = 225;
constexpr int kHeightBelowCaption = 195;
// The edit takes three characters: a limit of 4 counts the terminator.
constexpr int kEditLimit = 4;

}  // namespace

ZoScreenDialog::ZoScreenDialog(framework::TWindow* owner, int* millimetres, int* dpi)
    : SmallDialog(owner, "ZOSCREEN", kWidth, kHeightBelowCaption, kFont, kStringHelpKey),
      measure_(*millimetres, *dpi), dpiTarget_(dpi), millimetreTarget_(millimetres),
      prompt_(this, -1, GetString(kStringPrompt), 10, 10, 200, 20, 10),
      millimetreEdit_(this, kMillimetreEdit, "", 80, 90, 30, 20, kEditLimit),
      millimetreLabel_(this, -1, GetString(kStringMillimetres), 115, 90, 30, 20, 10),
      dpiDisplay_(this, -1, "", 80, 115, 30, 20, 4),
      dpiLabel_(this, -1, GetString(kStringDpi), 115, 115, 30, 20, 10),
      okButton_(this, IDOK, GetString(kStringOk), 10, 150, 60, 30, false),
      helpButton_(this, kHelpButton, GetString(kStringHelp), 80, 150, 60, 30, false),
      cancelButton_(this, IDCANCEL, GetString(kStringCancel), 150, 150, 60, 30, false) {}

void ZoScreenDialog::SetupWindow() {
    SmallDialog::SetupWindow();
    UseTextLabelFont({&prompt_, &millimetreLabel_, &dpiDisplay_, &dpiLabel_, &millimetreEdit_,
                      &okButton_, &helpButton_, &cancelButton_});

    // The edit reports the new text at once: the dpi of a stored positive length is computed
    // before it is shown.
    char text[16];
    std::snprintf(text, sizeof text, "%d", measure_.Millimetres());
    SetDlgItemTextA(GetHandle(), kMillimetreEdit, text);
    ShowDpi();
    measure_.SetupDone();
}

void ZoScreenDialog::ShowDpi() {
    char text[16];
    std::snprintf(text, sizeof text, "%d", measure_.Dpi());
    SetWindowTextA(dpiDisplay_.GetHandle(), text);
}

void ZoScreenDialog::EnUpdateMm() {
    // A text longer than the buffer is no length the dialog can take; it reads as no number.
    char text[32];
    HWND edit = millimetreEdit_.GetHandle();
    const bool fits = GetWindowTextLengthA(edit) < static_cast<int>(sizeof text);
    if (fits) GetWindowTextA(edit, text, sizeof text);
    if (measure_.TextChanged(fits ? text : nullptr)) ShowDpi();
}

bool ZoScreenDialog::CanClose() {
    if (measure_.Valid()) {
        *millimetreTarget_ = measure_.Millimetres();
        *dpiTarget_ = measure_.Dpi();
        return true;
    }
    char text[256];
    lstrcpynA(text, GetString(kStringRefused), sizeof text);
    ShowOwnedMessageBox(GetHandle(), text, text, MB_ICONEXCLAMATION | MB_OK);
    return false;
}

void ZoScreenDialog::PaintPanes(HDC dc) {
    FixDialog::PaintPanes(dc);
    framework::TPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    framework::TBrush brush(RGB(255, 255, 255));
    HGDIOBJ previousPen = SelectObject(dc, pen.GetHandle());
    HGDIOBJ previousBrush = SelectObject(dc, brush.GetHandle());
    screen_ruler::Primitive primitives[screen_ruler::kPrimitiveCount];
    screen_ruler::Primitives(primitives);
    for (const screen_ruler::Primitive& p : primitives) {
        if (p.kind == screen_ruler::Primitive::kRectangle) {
            Rectangle(dc, p.x1, p.y1, p.x2, p.y2);
        } else {
            MoveToEx(dc, p.x1, p.y1, nullptr);
            LineTo(dc, p.x2, p.y2);
        }
    }
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
}

bool ZoScreenDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && LOWORD(wParam) == kMillimetreEdit && HIWORD(wParam) == EN_UPDATE) {
        *result = 0;
        EnUpdateMm();
        return true;
    }
    return SmallDialog::Find(message, wParam, lParam, result);
}
