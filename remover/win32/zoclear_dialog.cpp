// ZoclearDialog: its controls and fonts, the set-up, the response table and the window side of
// the removal (message boxes, gauge, list).
#include "remover/win32/zoclear_dialog.h"

#include <string>

#include "dialogs/dialog_font.h"
#include "dialogs/win32/log_font.h"
#include "framework/module.h"
#include "remover/remover_texts.h"

namespace {

constexpr char kProductFolderName[] = "Zolvane";
constexpr char kRecordsFileName[] = "ZOLVIN.INI";

std::string FolderText(DWORD (*get)(DWORD, char*)) {
    char folder[MAX_PATH];
    const DWORD length = get(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

DWORD WindowsFolder(DWORD size, char* buffer) { return GetWindowsDirectoryA(buffer, size); }
DWORD CurrentFolder(DWORD size, char* buffer) { return GetCurrentDirectoryA(size, buffer); }

}  // namespace

ZoclearDialog::ZoclearDialog()
    : TDialog(nullptr, "ZOCLEAR"),
      strings_(framework::Module()),
      faceBrush_(GetSysColor(COLOR_BTNFACE)),
      groupLabel_(this, -1, Text(zoclear_text::kGroupLabel), 15, 30, 100, 20, 40),
      groupList_(this, kGroupListId, 120, 30, 320, 100, CBS_DROPDOWNLIST, 20),
      progressLabel_(this, -1, Text(zoclear_text::kProgressLabel), 15, 70, 100, 20, 40),
      gauge_(this, "%d%%", kGaugeId, 120, 70, 320, 20, 0),
      infoButton_(this, kInfoCommand, Text(zoclear_text::kInfoButton), 10, 120, 100, 40, false),
      removeButton_(this, kRemoveCommand, Text(zoclear_text::kRemoveButton), 120, 120, 100, 40,
                    false),
      helpButton_(this, kHelpCommand, Text(zoclear_text::kHelpButton), 230, 120, 100, 40, false),
      exitButton_(this, IDCANCEL, Text(zoclear_text::kExitButton), 340, 120, 100, 40, false) {
    CreateDialogFont(zoclear_text::kDialogFont);
    if (dialogFont_ && dialogFont_->IsValid())
        controlFont_ = std::make_unique<framework::TFont>(*dialogFont_);
}

ZoclearDialog::~ZoclearDialog() {
    if (IsWindow()) DestroyWindow(GetHandle());
}

const char* ZoclearDialog::Text(unsigned id) {
    text_ = strings_.Load(id);
    return text_.c_str();
}

void ZoclearDialog::CreateDialogFont(unsigned id) {
    dialogFont_.reset();
    DialogFontEntry entry;
    ParseDialogFont(strings_.Load(id).c_str(), &entry);
    dialogFont_ = std::make_unique<framework::TFont>(LogFontOf(entry));
}

void ZoclearDialog::SetupWindow() {
    TDialog::SetupWindow();
    framework::TControl* const controls[] = {&groupLabel_, &groupList_,  &progressLabel_,
                                             &gauge_,      &infoButton_, &removeButton_,
                                             &helpButton_, &exitButton_};
    if (controlFont_)
        for (framework::TControl* control : controls)
            control->SetFont(controlFont_->GetHandle(), false);

    productFolder_ = FolderText(WindowsFolder) + "\\" + kProductFolderName;
    currentFolder_ = FolderText(CurrentFolder);
    records_ = std::make_unique<PrivateProfileStore>(productFolder_ + "\\" + kRecordsFileName);
    remover_ = std::make_unique<Remover>(
        Remover::Seams{this, records_.get(), &files_, &programManager_}, framework::Module());

    // The dialog fills its frame's client area, which then shrinks around it.
    MoveWindow(GetHandle(), 0, 0, kDialogWidth,
               GetSystemMetrics(SM_CYCAPTION) + kDialogHeightBelowCaption, FALSE);
    PostMessageA(GetHandle(), kStartupMessage, 0, 0);
}

bool ZoclearDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (framework::IsControlColorMessage(message)) {
        *result = EvCtlColor(reinterpret_cast<HDC>(wParam));
        return true;
    }
    switch (message) {
    case kStartupMessage:
        EvStartup();
        *result = 1;
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) break;
        switch (LOWORD(wParam)) {
        case kInfoCommand: CmInfo(); break;
        case kRemoveCommand: CmRemove(); break;
        case kHelpCommand: CmHelp(); break;
        case IDOK: CmOk(); break;
        default: return TDialog::Find(message, wParam, lParam, result);
        }
        *result = 0;
        return true;
    default:
        break;
    }
    return TDialog::Find(message, wParam, lParam, result);
}

LRESULT ZoclearDialog::EvCtlColor(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(faceBrush_.GetHandle());
}

void ZoclearDialog::EvStartup() { remover_->Startup(currentFolder_, productFolder_); }

void ZoclearDialog::CmInfo() { remover_->ShowInfo(); }

void ZoclearDialog::CmRemove() { remover_->Remove(); }

void ZoclearDialog::CmHelp() { remover_->ShowHelp(); }

// ---- the window side of the removal -----------------------------------------------------------

void ZoclearDialog::Beep() { MessageBeep(0); }

void ZoclearDialog::SetTitle(const std::string& title) {
    caption_ = title;
    HWND frame = GetParent(GetHandle());
    if (frame != nullptr) SetWindowTextA(frame, caption_.c_str());
}

void ZoclearDialog::Show(const std::string& text, BoxIcon icon) {
    const UINT iconFlag = icon == BoxIcon::kInformation ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    MessageBoxExA(GetHandle(), text.c_str(), caption_.c_str(), MB_OK | iconFlag, 0);
}

void ZoclearDialog::ShowNotice(const std::string& text) {
    MessageBoxExA(nullptr, text.c_str(), caption_.c_str(), MB_OK | MB_ICONINFORMATION, 0);
}

bool ZoclearDialog::Ask(const std::string& text) {
    return MessageBoxExA(GetHandle(), text.c_str(), caption_.c_str(),
                         MB_YESNO | MB_ICONEXCLAMATION, 0) != IDNO;
}

void ZoclearDialog::SetProgress(int percent) {
    gauge_.SetValue(percent);
    // No message loop runs during a removal: the gauge is painted at once.
    InvalidateRect(gauge_.GetHandle(), nullptr, TRUE);
    UpdateWindow(gauge_.GetHandle());
}

void ZoclearDialog::SetPartList(const std::vector<std::string>& lines) {
    groupList_.ClearList();
    for (size_t n = 0; n < lines.size(); ++n)
        groupList_.InsertString(lines[n].c_str(), static_cast<int>(n));
    groupList_.SetSelIndex(0);
}

int ZoclearDialog::SelectedPart() { return groupList_.GetSelIndex(); }

void ZoclearDialog::EnableCommands(bool enable) {
    if (!enable) focusBeforeRemoval_ = GetFocus();
    commandsEnabled_ = enable;
    framework::TControl* const commands[] = {&groupList_, &infoButton_, &removeButton_,
                                             &helpButton_, &exitButton_};
    for (framework::TControl* command : commands)
        EnableWindow(command->GetHandle(), enable ? TRUE : FALSE);
    // The button that was pressed lost the focus when it was disabled; it gets it back, so
    // that the keys reach the dialog again.
    if (enable && GetFocus() == nullptr && ::IsWindow(focusBeforeRemoval_) &&
        IsChild(GetHandle(), focusBeforeRemoval_))
        SetFocus(focusBeforeRemoval_);
}

void ZoclearDialog::Quit() { PostQuitMessage(0); }
