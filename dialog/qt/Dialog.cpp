#include "dialog/Dialog.h"

#include "AccessibleInterfaces.h"
#include "DialogWindow.h"
#include "QtText.h"
#include "Resources.h"
#include "TabControl.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

using namespace win32;

namespace {

CDialog::WriteObserver& Observer() {
    static CDialog::WriteObserver observer;
    return observer;
}

// Win32 keeps one focus window per thread, even while a dialog is still
// being built and not yet shown; Qt knows focus only in an active window.
// SetFocus on a window that is not shown yet is remembered here.
QPointer<QWidget>& FocusBeforeShow() {
    static QPointer<QWidget> widget;
    return widget;
}

// The edit field of `window` that has the focus, or will have it once the
// window shows; 0 for none (a combo box's edit part is no field of its own).
int FocusedField(const DialogWindow& window) {
    QWidget* focus = QApplication::focusWidget();
    QWidget* pending = FocusBeforeShow();
    if (focus == nullptr && pending != nullptr && !pending->window()->isVisible()) focus = pending;
    auto* edit = qobject_cast<QLineEdit*>(focus);
    const int id = edit != nullptr && DialogWindow::IsControl(edit) ? DialogWindow::OwnId(edit) : 0;
    return id != 0 && window.Control(id) == edit ? id : 0;
}

template <class T>
T* ControlAs(const DialogWindow* window, int id) {
    return window ? qobject_cast<T*>(window->Control(id)) : nullptr;
}

}  // namespace

CDialog::CDialog(int templateId) : m_templateId(templateId) {}

CDialog::~CDialog() = default;

void CDialog::CreateWindowFromTemplate(CDialog* parent, int parentId, bool modal) {
    const dlg::DialogTemplate& tpl = res::Script().dialog(m_templateId);
    InstallAccessibleInterfaces();  // before Qt first asks how the new widgets read
    QWidget* parentWidget = nullptr;
    if (parent != nullptr && parent->m_window) {
        parentWidget = parentId != 0 ? parent->m_window->Control(parentId) : parent->m_window->Root();
    }
    m_window = std::make_unique<DialogWindow>(*this, tpl, parentWidget, modal);
}

int CDialog::DoModal(CDialog* owner) {
    CreateWindowFromTemplate(owner, 0, true);
    if (OnInitDialog()) SetFocus(m_window->FirstFocusableId());
    QDialog* dialog = m_window->AsQDialog();
    const int result = dialog->exec();
    m_window.reset();
    return result;
}

bool CDialog::Create(CDialog* parent, int parentId) {
    CreateWindowFromTemplate(parent, parentId, false);
    OnInitDialog();
    return true;
}

void CDialog::EndDialog(int result) {
    if (m_window && m_window->AsQDialog()) m_window->AsQDialog()->done(result);
}

void CDialog::ShowWindow(int command) {
    if (m_window) m_window->Root()->setVisible(command != SW_HIDE);
}

bool CDialog::IsWindowVisible() const { return m_window && m_window->Root()->isVisible(); }

void CDialog::MoveWindow(const PixelRect& rect, bool) {
    if (m_window) m_window->Root()->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
}

PixelRect CDialog::GetClientRect(int id) const {
    if (!m_window) return {};
    const QWidget* w = id == 0 ? m_window->Root() : m_window->Control(id);
    if (w == nullptr) return {};
    return PixelRect{0, 0, w->width(), w->height()};
}

CString CDialog::GetWindowText() const { return m_window ? m_window->Title() : CString(); }

void CDialog::SetWindowText(const CString& text) {
    if (m_window) m_window->SetTitle(text);
}

// Qt lays out in device-independent pixels and draws them at the screen's
// device pixel ratio itself.
int CDialog::ScaleForDpi(int pixels) const { return pixels; }

CString CDialog::GetDlgItemText(int id) const { return m_window ? m_window->Text(id) : CString(); }

void CDialog::SetDlgItemText(int id, const CString& text) {
    if (!m_window || m_window->Control(id) == nullptr) return;
    const bool isEdit = qobject_cast<QLineEdit*>(m_window->Control(id)) != nullptr;
    if (isEdit && Observer()) Observer()(id, text);
    QWidget* control = m_window->Control(id);
    if (isEdit && control->accessibleDescription().isEmpty() && WritesResult(id, text, FocusedField(*m_window)))
        control->setAccessibleDescription(ToQString(LoadString(IDS_RESULT_FIELD)));
    m_window->SetText(id, text);
    if (isEdit) OnCommand(id, EN_CHANGE);
}

int CDialog::GetFocusId() {
    if (QWidget* focus = QApplication::focusWidget()) return DialogWindow::IdOf(focus);
    QWidget* pending = FocusBeforeShow();
    if (pending != nullptr && !pending->window()->isVisible()) return DialogWindow::IdOf(pending);
    return 0;
}

void CDialog::SetFocus(int id) {
    QWidget* w = m_window ? m_window->Control(id) : nullptr;
    if (w == nullptr) return;
    w->setFocus(Qt::OtherFocusReason);
    FocusBeforeShow() = w->window()->isVisible() ? nullptr : w;
}

void CDialog::GetSel(int id, int& start, int& end) const {
    start = end = 0;
    if (auto* edit = ControlAs<QLineEdit>(m_window.get(), id)) {
        if (edit->hasSelectedText()) {
            start = edit->selectionStart();
            end = edit->selectionEnd();
        } else {
            start = end = edit->cursorPosition();
        }
    }
}

void CDialog::SetSel(int id, int start, int end) {
    auto* edit = ControlAs<QLineEdit>(m_window.get(), id);
    if (edit == nullptr) return;
    const int length = static_cast<int>(edit->text().size());
    if (start == -1) {
        edit->deselect();
        return;
    }
    if (end < 0 || end > length) end = length;
    start = std::clamp(start, 0, length);
    if (start == end)
        edit->setCursorPosition(end);
    else
        edit->setSelection(start, end - start);  // the caret ends at `end`, as Win32 puts it
}

void CDialog::ScrollCaret(int id) {
    // QLineEdit keeps its caret in view whenever the caret or selection is set.
    (void)id;
}

int CDialog::LineLength(int id, int line) const {
    auto* edit = ControlAs<QLineEdit>(m_window.get(), id);
    if (edit == nullptr) return 0;
    const int length = static_cast<int>(edit->text().size());
    if (line >= 0) return length;
    return length - static_cast<int>(edit->selectedText().size());  // unselected characters
}

int CDialog::AddString(int id, const CString& text) {
    auto* combo = ControlAs<QComboBox>(m_window.get(), id);
    if (combo == nullptr) return -1;
    const QString item = ToQString(text);
    int index = combo->count();
    if (m_window->Template().controls.size() > 0) {
        for (const dlg::ControlTemplate& c : m_window->Template().controls) {
            if (c.id == id && c.has(CBS_SORT)) {
                index = 0;
                while (index < combo->count() &&
                       QString::compare(combo->itemText(index), item, Qt::CaseInsensitive) <= 0)
                    ++index;
            }
        }
    }
    const QSignalBlocker block(combo);
    const int selected = combo->currentIndex();
    const QString editText = combo->currentText();
    combo->insertItem(index, item);
    if (selected == -1) {  // Qt selects the first item added; Win32 selects nothing
        combo->setCurrentIndex(-1);
        if (combo->lineEdit()) combo->lineEdit()->setText(editText);
    }
    return index;
}

void CDialog::SetCurSel(int id, int index) {
    auto* combo = ControlAs<QComboBox>(m_window.get(), id);
    if (combo == nullptr) return;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int CDialog::GetCurSel(int id) const {
    auto* combo = ControlAs<QComboBox>(m_window.get(), id);
    return combo ? combo->currentIndex() : -1;
}

CString CDialog::GetLBText(int id, int index) const {
    auto* combo = ControlAs<QComboBox>(m_window.get(), id);
    if (combo == nullptr || index < 0 || index >= combo->count()) return {};
    return FromQString(combo->itemText(index));
}

int CDialog::GetCheck(int id) const {
    auto* button = ControlAs<QAbstractButton>(m_window.get(), id);
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CDialog::SetCheck(int id, int state) {
    auto* button = ControlAs<QAbstractButton>(m_window.get(), id);
    if (button == nullptr) return;
    // BM_SETCHECK sets this button only; its group's other buttons stay as they are.
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive) group->setExclusive(false);
    const QSignalBlocker block(button);
    button->setChecked(state == BST_CHECKED);
    if (exclusive) group->setExclusive(true);
}

void CDialog::InsertTab(int id, int index, const CString& label) {
    if (auto* tabs = ControlAs<TabControl>(m_window.get(), id)) tabs->InsertTab(index, ToQString(label));
}

int CDialog::GetTabCurSel(int id) const {
    auto* tabs = ControlAs<TabControl>(m_window.get(), id);
    return tabs ? tabs->CurrentIndex() : -1;
}

CString CDialog::LoadString(int id) {
    const auto& strings = res::Script().strings;
    const auto it = strings.find(id);
    return it == strings.end() ? CString() : it->second;
}

void CDialog::SetWriteObserver(WriteObserver observer) { Observer() = std::move(observer); }

void CDialog::SetIcon(int iconId) {
    if (m_window) m_window->Root()->setWindowIcon(res::Icon(iconId));
}

bool CDialog::AppendSystemMenuItem(int, const CString&) {
    return false;  // X11 and Wayland window managers own the window menu
}
