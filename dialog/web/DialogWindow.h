#pragma once
// The browser half of a CDialog: the elements the page's script made from
// its template, found by control id, and the way back from the script's
// handles to the dialog they belong to.

#include "dialog/Dialog.h"
#include "dialog/DialogUnits.h"
#include "dialog/NativeDialog.h"
#include "dialog/ResourceScript.h"

#include <map>
#include <vector>

class DialogWindow : public dlg::NativeDialog {
public:
    explicit DialogWindow(CDialog& owner) : m_owner(owner) {}
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    int Handle() const { return m_handle; }
    CDialog& Owner() const { return m_owner; }
    const dlg::DialogTemplate& Template() const { return *m_tpl; }

    // The script's handle of control id (0 when the dialog has none) and its box in pixels.
    int Control(int id) const;
    dlg::PixelBox Box(int id) const;
    dlg::ControlKind KindOf(int id) const;
    dlg::PixelBox ClientBox() const { return m_client; }

    // The dialog's title: a window's caption; what assistive technology calls
    // a page, and the diagram on it after it.
    CString Title() const override { return m_title; }
    void SetTitle(const CString& title) override;

    // dlg::NativeDialog (dialog/web/Dialog.cpp)
    bool Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                const std::function<bool()>& initDialog) override;
    CString Text(int id) const override;
    void SetText(int id, const CString& text) override;
    void Describe(int id, const CString& description) override;
    void Selection(int id, int& start, int& end) const override;
    void SetSelection(int id, int start, int end) override;
    void ScrollCaret(int id) override;
    void ListInsert(int id, int index, const CString& text) override;
    int ListCount(int id) const override;
    CString ListItem(int id, int index) const override;
    int ListCurrent(int id) const override;
    void SetListCurrent(int id, int index) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void InsertTab(int id, int index, const CString& label) override;
    int TabCurrent(int id) const override;
    bool Focus(int id) override;
    int FocusedId() const override;
    bool WindowShown() const override;
    void Show(bool visible) override;
    bool Visible() const override;
    void Move(const PixelRect& rect, bool repaint) override;
    PixelRect ClientRect(int id) const override;
    void ShowModal(NativeDialog* owner) override;
    int RunModal(NativeDialog* owner) override;
    void EndModal(int result) override;
    void SetIcon(int iconId) override;

    // The dialog and control id behind a control handle of the script.
    static DialogWindow* OfControl(int control, int* id);
    static DialogWindow* OfHandle(int window);

private:
    void Make(const DialogWindow* parent, int parentId, bool modal);
    void Build();
    void NameControls();

    CDialog& m_owner;
    const dlg::DialogTemplate* m_tpl = nullptr;
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
