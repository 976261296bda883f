// What the removal needs of its window: message boxes with the program's caption, the beep,
// the progress gauge, the list of installed parts, its commands and the end of the program.
#pragma once

#include <string>
#include <vector>

enum class BoxIcon { kInformation, kExclamation };

class RemoverUi {
public:
    virtual ~RemoverUi() = default;

    virtual void Beep() = 0;
    // The frame's title, also the caption of every box shown after it.
    virtual void SetTitle(const std::string& title) = 0;
    // A box with OK, owned by the dialog.
    virtual void Show(const std::string& text, BoxIcon icon) = 0;
    // The start-up notice: a box with OK and the information icon, without owner window.
    virtual void ShowNotice(const std::string& text) = 0;
    // A box with Yes and No and the exclamation icon, owned by the dialog; true for Yes.
    virtual bool Ask(const std::string& text) = 0;
    // The gauge, 0 .. 100 per cent, repainted at once (no message loop runs during a removal).
    virtual void SetProgress(int percent) = 0;
    // Empties the list of parts, fills it with `lines` in order and selects the first line.
    virtual void SetPartList(const std::vector<std::string>& lines) = 0;
    // The selected line, 0-based; -1 when none is selected.
    virtual int SelectedPart() = 0;
    // Off while a removal runs, on again when it ends: the list, the buttons and the closing
    // of the window, so that a click still waiting while Program Manager is asked cannot
    // start another command in the middle of a removal.
    virtual void EnableCommands(bool enable) = 0;
    // Ends the program once the current command has returned.
    virtual void Quit() = 0;
};
