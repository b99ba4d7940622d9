#include "dialog/Dialog.h"

#include "AccessibleInterfaces.h"
#include "DialogWindow.h"
#include "QtText.h"
#include "Resources.h"
#include "TabControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

// The Qt calls behind CDialog (dialog/Dialog.cpp), with what Qt does by
// itself undone where Win32 does otherwise.

namespace {

template <class T>
T* ControlAs(const DialogWindow& window, int id) {
    return qobject_cast<T*>(window.Control(id));
}

// An edit field, or a combo box's edit part.
QLineEdit* EditPart(const DialogWindow& window, int id) {
    if (auto* combo = ControlAs<QComboBox>(window, id)) return combo->lineEdit();
    return ControlAs<QLineEdit>(window, id);
}

}  // namespace

DialogWindow* CDialog::Window() const { return static_cast<DialogWindow*>(m_window.get()); }

std::unique_ptr<dlg::NativeDialog> dlg::NewNativeDialog(CDialog& owner) { return std::make_unique<DialogWindow>(owner); }

int dlg::NativeFocusId() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? DialogWindow::IdOf(focus) : -1;
}

bool DialogWindow::Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                          const std::function<bool()>& initDialog) {
    m_tpl = &tpl;
    InstallAccessibleInterfaces();  // before Qt first asks how the new widgets read
    QWidget* parentWidget = nullptr;
    if (auto* parentWindow = static_cast<DialogWindow*>(parent))
        parentWidget = parentId != 0 ? parentWindow->Control(parentId) : parentWindow->Root();
    MakeWidgets(parentWidget, modal);
    initDialog();
    return true;
}

void DialogWindow::Describe(int id, const CString& description) {
    QWidget* control = Control(id);
    if (control->accessibleDescription().isEmpty()) control->setAccessibleDescription(ToQString(description));
}

void DialogWindow::Selection(int id, int& start, int& end) const {
    const QLineEdit* edit = EditPart(*this, id);
    if (edit == nullptr) return;
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        end = edit->selectionEnd();
    } else {
        start = end = edit->cursorPosition();
    }
}

void DialogWindow::SetSelection(int id, int start, int end) {
    QLineEdit* edit = EditPart(*this, id);
    if (edit == nullptr) return;
    if (start == -1)
        edit->deselect();
    else if (start == end)
        edit->setCursorPosition(end);
    else
        edit->setSelection(start, end - start);  // the caret ends at `end`, as Win32 puts it
}

void DialogWindow::ListInsert(int id, int index, const CString& text) {
    auto* combo = ControlAs<QComboBox>(*this, id);
    const QSignalBlocker block(combo);
    const int selected = combo->currentIndex();
    const QString editText = combo->currentText();
    combo->insertItem(index, ToQString(text));
    if (selected == -1) {  // Qt selects the first item added; Win32 selects nothing
        combo->setCurrentIndex(-1);
        if (combo->lineEdit()) combo->lineEdit()->setText(editText);
    }
}

int DialogWindow::ListCount(int id) const { return ControlAs<QComboBox>(*this, id)->count(); }

CString DialogWindow::ListItem(int id, int index) const {
    return FromQString(ControlAs<QComboBox>(*this, id)->itemText(index));
}

int DialogWindow::ListCurrent(int id) const { return ControlAs<QComboBox>(*this, id)->currentIndex(); }

void DialogWindow::SetListCurrent(int id, int index) {
    auto* combo = ControlAs<QComboBox>(*this, id);
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index);
}

bool DialogWindow::Checked(int id) const { return ControlAs<QAbstractButton>(*this, id)->isChecked(); }

void DialogWindow::SetChecked(int id, bool checked) {
    auto* button = ControlAs<QAbstractButton>(*this, id);
    // Its group's other buttons stay as they are.
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive) group->setExclusive(false);
    const QSignalBlocker block(button);
    button->setChecked(checked);
    if (exclusive) group->setExclusive(true);
}

void DialogWindow::InsertTab(int id, int index, const CString& label) {
    ControlAs<TabControl>(*this, id)->InsertTab(index, ToQString(label));
}

int DialogWindow::TabCurrent(int id) const { return ControlAs<TabControl>(*this, id)->CurrentIndex(); }

// Qt remembers the focus of a window not shown yet, and gives it as the window shows.
bool DialogWindow::Focus(int id) {
    QWidget* w = Control(id);
    w->setFocus(Qt::OtherFocusReason);
    return w->window()->isVisible();
}

int DialogWindow::FocusedId() const {
    QWidget* focus = QApplication::focusWidget();
    const int id = focus != nullptr ? IdOf(focus) : 0;
    QWidget* control = id != 0 ? Control(id) : nullptr;
    return control != nullptr && (control == focus || control->isAncestorOf(focus)) ? id : 0;
}

bool DialogWindow::WindowShown() const { return m_root->window()->isVisible(); }

void DialogWindow::Show(bool visible) { m_root->setVisible(visible); }

bool DialogWindow::Visible() const { return m_root->isVisible(); }

void DialogWindow::Move(const PixelRect& rect, bool) {
    m_root->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
}

PixelRect DialogWindow::ClientRect(int id) const {
    const QWidget* w = id == 0 ? m_root.data() : Control(id);
    return w != nullptr ? PixelRect{0, 0, w->width(), w->height()} : PixelRect{};
}

int DialogWindow::RunModal(NativeDialog*) { return AsQDialog()->exec(); }

void DialogWindow::EndModal(int result) {
    if (QDialog* dialog = AsQDialog()) dialog->done(result);
}

void DialogWindow::SetIcon(int iconId) { m_root->setWindowIcon(res::Icon(iconId)); }
