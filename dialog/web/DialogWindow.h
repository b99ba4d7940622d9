#pragma once
// The browser half of a CDialog: the elements the page's script made from
// its template, found by control id, and the way back from the script's
// handles to the dialog they belong to.

#include "dialog/Dialog.h"
#include "dialog/DialogUnits.h"
#include "dialog/ResourceScript.h"

#include <map>
#include <vector>

class DialogWindow {
public:
    DialogWindow(CDialog& owner, const dlg::DialogTemplate& tpl, const DialogWindow* parent, int parentId,
                 bool modal);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    int Handle() const { return m_handle; }
    CDialog& Owner() const { return m_owner; }
    const dlg::DialogTemplate& Template() const { return m_tpl; }

    // The script's handle of control id (0 when the dialog has none) and its box in pixels.
    int Control(int id) const;
    dlg::PixelBox Box(int id) const;
    dlg::ControlKind KindOf(int id) const;
    dlg::PixelBox ClientBox() const { return m_client; }
    // The control a dialog gives the focus to when it opens: its first tab
    // stop, or failing that its first control that takes the focus.
    int FirstFocusableId() const;

    // The dialog's title: a window's caption; what assistive technology calls
    // a page, and the diagram on it after it.
    CString Title() const { return m_title; }
    void SetTitle(const CString& title);

    // The dialog and control id behind a control handle of the script.
    static DialogWindow* OfControl(int control, int* id);
    static DialogWindow* OfHandle(int window);

private:
    void Build();
    void NameControls();

    CDialog& m_owner;
    const dlg::DialogTemplate& m_tpl;
    dlg::BaseUnits m_units;
    dlg::PixelBox m_client;
    int m_handle = 0;
    CString m_title;
    std::vector<int> m_inTemplateOrder;  // control handles
    struct ControlEntry {
        int handle = 0;
        dlg::ControlKind kind = dlg::ControlKind::Label;
        dlg::PixelBox box;
    };
    std::map<int, ControlEntry> m_controls;
};
