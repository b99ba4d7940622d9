#include "Driver.h"

#include "app/MainDlg.h"
#include "dialog/qt/DialogWindow.h"
#include "dialog/qt/TabControl.h"
#include "dialog/qt/controls/GroupBoxControl.h"
#include "dialog/qt/controls/LabelControl.h"
#include "dialog/qt/controls/PictureControl.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <ostream>
#include <stdexcept>

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

void SettleEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QWidget* DialogRootOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (DialogWindow::IsDialogRoot(w)) return w;
    return nullptr;
}

QLineEdit* EditPart(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->lineEdit();
    return nullptr;
}

QString TextOf(QWidget* control) {
    if (QLineEdit* edit = EditPart(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    return {};
}

// As a screen reader on Linux names a control: by the label it is labelled
// by, where there is one, else by its own name.
QString AccessibleName(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (accessible == nullptr) return {};
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? accessible->text(QAccessible::Name) : labels.first().first->text(QAccessible::Name);
}

QPoint ClickPoint(QWidget* control) {
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        return radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio).center();
    }
    return control->rect().center();
}

Qt::Key QtKey(KeyStroke::Key key) {
    switch (key) {
    case KeyStroke::Enter: return Qt::Key_Return;
    case KeyStroke::Esc: return Qt::Key_Escape;
    case KeyStroke::Tab: return Qt::Key_Tab;
    case KeyStroke::Backspace: return Qt::Key_Backspace;
    case KeyStroke::Delete: return Qt::Key_Delete;
    case KeyStroke::Home: return Qt::Key_Home;
    case KeyStroke::End: return Qt::Key_End;
    case KeyStroke::Left: return Qt::Key_Left;
    case KeyStroke::Right: return Qt::Key_Right;
    case KeyStroke::Up: return Qt::Key_Up;
    case KeyStroke::Down: return Qt::Key_Down;
    case KeyStroke::PageUp: return Qt::Key_PageUp;
    case KeyStroke::PageDown: return Qt::Key_PageDown;
    case KeyStroke::A: return Qt::Key_A;
    case KeyStroke::H: return Qt::Key_H;
    }
    return Qt::Key_unknown;
}

}  // namespace

int Driver::Run(const std::vector<std::string>& lines) {
    CMainDlg dialog;
    int status = 0;
    QTimer::singleShot(0, [&] {
        QWidget* window = dialog.Window()->Root();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) m_err << "warning: the main window did not become active\n";
        SettleEvents();
        DriveSession session(window, m_out);
        session.screenshots = m_screenshots;
        status = session.Play(lines, m_err);
        if (!session.Closed()) dialog.EndDialog(win32::IDCANCEL);
    });
    dialog.DoModal();
    m_out.flush();
    return status;
}

DriveSession::DriveSession(QWidget* window, std::ostream& out) : InProcessSession(out), m_window(window) {}

void DriveSession::Settle() { SettleEvents(); }

std::string DriveSession::Text(int id) { return Utf8(TextOf(ShownControl(id))); }

int DriveSession::Checked(int id) {
    auto* button = qobject_cast<QAbstractButton*>(ShownControl(id));
    if (button == nullptr) throw DriveError("control " + std::to_string(id) + " is not a button");
    return button->isChecked() ? 1 : 0;
}

std::pair<int, int> DriveSession::Selection(int id) {
    QLineEdit* edit = EditPart(ShownControl(id));
    if (edit == nullptr) throw DriveError("control " + std::to_string(id) + " has no text selection");
    if (!edit->hasSelectedText()) return {edit->cursorPosition(), edit->cursorPosition()};
    return {edit->selectionStart(), edit->selectionEnd()};
}

Choices DriveSession::List(int id) {
    auto* combo = qobject_cast<QComboBox*>(ShownControl(id));
    if (combo == nullptr) throw DriveError("control " + std::to_string(id) + " is not a combo box");
    Choices list;
    for (int i = 0; i < combo->count(); ++i) list.items.push_back(Utf8(combo->itemText(i)));
    list.current = combo->currentIndex();
    return list;
}

Choices DriveSession::TabLabels() {
    auto* tabs = qobject_cast<TabControl*>(ShownControl(IDC_TAB));
    Choices labels;
    for (int i = 0; i < tabs->Bar()->count(); ++i) labels.items.push_back(Utf8(tabs->Bar()->tabText(i)));
    labels.current = tabs->CurrentIndex();
    return labels;
}

std::string DriveSession::Title() { return Utf8(m_window->windowTitle()); }

std::vector<std::pair<std::string, std::string>> DriveSession::AccessibleNames() {
    QWidget* page = ShownPage();
    if (page == nullptr) throw DriveError("no page is shown");
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (DialogWindow::IsControl(w) && dynamic_cast<LabelControl*>(w) == nullptr) controls.push_back(w);
    std::sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
        return DialogWindow::TemplateOrder(a) < DialogWindow::TemplateOrder(b);
    });
    std::vector<std::pair<std::string, std::string>> names;
    for (QWidget* w : controls) {
        const std::string control = dynamic_cast<PictureControl*>(w)    ? "picture"
                                    : dynamic_cast<GroupBoxControl*>(w) ? "group"
                                                                        : std::to_string(DialogWindow::OwnId(w));
        names.emplace_back(control, Utf8(AccessibleName(w)));
    }
    return names;
}

QWidget* DriveSession::ShownPage() const {
    for (QWidget* w : m_window->findChildren<QWidget*>())
        if (DialogWindow::IsDialogRoot(w) && !w->isWindow() && w->isVisible()) return w;
    return nullptr;
}

// A control of the shown page, or of the main window itself.
QWidget* DriveSession::ShownControl(int id) const {
    QWidget* page = ShownPage();
    for (QWidget* root : {page, m_window}) {
        if (root == nullptr) continue;
        for (QWidget* w : root->findChildren<QWidget*>())
            if (DialogWindow::IsControl(w) && DialogWindow::OwnId(w) == id && DialogRootOf(w) == root) return w;
    }
    throw DriveError("control " + std::to_string(id) + " is not on the shown page");
}

QWidget* DriveSession::FocusTarget() const {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) throw DriveError("no control has the keyboard focus");
    return focus;
}

void DriveSession::Tab(int index) {
    auto* tabs = qobject_cast<TabControl*>(ShownControl(IDC_TAB));
    if (index < 0 || index >= tabs->Bar()->count()) throw DriveError("no tab " + std::to_string(index));
    QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(index).center());
}

void DriveSession::Focus(int id) {
    QWidget* control = ShownControl(id);
    if (control->focusPolicy() == Qt::NoFocus) throw DriveError("control " + std::to_string(id) + " takes no focus");
    control->setFocus(Qt::TabFocusReason);
    if (QLineEdit* edit = EditPart(control)) edit->selectAll();  // also when it had the focus already
}

void DriveSession::Click(int id) {
    QWidget* control = ShownControl(id);
    QTest::mouseClick(control, Qt::LeftButton, {}, ClickPoint(control));
}

void DriveSession::Choose(int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(ShownControl(id));
    if (combo == nullptr) throw DriveError("control " + std::to_string(id) + " is not a combo box");
    if (index < 0 || index >= combo->count()) throw DriveError("no list item " + std::to_string(index));
    // A click on the box takes the focus; the arrow opens the list.
    if (quickChoose)
        combo->setFocus(Qt::MouseFocusReason);
    else
        QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
    if (!combo->view()->isVisible()) combo->showPopup();
    Settle();
    QAbstractItemView* view = combo->view();
    if (!view->isVisible()) throw DriveError("the list of " + std::to_string(id) + " did not open");
    const QModelIndex item = view->model()->index(index, 0);
    view->setCurrentIndex(item);  // where the pointer hovers
    if (!quickChoose) {
        // The list ignores a release that comes within a double-click time of opening.
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
        Settle();
    }
    // Should the popup still hold back the click, take the item as the keyboard does.
    if (view->isVisible()) {
        view->setCurrentIndex(item);
        QTest::keyClick(view, Qt::Key_Return);
        Settle();
    }
    if (view->isVisible()) throw DriveError("the list of " + std::to_string(id) + " did not close");
}

void DriveSession::Type(const std::string& text) {
    const QString typed = QString::fromStdString(text);
    for (int i = 0; i < typed.size();) {
        const int width = typed.at(i).isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
        const QString character = typed.mid(i, width);
        i += width;
        QWidget* focus = FocusTarget();
        const char16_t unit = character.at(0).unicode();
        if (width == 1 && unit > 0x20 && unit < 0x7F)
            QTest::keyClick(focus, static_cast<char>(unit));
        else
            QTest::sendKeyEvent(QTest::Click, focus, unit == u' ' ? Qt::Key_Space : Qt::Key_unknown, character,
                                Qt::NoModifier);
        Settle();
    }
}

void DriveSession::Key(const KeyStroke& stroke) {
    Qt::KeyboardModifiers modifiers;
    if (stroke.ctrl) modifiers |= Qt::ControlModifier;
    if (stroke.shift) modifiers |= Qt::ShiftModifier;
    if (stroke.alt) modifiers |= Qt::AltModifier;
    // X11 reports Tab with Shift held as Backtab.
    const Qt::Key key = stroke.key == KeyStroke::Tab && stroke.shift ? Qt::Key_Backtab : QtKey(stroke.key);
    QTest::keyClick(FocusTarget(), key, modifiers);
}

std::vector<std::pair<int, std::string>> DriveSession::Fields() {
    QWidget* page = ShownPage();
    std::map<int, QWidget*> fields;
    if (page != nullptr)
        for (QWidget* w : page->findChildren<QWidget*>())
            if (DialogWindow::IsControl(w) && DialogRootOf(w) == page && EditPart(w) != nullptr &&
                DialogWindow::OwnId(w) != -1)
                fields.emplace(DialogWindow::OwnId(w), w);
    std::vector<std::pair<int, std::string>> texts;
    for (const auto& [id, control] : fields) texts.emplace_back(id, Utf8(TextOf(control)));
    return texts;
}

std::optional<int> DriveSession::FocusId() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) return std::nullopt;
    return DialogWindow::IdOf(focus);
}

BoxContents DriveSession::Help() {
    auto* menuBar = m_window->findChild<QMenuBar*>();
    QAction* help = nullptr;
    if (menuBar != nullptr)
        for (QAction* action : menuBar->actions())
            if (action->text() == QStringLiteral("帮助")) help = action;
    if (help == nullptr) throw DriveError("there is no help menu item");
    std::optional<BoxContents> seen;
    // The box runs its own modal loop; read and close it from inside that loop.
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || box == m_window) return;
        seen.emplace();
        seen->title = Utf8(box->windowTitle());
        QList<QLabel*> labels = box->findChildren<QLabel*>();
        std::sort(labels.begin(), labels.end(), [](const QLabel* a, const QLabel* b) {
            return DialogWindow::TemplateOrder(a) < DialogWindow::TemplateOrder(b);
        });
        for (QLabel* label : labels) seen->texts.push_back(Utf8(label->text()));
        for (QPushButton* button : box->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("确定")) QTest::mouseClick(button, Qt::LeftButton);
    });
    QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(help).center());
    Settle();
    if (!seen) throw DriveError("the help item opened no box");
    if (QApplication::activeModalWidget() != m_window) throw DriveError("the box did not close");
    // A window manager would hand the activation back; the offscreen platform does not.
    m_window->activateWindow();
    (void)QTest::qWaitForWindowActive(m_window);
    return *seen;
}

BoxContents DriveSession::SystemMenuAbout(std::string&) {
    throw DriveError("the window menu belongs to the window manager here");
}

void DriveSession::Close() {
    m_window->close();
    Settle();
    if (m_window->isVisible()) throw DriveError("the main window did not close");
}

void DriveSession::Shot(const std::string& path) {
    QPixmap picture;
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        picture = m_window->screen()->grabWindow(m_window->winId());
    if (picture.isNull()) picture = m_window->grab();
    if (!picture.save(QString::fromStdString(path), "PNG")) throw DriveError("could not write " + path);
}

