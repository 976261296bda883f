// ZoMaterialDialog: the ground dialog. The user picks one of the plug-in's grounds from a list
// and sees a sample of it, tinted with its colour and displaced by two noise fields, with its
// description under it. Every selection is written into the caller's settings record and
// loaded at once, so the loaded ground is always the one on show; Cancel (or Escape) goes back
// to the ground it opened with, OK keeps the one on show.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/ground_choice.h"
#include "dialogs/win32/small_dialog.h"
#include "framework/controls.h"
#include "plugin/material.h"

// SmallDialog gives it its placement, PlaceWindow (centred on the owner), CmOkHook and CmHelp
// (the help at "下地を選ぶ").
class ZoMaterialDialog : public SmallDialog {
public:
    enum : int { kGroundList = 100 };

    // `ground` and `settings` are the caller's; `dpi` is the output resolution the grounds
    // load at.
    ZoMaterialDialog(framework::TWindow* owner, Ground& ground, FilterSettings* settings, int dpi);

    void CmCancelHook() override;
    void PaintPanes(HDC dc) override;

protected:
    void SetupWindow() override;
    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void ShowSample();

    Ground& ground_;
    FilterSettings* settings_;
    int dpi_;
    GroundChoice choice_;
    std::unique_ptr<TDib> sample_;  // pane 0

    framework::TButton okButton_, helpButton_, cancelButton_;
    framework::TListBox groundList_;
};
