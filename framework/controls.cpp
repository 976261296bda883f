// The standard controls: creation as children of a dialog and their list messages.
#include "framework/controls.h"

#include "framework/dialog.h"
#include "framework/module.h"

namespace framework {

TControl::TControl(TDialog* parent, int id, const char* className, const char* text, DWORD style,
                   int x, int y, int width, int height)
    : TWindow(parent), id_(id), className_(className), style_(style), x_(x), y_(y), width_(width),
      height_(height), registered_(parent != nullptr && parent->AddChild(this)) {
    lstrcpynA(text_, text != nullptr ? text : "", sizeof text_);
}

TControl::TControl(TDialog* parent, int resourceId)
    : TWindow(parent), id_(resourceId), className_(nullptr), text_(""), style_(0), x_(0), y_(0),
      width_(0), height_(0), registered_(parent != nullptr && parent->AddChild(this)) {}

TControl::~TControl() {
    if (registered_) Dialog()->RemoveChild(this);
}

TDialog* TControl::Dialog() const { return static_cast<TDialog*>(parent_); }

bool TControl::Create() {
    if (parent_ == nullptr || parent_->GetHandle() == nullptr) return false;
    if (className_ == nullptr) {
        handle_ = GetDlgItem(parent_->GetHandle(), id_);
        return handle_ != nullptr;
    }
    handle_ = CreateWindowExA(0, className_, text_,
                              style_ | WS_CHILD | WS_VISIBLE, x_, y_, width_, height_,
                              parent_->GetHandle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<WORD>(id_))),
                              Module(), nullptr);
    return handle_ != nullptr;
}

void TControl::DrawItem(const DRAWITEMSTRUCT& item) {
    switch (item.itemAction) {
    case ODA_DRAWENTIRE: ODADrawEntire(item); break;
    case ODA_SELECT: ODASelect(item); break;
    case ODA_FOCUS: ODAFocus(item); break;
    default: break;
    }
}

void TControl::SetFont(HFONT font, bool redraw) {
    if (handle_ != nullptr)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

TStatic::TStatic(TDialog* parent, int id, const char* text, int x, int y, int width, int height,
                 int textLimit)
    : TControl(parent, id, "STATIC", text, SS_LEFT, x, y, width, height), textLimit_(textLimit) {}

TButton::TButton(TDialog* parent, int id, const char* text, int x, int y, int width, int height,
                 bool isDefault)
    : TControl(parent, id, "BUTTON", text,
               (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x, y, width, height) {}

TComboBox::TComboBox(TDialog* parent, int id, int x, int y, int width, int height, DWORD style,
                     int textLimit)
    : TControl(parent, id, "COMBOBOX", "", style | WS_VSCROLL | WS_TABSTOP, x, y, width, height),
      textLimit_(textLimit) {}

bool TComboBox::Create() {
    if (!TControl::Create()) return false;
    if (textLimit_ > 0) SendMessageA(handle_, CB_LIMITTEXT, textLimit_ - 1, 0);
    return true;
}

void TComboBox::ClearList() { SendMessageA(handle_, CB_RESETCONTENT, 0, 0); }

int TComboBox::InsertString(const char* text, int index) {
    return static_cast<int>(
        SendMessageA(handle_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
}

int TComboBox::GetCount() const { return static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)); }

int TComboBox::GetSelIndex() const {
    return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetSelIndex(int index) { SendMessageA(handle_, CB_SETCURSEL, index, 0); }

TListBox::TListBox(TDialog* parent, int id, int x, int y, int width, int height)
    : TControl(parent, id, "LISTBOX", "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, x, y,
               width, height) {}

void TListBox::ClearList() { SendMessageA(handle_, LB_RESETCONTENT, 0, 0); }

int TListBox::AddString(const char* text) {
    return static_cast<int>(SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int TListBox::GetCount() const { return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0)); }

int TListBox::GetSelIndex() const {
    return static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0));
}

void TListBox::SetSelIndex(int index) { SendMessageA(handle_, LB_SETCURSEL, index, 0); }

TEdit::TEdit(TDialog* parent, int id, const char* text, int x, int y, int width, int height,
             int textLimit)
    : TControl(parent, id, "EDIT", text, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, x, y,
               width, height),
      textLimit_(textLimit) {}

bool TEdit::Create() {
    if (!TControl::Create()) return false;
    if (textLimit_ > 0) SendMessageA(handle_, EM_LIMITTEXT, textLimit_ - 1, 0);
    return true;
}

}  // namespace framework
