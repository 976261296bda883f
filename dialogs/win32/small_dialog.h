// SmallDialog: what the ground and screen resolution dialogs share. Each runs modally over the
// filter dialog, centred on it, at a fixed size below its caption; one font of the string table
// serves all its controls, and among them are an OK, a Help (command 101) and a Cancel button.
// OK ends through the can-close query; Help opens the help file at the dialog's own key.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "dialogs/win32/fix_dialog.h"
#include "framework/controls.h"

class SmallDialog : public FixDialog {
public:
    enum : int { kHelpButton = 101 };

    void PlaceWindow() override { CentreOnOwner(); }
    void CmOkHook() override { CmOk(); }

protected:
    // On the template `templateName`, `width` wide and the caption's height plus
    // `heightBelowCaption` high; the text-label font made from font entry `fontId`; Help shows
    // the help at the key of string `helpKeyId`.
    SmallDialog(framework::TWindow* owner, const char* templateName, int width,
                int heightBelowCaption, int fontId, int helpKeyId);

    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Gives each of `controls` the text-label font (the system's when it could not be made),
    // without redrawing them.
    void UseTextLabelFont(std::initializer_list<framework::TControl*> controls);

    // Command 101: the help file opened at the dialog's key.
    void CmHelp();

private:
    int helpKeyId_;
};
