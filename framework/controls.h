// The standard controls the dialogs build in code: static text, push button, drop-down list,
// list box and edit. Each registers with its dialog when constructed and is created, with its
// id, text, position, size and style, when the dialog's window is set up; a control may instead
// stand for one that the dialog's template already holds. The window handle is always at hand;
// the few members save only the message packing.
#pragma once

#include <windows.h>

#include "framework/window.h"

namespace framework {

class TDialog;

class TControl : public TWindow {
public:
    // The id -1 marks a control that no command names.
    TControl(TDialog* parent, int id, const char* className, const char* text, DWORD style, int x,
             int y, int width, int height);
    // The control `resourceId` of the parent's dialog template: made by the template, only
    // found when the dialog is set up.
    TControl(TDialog* parent, int resourceId);
    ~TControl() override;

    // Creates the window as a visible child of the parent dialog (or finds the template's).
    // False when it cannot be made.
    virtual bool Create();
    // Runs once the window exists, while the dialog is set up.
    virtual void SetupWindow() {}

    // An owner-drawn control's WM_DRAWITEM, which its dialog passes on: the whole control, a
    // change of selection or of focus.
    void DrawItem(const DRAWITEMSTRUCT& item);
    virtual void ODADrawEntire(const DRAWITEMSTRUCT&) {}
    virtual void ODASelect(const DRAWITEMSTRUCT&) {}
    virtual void ODAFocus(const DRAWITEMSTRUCT&) {}

    int Id() const { return id_; }
    // True when the control was registered with its dialog (it will be created).
    bool Registered() const { return registered_; }
    // WM_SETFONT.
    void SetFont(HFONT font, bool redraw);

protected:
    TDialog* Dialog() const;

private:
    int id_;
    const char* className_;  // null for a control of the template
    char text_[256];  // the text the window is made with (callers' texts may be reused buffers)
    DWORD style_;
    int x_, y_, width_, height_;
    bool registered_;
};

class TStatic : public TControl {
public:
    // `textLimit` is only kept, as the most of the text a caller should read back (TextLimit);
    // the window shows its whole text.
    TStatic(TDialog* parent, int id, const char* text, int x, int y, int width, int height,
            int textLimit);
    int TextLimit() const { return textLimit_; }

private:
    int textLimit_;
};

class TButton : public TControl {
public:
    TButton(TDialog* parent, int id, const char* text, int x, int y, int width, int height,
            bool isDefault);
};

class TComboBox : public TControl {
public:
    // `style` is one of CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST; `textLimit` limits an
    // edit field's text to textLimit - 1 characters (a list without edit field has none).
    TComboBox(TDialog* parent, int id, int x, int y, int width, int height, DWORD style,
              int textLimit);
    bool Create() override;

    void ClearList();
    // The index it was inserted at, or a negative value (CB_ERR, CB_ERRSPACE).
    int InsertString(const char* text, int index);
    int GetCount() const;
    int GetSelIndex() const;  // -1 when nothing is selected
    void SetSelIndex(int index);

private:
    int textLimit_;
};

class TListBox : public TControl {
public:
    // The default list box: notifies its parent, vertical scroll bar, border; not sorted.
    TListBox(TDialog* parent, int id, int x, int y, int width, int height);

    void ClearList();
    int AddString(const char* text);
    int GetCount() const;
    int GetSelIndex() const;
    void SetSelIndex(int index);
};

class TEdit : public TControl {
public:
    // A single-line edit of at most textLimit - 1 characters.
    TEdit(TDialog* parent, int id, const char* text, int x, int y, int width, int height,
          int textLimit);
    bool Create() override;

private:
    int textLimit_;
};

}  // namespace framework
