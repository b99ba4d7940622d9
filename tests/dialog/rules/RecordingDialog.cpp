#include "RecordingDialog.h"

#include "dialog/Utf8.h"

#include <stdexcept>

using namespace win32;

namespace rules {

const char* const kRulesScript = R"(
100 DIALOG 0, 0, 200, 100
STYLE DS_SETFONT | WS_CHILD
FONT 9, "宋体"
BEGIN
    CONTROL "", 10, "Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 40, 12
    CONTROL "", 11, "Edit", WS_CHILD | WS_VISIBLE, 0, 14, 40, 12
    CONTROL "label", 12, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT, 50, 0, 40, 8
    CONTROL "", 13, "ComboBox", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_SORT | WS_TABSTOP, 0, 30, 40, 60
    CONTROL "", 14, "ComboBox", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_TABSTOP, 50, 30, 40, 60
    CONTROL "mm", 15, "Button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, 0, 50, 30, 10
    CONTROL "mil", 16, "Button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 40, 50, 30, 10
    CONTROL "", 17, "SysTabControl32", WS_CHILD | WS_VISIBLE, 0, 60, 100, 30
    CONTROL "OK", 18, "Button", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 0, 40, 14
END
101 DIALOG 0, 0, 100, 50
STYLE DS_SETFONT | WS_POPUP
FONT 9, "宋体"
BEGIN
    CONTROL "a", -1, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 40, 8
    CONTROL "b", 19, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 10, 40, 8
    CONTROL "go", 20, "Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 20, 40, 14
END
102 DIALOG 0, 0, 100, 50
STYLE DS_SETFONT | WS_POPUP
FONT 9, "宋体"
BEGIN
    CONTROL "a", -1, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 40, 8
END
STRINGTABLE
BEGIN
    200 "计算结果"
END
)";

bool RecordingDialog::raisesChangeItself = false;
std::function<void(RecordingDialog&)> RecordingDialog::whileModal;
std::vector<std::string> RecordingDialog::calls;
RecordingDialog* RecordingDialog::focusWindow = nullptr;
int RecordingDialog::focusId = 0;

void Reset() {
    RecordingDialog::raisesChangeItself = false;
    RecordingDialog::whileModal = nullptr;
    RecordingDialog::calls.clear();
    RecordingDialog::focusWindow = nullptr;
    RecordingDialog::focusId = 0;
}

std::string Narrow(const CString& text) { return dlg::Utf16ToUtf8(text); }

RecordingDialog::~RecordingDialog() {
    if (focusWindow == this) focusWindow = nullptr;
}

bool RecordingDialog::Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int, bool modal,
                             const std::function<bool()>& initDialog) {
    calls.push_back("Create " + std::to_string(tpl.id) + (modal ? " modal" : ""));
    m_parent = static_cast<RecordingDialog*>(parent);
    for (const dlg::ControlTemplate& c : tpl.controls)
        if (c.id != -1) {
            controls[c.id].kind = c.kind();
            controls[c.id].text = c.text;
        }
    initDialog();
    calls.push_back("Created " + std::to_string(tpl.id));
    return true;
}

void RecordingDialog::SetText(int id, const CString& text) {
    calls.push_back("SetText " + std::to_string(id) + " '" + Narrow(text) + "'");
    Control& c = controls.at(id);
    c.text = text;
    c.start = c.end = 0;
    if (raisesChangeItself && c.kind == dlg::ControlKind::Edit) m_owner.OnCommand(id, EN_CHANGE);  // as WM_SETTEXT does
}

void RecordingDialog::Describe(int id, const CString& description) {
    calls.push_back("Describe " + std::to_string(id) + " '" + Narrow(description) + "'");
    controls.at(id).description = description;
}

void RecordingDialog::Selection(int id, int& start, int& end) const {
    start = controls.at(id).start;
    end = controls.at(id).end;
}

void RecordingDialog::SetSelection(int id, int start, int end) {
    calls.push_back("SetSelection " + std::to_string(id) + " " + std::to_string(start) + "," + std::to_string(end));
    Control& c = controls.at(id);
    if (start == -1)
        c.start = c.end;
    else {
        c.start = start;
        c.end = end;
    }
}

void RecordingDialog::ListInsert(int id, int index, const CString& text) {
    calls.push_back("ListInsert " + std::to_string(id) + " " + std::to_string(index) + " '" + Narrow(text) + "'");
    Control& c = controls.at(id);
    c.items.insert(c.items.begin() + index, text);
    if (c.current >= index) ++c.current;
}

void RecordingDialog::SetListCurrent(int id, int index) {
    calls.push_back("SetListCurrent " + std::to_string(id) + " " + std::to_string(index));
    controls.at(id).current = index;
}

void RecordingDialog::InsertTab(int id, int index, const CString& label) {
    auto& tabs = controls.at(id).tabs;
    tabs.insert(tabs.begin() + index, label);
}

bool RecordingDialog::Focus(int id) {
    calls.push_back("Focus " + std::to_string(id));
    if (!WindowShown()) return false;
    focusWindow = this;
    focusId = id;
    return true;
}

bool RecordingDialog::WindowShown() const {
    const RecordingDialog* top = this;
    while (top->m_parent != nullptr) top = top->m_parent;
    return top->shown;
}

PixelRect RecordingDialog::ClientRect(int id) const { return id == 0 ? m_rect : PixelRect{0, 0, 10, 10}; }

void RecordingDialog::ShowModal(NativeDialog*) {
    calls.push_back("ShowModal");
    shown = true;
}

int RecordingDialog::RunModal(NativeDialog*) {
    calls.push_back("RunModal");
    if (whileModal) whileModal(*this);
    if (!m_ended) throw std::logic_error("the modal loop would wait for ever");
    return m_result;
}

void RecordingDialog::EndModal(int result) {
    calls.push_back("EndModal " + std::to_string(result));
    m_ended = true;
    m_result = result;
}

void RecordingDialog::Type(int id, const CString& text) {
    Control& c = controls.at(id);
    c.text = text;
    c.start = c.end = static_cast<int>(text.size());
    m_owner.OnCommand(id, EN_CHANGE);
}

}  // namespace rules

// The front end's two free functions, and the resource script it carries.
std::unique_ptr<dlg::NativeDialog> dlg::NewNativeDialog(CDialog& owner) {
    return std::make_unique<rules::RecordingDialog>(owner);
}

int dlg::NativeFocusId() {
    return rules::RecordingDialog::focusWindow != nullptr ? rules::RecordingDialog::focusId : -1;
}

namespace res {
const dlg::ResourceScript& Script() {
    static const dlg::ResourceScript script = dlg::ResourceScript::Parse(rules::kRulesScript);
    return script;
}
}  // namespace res

// The front end's half of a dialog, as the pages' tests reach it.
DialogWindow* CDialog::Window() const { return reinterpret_cast<DialogWindow*>(m_window.get()); }
