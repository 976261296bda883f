// The ground and screen resolution dialogs' shared part: size, font, OK and Help.
#include "dialogs/win32/small_dialog.h"

#include "dialogs/win32/help.h"

SmallDialog::SmallDialog(framework::TWindow* owner, const char* templateName, int width,
                         int heightBelowCaption, int fontId, int helpKeyId)
    : FixDialog(owner, templateName, 0, 0, width,
                GetSystemMetrics(SM_CYCAPTION) + heightBelowCaption),
      helpKeyId_(helpKeyId) {
    CreateDialogFont(fontId);
    textLabelFont_ = CopyCurrentFont();
}

void SmallDialog::UseTextLabelFont(std::initializer_list<framework::TControl*> controls) {
    const HFONT font = textLabelFont_ ? textLabelFont_->GetHandle() : nullptr;
    for (framework::TControl* control : controls) control->SetFont(font, false);
}

void SmallDialog::CmHelp() {
    ShowHelp(GetHandle(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(GetString(helpKeyId_)));
}

bool SmallDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && LOWORD(wParam) == kHelpButton && HIWORD(wParam) == BN_CLICKED) {
        *result = 0;
        CmHelp();
        return true;
    }
    return FixDialog::Find(message, wParam, lParam, result);
}
