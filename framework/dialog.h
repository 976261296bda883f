// TDialog: a dialog built on a template of the module, run modeless (as a popup, or as the
// client of a frame window) or modal. Messages go first to the virtual response table `Find`,
// which a derived dialog overrides with its own table and then calls its base's; what no table
// handles goes to the dialog manager. The dialog creates the child controls registered with it
// when its window is set up, and passes an owner-drawn child's WM_DRAWITEM on to it.
#pragma once

#include <windows.h>

#include "framework/module.h"
#include "framework/window.h"

namespace framework {

class TControl;

// The messages whose result a dialog procedure returns itself rather than through
// DWLP_MSGRESULT: the control-colour messages (a brush) and a few list and icon queries.
bool ReturnsResultDirectly(UINT message);
// The control-colour messages (WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, ...).
bool IsControlColorMessage(UINT message);

class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, const char* templateName, HINSTANCE module = Module());
    // Destroys the window when it still exists.
    ~TDialog() override;

    // Modeless. As a child (the client of a frame window) the template's popup, caption and
    // frame styles give way to WS_CHILD; a border without a caption stays. False when the template or the window cannot be made.
    bool Create(HWND parentWindow, bool asChild);
    // Modal, owned by the parent's window: the end code (IDOK, IDCANCEL, ...), or -1 when the
    // dialog could not be made.
    INT_PTR Execute();

    // OK asks the can-close query and ends with IDOK when it agrees; Cancel ends with IDCANCEL
    // without asking.
    void CmOk();
    void CmCancel();
    // Ends a modal dialog with `result`, destroys a modeless one.
    void CloseWindow(int result);

    // A message posted to `window` once this dialog's window is gone (a frame closes with its
    // client), and one sent when its size changes (a frame that shrinks to its client).
    void NotifyOwner(HWND window, UINT destroyedMessage, UINT resizedMessage);

    // Children register themselves in their constructors; at most kMaxChildren.
    static constexpr int kMaxChildren = 40;
    bool AddChild(TControl* child);
    void RemoveChild(TControl* child);

protected:
    // Runs on WM_INITDIALOG: creates the registered children. A derived set-up calls it first;
    // a control it gives the focus to keeps it.
    virtual void SetupWindow();
    // The response table: true when the message was handled, with its result in *result.
    virtual bool Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HINSTANCE DialogModule() const { return module_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    const char* templateName_;
    HINSTANCE module_;
    bool modal_ = false;
    HWND owner_ = nullptr;
    UINT destroyedMessage_ = 0;
    UINT resizedMessage_ = 0;
    TControl* children_[kMaxChildren] = {};
    int childCount_ = 0;
};

}  // namespace framework
