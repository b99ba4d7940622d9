#pragma once
// CDialog: a dialog built from a template, its controls addressed by id.
// Page and window classes derive from it and see only this header; how the
// controls are drawn and how input reaches them lives in the front end.

#include "Win32Defs.h"
#include "res/resource.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using CString = std::u16string;

class CDialog;
class DialogWindow;  // the front end's half of a dialog

namespace dlg {
class NativeDialog;
struct ControlTemplate;
struct DialogTemplate;
enum class ControlKind;
}  // namespace dlg

// One entry of a message map: a notification of a control routed to a
// handler, which may take the control's id when one handler serves several.
struct MessageEntry {
    int code = 0;
    int id = 0;
    void (CDialog::*handler)() = nullptr;
    void (CDialog::*idHandler)(int id) = nullptr;
};
using MessageMap = std::vector<MessageEntry>;

template <class T>
MessageEntry OnNotify(int code, int id, void (T::*handler)()) {
    return MessageEntry{code, id, static_cast<void (CDialog::*)()>(handler), nullptr};
}

template <class T>
MessageEntry OnNotify(int code, int id, void (T::*handler)(int)) {
    return MessageEntry{code, id, nullptr, static_cast<void (CDialog::*)(int)>(handler)};
}

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CDialog {
public:
    explicit CDialog(int templateId);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int TemplateId() const { return m_templateId; }

    // Runs the dialog as a modal window until EndDialog; returns its result.
    int DoModal(CDialog* owner = nullptr);
    // Creates the dialog hidden, as a child of control parentId of the
    // parent dialog (of the parent's client area when parentId is 0, or as a
    // window of its own when there is no parent); runs OnInitDialog before
    // returning.
    bool Create(CDialog* parent = nullptr, int parentId = 0);
    void EndDialog(int result);
    bool IsCreated() const { return m_window != nullptr; }

    void ShowWindow(int command);
    bool IsWindowVisible() const;
    void MoveWindow(const PixelRect& rect, bool repaint = true);
    // Client rectangle of control id (of the dialog itself when id is 0).
    PixelRect GetClientRect(int id = 0) const;
    // A length of the layout as drawn at 96 DPI, in the pixels the window is
    // drawn with.
    int ScaleForDpi(int pixels) const;

    // The dialog's title: the caption of a window; what assistive technology
    // calls a page (its tab's label), and its diagram after it.
    CString GetWindowText() const;
    void SetWindowText(const CString& text);

    // Texts. Writing an edit field raises its EN_CHANGE before returning,
    // whether or not the text changed; a write to a missing id does nothing.
    CString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const CString& text);

    // Keyboard focus: the control id that holds it, 0 when none does.
    static int GetFocusId();
    void SetFocus(int id);

    // Edit fields
    void GetSel(int id, int& start, int& end) const;  // EM_GETSEL
    void SetSel(int id, int start, int end);          // EM_SETSEL
    void ScrollCaret(int id);                         // EM_SCROLLCARET
    int LineLength(int id, int line = -1) const;      // EM_LINELENGTH

    // Combo boxes
    int AddString(int id, const CString& text);  // CB_ADDSTRING
    void SetCurSel(int id, int index);           // CB_SETCURSEL
    int GetCurSel(int id) const;                 // CB_GETCURSEL
    CString GetLBText(int id, int index) const;  // empty for an index out of range

    // Buttons
    int GetCheck(int id) const;           // BM_GETCHECK
    void SetCheck(int id, int state);     // BM_SETCHECK

    // Tab controls
    void InsertTab(int id, int index, const CString& label);
    int GetTabCurSel(int id) const;

    // Window chrome
    void SetIcon(int iconId);
    // Adds a separator and an item to the window's system menu, where the
    // platform lets a program extend it; false where it does not.
    bool AppendSystemMenuItem(int commandId, const CString& text);

    // Resources
    static CString LoadString(int id);

    // Delivered by the front end: runs the message map entry of (code, id),
    // or the default handling of OK and Cancel.
    void OnCommand(int id, int code);
    // Delivered when the window's close box is used.
    virtual void OnClose();

    // Every program write of a control text is reported here first (for tracing).
    using WriteObserver = std::function<void(int id, const CString& text)>;
    static void SetWriteObserver(WriteObserver observer);

    // The front end's half (each front end defines it).
    DialogWindow* Window() const;

    // Whether a write of `text` to edit field `id` puts a computed result
    // there: a value written while the user works in another field of the
    // dialog (`focusedField`, 0 when the focus is on no edit field of it),
    // or while the dialog answers another field's change. What a screen
    // reader says of the field follows from it.
    bool WritesResult(int id, const CString& text, int focusedField) const;
    // What a screen reader adds to such a field is the string IDS_RESULT_FIELD.

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual const MessageMap& GetMessageMap() const;
    // Delivered once the front end has laid the window and the dialogs in it
    // out anew for another DPI (a move to a monitor of another scale).
    virtual void OnDpiChanged() {}
    // Pages paint their face and controls on white; other dialogs keep the
    // system colours.
    virtual bool PaintsWhiteBackground() const { return false; }

private:
    friend class DialogWindow;
    // Makes the window; `focusFirst` learns whether OnInitDialog asked for the default focus.
    bool CreateWindowFromTemplate(CDialog* parent, int parentId, bool modal, bool* focusFirst);
    void DestroyWindow();
    // The template's control id if it is of `kind` and the window exists, else nullptr.
    const dlg::ControlTemplate* ControlOf(int id, dlg::ControlKind kind) const;
    bool HasEditPart(int id) const;
    bool IsCheckable(int id) const;
    int FocusedField() const;

    int m_templateId;
    int m_changing = 0;  // the field whose EN_CHANGE the dialog is answering
    const dlg::DialogTemplate* m_tpl = nullptr;
    std::unique_ptr<dlg::NativeDialog> m_window;
};
