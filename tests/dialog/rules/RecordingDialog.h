#pragma once
// A front end that draws nothing: dlg::NativeDialog kept in memory, every
// call written down, so that the rules of dialog/Dialog.cpp can be watched
// without a toolkit. The templates are those of kRulesScript.

#include "dialog/Dialog.h"
#include "dialog/NativeDialog.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rules {

// Dialog 100: an edit field 10, a second 11 (no tab stop), a label 12, a
// sorted drop-down combo 13, an unsorted one 14, a radio pair 15 and 16, a
// tab control 17, the default button 18. Dialog 101: labels and a push
// button 20 without tab stops. Dialog 102: labels only.
extern const char* const kRulesScript;

struct Control {
    dlg::ControlKind kind = dlg::ControlKind::Label;
    CString text;
    int start = 0, end = 0;  // the selection, the caret at `end`
    std::vector<CString> items;
    int current = -1;
    bool checked = false;
    std::vector<CString> tabs;
    CString description;
};

class RecordingDialog : public dlg::NativeDialog {
public:
    explicit RecordingDialog(CDialog& owner) : m_owner(owner) {}
    ~RecordingDialog() override;

    // What the front ends differ in: Win32's edit control raises EN_CHANGE itself.
    static bool raisesChangeItself;
    // Run inside RunModal, as the user's work while the loop runs.
    static std::function<void(RecordingDialog&)> whileModal;
    // Every native call of every dialog, in order ("SetText 10 'x'").
    static std::vector<std::string> calls;
    // The dialog and control that hold the focus (nullptr: nothing of the program has it).
    static RecordingDialog* focusWindow;
    static int focusId;

    std::map<int, Control> controls;
    bool shown = false;

    bool Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                const std::function<bool()>& initDialog) override;
    bool RaisesChangeItself() const override { return raisesChangeItself; }
    CString Text(int id) const override { return controls.at(id).text; }
    void SetText(int id, const CString& text) override;
    CString Title() const override { return m_title; }
    void SetTitle(const CString& text) override { m_title = text; }
    void Describe(int id, const CString& description) override;
    void Selection(int id, int& start, int& end) const override;
    void SetSelection(int id, int start, int end) override;
    void ListInsert(int id, int index, const CString& text) override;
    int ListCount(int id) const override { return static_cast<int>(controls.at(id).items.size()); }
    CString ListItem(int id, int index) const override { return controls.at(id).items.at(static_cast<size_t>(index)); }
    int ListCurrent(int id) const override { return controls.at(id).current; }
    void SetListCurrent(int id, int index) override;
    bool Checked(int id) const override { return controls.at(id).checked; }
    void SetChecked(int id, bool checked) override { controls.at(id).checked = checked; }
    void InsertTab(int id, int index, const CString& label) override;
    int TabCurrent(int id) const override { return controls.at(id).tabs.empty() ? -1 : 0; }
    bool Focus(int id) override;
    int FocusedId() const override { return focusWindow == this ? focusId : 0; }
    bool WindowShown() const override;
    void Show(bool visible) override { shown = visible; }
    bool Visible() const override { return shown; }
    void Move(const PixelRect& rect, bool) override { m_rect = rect; }
    PixelRect ClientRect(int id) const override;
    void ShowModal(NativeDialog* owner) override;
    int RunModal(NativeDialog* owner) override;
    void EndModal(int result) override;
    void SetIcon(int) override {}

    CDialog& Owner() const { return m_owner; }
    // The user typing into a field: the text, the caret after it, then EN_CHANGE.
    void Type(int id, const CString& text);

private:
    CDialog& m_owner;
    RecordingDialog* m_parent = nullptr;
    CString m_title;
    PixelRect m_rect;
    bool m_ended = false;
    int m_result = 0;
};

std::string Narrow(const CString& text);
// Forgets every call and the focus, and sets the flags back.
void Reset();

}  // namespace rules

namespace res {
const dlg::ResourceScript& Script();  // kRulesScript, parsed
}
