// ZoScreenDialog: the screen resolution dialog. It draws a ruler and a 200-pixel double arrow;
// the user measures the arrow on the screen and types its length in millimetres, and the
// screen's dots per inch follow as the text changes. OK writes the pair into the caller's two
// ints when it is valid (10 to 400 dpi as typed, or the stored pair as shown), else shows the
// refusal and stays; Cancel (or Escape) changes nothing.
#pragma once

#include <windows.h>

#include "dialogs/screen_measure.h"
#include "dialogs/win32/small_dialog.h"
#include "framework/controls.h"

// SmallDialog gives it its placement, PlaceWindow (centred on the owner), CmOkHook (through
// CanClose) and CmHelp (the help at "スクリ－ン解像度の設定").
class ZoScreenDialog : public SmallDialog {
public:
    enum : int { kMillimetreEdit = 100 };

    ZoScreenDialog(framework::TWindow* owner, int* millimetres, int* dpi);

    void CmCancelHook() override { CmCancel(); }
    void PaintPanes(HDC dc) override;
    bool CanClose() override;

protected:
    void SetupWindow() override;
    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void EnUpdateMm();
    void ShowDpi();

    screen_measure::ScreenMeasure measure_;
    int* dpiTarget_;
    int* millimetreTarget_;

    framework::TStatic prompt_;
    framework::TEdit millimetreEdit_;
    framework::TStatic millimetreLabel_, dpiDisplay_, dpiLabel_;
    framework::TButton okButton_, helpButton_, cancelButton_;
};
