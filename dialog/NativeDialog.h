#pragma once
// What CDialog asks of a front end: a window with the controls of a
// template, and the native calls on them, without any rule of Win32's.
// Those rules (notifications raised inside writes, the focus before a window
// shows, selection clamping, sorted lists) are dialog/Dialog.cpp's, once for
// every front end. Controls are addressed by the ids of the template; CDialog
// asks only about ids its template has, of the kinds that answer the call.

#include "Dialog.h"
#include "ResourceScript.h"

#include <functional>
#include <memory>

namespace dlg {

class NativeDialog {
public:
    virtual ~NativeDialog() = default;

    // Makes the window and its controls from `tpl`: inside control parentId
    // of `parent` (its client area when parentId is 0), or a window of its
    // own when there is no parent. Runs `initDialog` once the controls exist
    // (Win32: from WM_INITDIALOG). False when no window could be made.
    virtual bool Create(const DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                        const std::function<bool()>& initDialog) = 0;

    // Whether an edit control raises EN_CHANGE itself when its text is set
    // (Win32's does, inside WM_SETTEXT).
    virtual bool RaisesChangeItself() const { return false; }

    // Texts: a control's (an edit field's caret goes to its start when set,
    // and a combo box's is its edit part) and the dialog's title.
    virtual CString Text(int id) const = 0;
    virtual void SetText(int id, const CString& text) = 0;
    virtual CString Title() const = 0;
    virtual void SetTitle(const CString& text) = 0;
    // What assistive technology adds after an edit field's name and value.
    virtual void Describe(int id, const CString& description) = 0;

    // The selection of an edit field or a combo box's edit part, as given:
    // within the text, the caret at `end` (start > end selects backwards);
    // a start of -1 drops the selection and leaves the caret.
    virtual void Selection(int id, int& start, int& end) const = 0;
    virtual void SetSelection(int id, int start, int end) = 0;
    virtual void ScrollCaret(int /*id*/) {}

    // A combo box's list. Inserting selects nothing new and says nothing;
    // setting the current item (-1 for none, always within the list) says
    // nothing and writes the item into the edit part.
    virtual void ListInsert(int id, int index, const CString& text) = 0;
    virtual int ListCount(int id) const = 0;
    virtual CString ListItem(int id, int index) const = 0;
    virtual int ListCurrent(int id) const = 0;
    virtual void SetListCurrent(int id, int index) = 0;

    // Buttons: BM_SETCHECK sets this button only.
    virtual bool Checked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;

    // Tab controls.
    virtual void InsertTab(int id, int index, const CString& label) = 0;
    virtual int TabCurrent(int id) const = 0;

    // Keyboard focus: moves it to control id; false when it could not take
    // it now (its window is not shown yet). FocusedId is the control of this
    // dialog that holds the focus (or whose part does), 0 for none.
    virtual bool Focus(int id) = 0;
    virtual int FocusedId() const = 0;
    // Whether the window this dialog is in (itself or the one it is a page of) is shown.
    virtual bool WindowShown() const = 0;

    // Visibility and geometry, in the pixels the window is drawn with.
    virtual void Show(bool visible) = 0;
    virtual bool Visible() const = 0;
    virtual void Move(const PixelRect& rect, bool repaint) = 0;
    virtual PixelRect ClientRect(int id) const = 0;  // of the dialog itself when id is 0
    virtual int ScaleForDpi(int pixels) const { return pixels; }

    // The modal loop: shows the window over `owner`, then runs until EndModal.
    virtual void ShowModal(NativeDialog* /*owner*/) {}
    virtual int RunModal(NativeDialog* owner) = 0;
    virtual void EndModal(int result) = 0;

    // Window chrome.
    virtual void SetIcon(int iconId) = 0;
    virtual bool AppendSystemMenuItem(int /*commandId*/, const CString& /*text*/) { return false; }
};

// The front end's own: a dialog half not yet made, for CDialog `owner`.
std::unique_ptr<NativeDialog> NewNativeDialog(CDialog& owner);
// The id of the control that holds the keyboard focus, 0 when it is on no
// control, -1 when nothing of the program has it.
int NativeFocusId();

// The control a dialog gives the focus to when it opens: its first tab
// stop, or failing that its first control that takes the focus; 0 for none.
int FirstFocusableId(const DialogTemplate& tpl);
// The button Enter clicks: the template's default push button, or IDOK.
int DefaultButtonId(const DialogTemplate& tpl);
// The first control of the template with this id, nullptr for none.
const ControlTemplate* FindControl(const DialogTemplate& tpl, int id);

}  // namespace dlg
