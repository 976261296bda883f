// ZoclearDialog: the removal program's one dialog, the client of its frame window, built over
// the empty template ZOCLEAR with its controls made in code: the list of installed parts, the
// progress gauge and the Info, Remove, Help and Exit buttons. It is the window the removal
// logic (Remover) talks to, and owns the seams that logic works through.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/gauge.h"
#include "framework/gdi_objects.h"
#include "remover/remover.h"
#include "remover/remover_ui.h"
#include "remover/string_loader.h"
#include "remover/win32/dde_program_manager.h"
#include "remover/win32/private_profile_store.h"
#include "remover/win32/system_file_system.h"

// Posted by the set-up so that the start-up checks run once the window is up.
constexpr UINT kStartupMessage = WM_USER + 1001;

// Command ids of the controls.
constexpr int kGroupListId = 100;
constexpr int kGaugeId = 101;
constexpr int kInfoCommand = 102;
constexpr int kRemoveCommand = 103;
constexpr int kHelpCommand = 104;

// The dialog's size: 455 pixels wide, the caption's height plus 180 high.
constexpr int kDialogWidth = 455;
constexpr int kDialogHeightBelowCaption = 180;

class ZoclearDialog : public framework::TDialog, public RemoverUi {
public:
    ZoclearDialog();
    ~ZoclearDialog() override;

    // RemoverUi.
    void Beep() override;
    void SetTitle(const std::string& title) override;
    void Show(const std::string& text, BoxIcon icon) override;
    void ShowNotice(const std::string& text) override;
    bool Ask(const std::string& text) override;
    void SetProgress(int percent) override;
    void SetPartList(const std::vector<std::string>& lines) override;
    int SelectedPart() override;
    void EnableCommands(bool enable) override;
    void Quit() override;

    // False while a removal runs: a request to close the window is refused until it has ended.
    bool CanClose() override { return commandsEnabled_; }

protected:
    void SetupWindow() override;
    bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // String-table entry `id`, valid until the next call: a control copies its text when it
    // is constructed.
    const char* Text(unsigned id);
    // Frees the dialog font and builds it again from string-table entry `id`.
    void CreateDialogFont(unsigned id);
    LRESULT EvCtlColor(HDC dc);
    void EvStartup();
    // The commands, handed to the removal logic.
    void CmInfo();
    void CmRemove();
    void CmHelp();
    void CmOk() {}  // the Enter key does nothing

    StringLoader strings_;
    std::string text_;
    framework::TBrush faceBrush_;
    std::unique_ptr<framework::TFont> dialogFont_;
    std::unique_ptr<framework::TFont> controlFont_;
    framework::TStatic groupLabel_;
    framework::TComboBox groupList_;
    framework::TStatic progressLabel_;
    framework::TGauge gauge_;
    framework::TButton infoButton_, removeButton_, helpButton_, exitButton_;

    std::string caption_;
    std::string currentFolder_, productFolder_;
    bool commandsEnabled_ = true;
    HWND focusBeforeRemoval_ = nullptr;

    std::unique_ptr<PrivateProfileStore> records_;
    SystemFileSystem files_;
    DdeProgramManager programManager_{this};
    std::unique_ptr<Remover> remover_;
};
