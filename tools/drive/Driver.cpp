#include "Driver.h"

#include "app/MainDlg.h"
#include "dialog/qt/DialogWindow.h"
#include "dialog/qt/TabControl.h"

#include <QAbstractItemView>
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

int ParseInt(const std::string& text) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw DriveError("not a number: '" + text + "'");
    return value;
}

void Settle() {
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

QString OneLine(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\\n")); }

QPoint ClickPoint(QWidget* control) {
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        return radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio).center();
    }
    return control->rect().center();
}

const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>>& KeyNames() {
    static const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {"Enter", {Qt::Key_Return, Qt::NoModifier}},   {"Esc", {Qt::Key_Escape, Qt::NoModifier}},
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},        {"Backspace", {Qt::Key_Backspace, Qt::NoModifier}},
        {"Delete", {Qt::Key_Delete, Qt::NoModifier}},  {"Home", {Qt::Key_Home, Qt::NoModifier}},
        {"End", {Qt::Key_End, Qt::NoModifier}},        {"Left", {Qt::Key_Left, Qt::NoModifier}},
        {"Right", {Qt::Key_Right, Qt::NoModifier}},    {"SelectAll", {Qt::Key_A, Qt::ControlModifier}},
    };
    return keys;
}

}  // namespace

Driver::Driver(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

int Driver::Run(const std::vector<std::string>& lines) {
    CMainDlg dialog;
    int status = 0;
    QTimer::singleShot(0, [&] {
        QWidget* window = dialog.Window()->Root();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) m_err << "warning: the main window did not become active\n";
        Settle();
        DriveSession session(window, m_out);
        session.screenshots = m_screenshots;
        for (size_t n = 0; n < lines.size(); ++n) {
            try {
                session.Execute(lines[n]);
            } catch (const std::exception& error) {
                m_err << "line " << n + 1 << ": " << error.what() << "\n";
                status = 2;
                break;
            }
        }
        if (!session.Closed()) dialog.EndDialog(win32::IDCANCEL);
    });
    dialog.DoModal();
    m_out.flush();
    return status;
}

DriveSession::DriveSession(QWidget* window, std::ostream& out) : m_window(window), m_out(out) {}

DriveSession::~DriveSession() {
    if (m_tracing) CDialog::SetWriteObserver(nullptr);
}

void DriveSession::Execute(const std::string& line) {
    if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos) return;
    if (m_closed) throw DriveError("the main window is closed");
    const size_t space = line.find(' ');
    Execute(line.substr(0, space), space == std::string::npos ? std::string() : line.substr(space + 1));
    Settle();
}

void DriveSession::Execute(const std::string& command, const std::string& argument) {
    const auto id = [&] { return ParseInt(argument.substr(0, argument.find(' '))); };
    if (command == "tab") {
        Tab(ParseInt(argument));
    } else if (command == "focus") {
        Focus(id());
    } else if (command == "click") {
        Click(id());
    } else if (command == "choose") {
        const size_t space = argument.find(' ');
        if (space == std::string::npos) throw DriveError("choose needs a control and an item");
        Choose(ParseInt(argument.substr(0, space)), ParseInt(argument.substr(space + 1)));
    } else if (command == "type") {
        Type(argument);
    } else if (command == "key") {
        Key(argument);
    } else if (command == "get") {
        m_out << id() << "=" << Utf8(TextOf(ShownControl(id()))) << "\n";
    } else if (command == "dump") {
        Dump();
    } else if (command == "checked") {
        auto* button = qobject_cast<QAbstractButton*>(ShownControl(id()));
        if (button == nullptr) throw DriveError("control " + argument + " is not a button");
        m_out << id() << "=" << (button->isChecked() ? 1 : 0) << "\n";
    } else if (command == "sel") {
        QLineEdit* edit = EditPart(ShownControl(id()));
        if (edit == nullptr) throw DriveError("control " + argument + " has no text selection");
        const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
        m_out << id() << "=" << start << "," << end << "\n";
    } else if (command == "list") {
        auto* combo = qobject_cast<QComboBox*>(ShownControl(id()));
        if (combo == nullptr) throw DriveError("control " + argument + " is not a combo box");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        m_out << id() << "=" << Utf8(items.join(QLatin1Char('|'))) << " cur=" << combo->currentIndex() << "\n";
    } else if (command == "trace") {
        if (argument == "on")
            CDialog::SetWriteObserver(
                [this](int control, const CString& text) { m_out << "> " << control << "=" << Utf8(ToQString(text)) << "\n"; });
        else if (argument == "off")
            CDialog::SetWriteObserver(nullptr);
        m_tracing = argument == "on";
        if (argument != "on" && argument != "off")
            throw DriveError("trace takes on or off");
    } else if (command == "tabs") {
        auto* tabs = qobject_cast<TabControl*>(ShownControl(CMainDlg::IDC_TAB));
        QStringList labels;
        for (int i = 0; i < tabs->Bar()->count(); ++i) labels << tabs->Bar()->tabText(i);
        m_out << Utf8(labels.join(QLatin1Char('|'))) << " cur=" << tabs->CurrentIndex() << "\n";
    } else if (command == "title") {
        m_out << Utf8(m_window->windowTitle()) << "\n";
    } else if (command == "help") {
        Help();
    } else if (command == "close") {
        Close();
    } else if (command == "shot" && screenshots) {
        Shot(argument);
    } else {
        throw DriveError("unknown command '" + command + "'");
    }
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
    auto* tabs = qobject_cast<TabControl*>(ShownControl(CMainDlg::IDC_TAB));
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

void DriveSession::Key(const std::string& name) {
    const auto it = KeyNames().find(name);
    if (it == KeyNames().end()) throw DriveError("unknown key '" + name + "'");
    QTest::keyClick(FocusTarget(), it->second.first, it->second.second);
}

void DriveSession::Dump() {
    QWidget* page = ShownPage();
    std::map<int, QWidget*> fields;
    if (page != nullptr)
        for (QWidget* w : page->findChildren<QWidget*>())
            if (DialogWindow::IsControl(w) && DialogRootOf(w) == page && EditPart(w) != nullptr &&
                DialogWindow::OwnId(w) != -1)
                fields.emplace(DialogWindow::OwnId(w), w);
    for (const auto& [id, control] : fields) m_out << id << "=" << Utf8(TextOf(control)) << "\n";
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        m_out << "focus=none\n";
    else
        m_out << "focus=" << DialogWindow::IdOf(focus) << "\n";
}

void DriveSession::Help() {
    auto* menuBar = m_window->findChild<QMenuBar*>();
    QAction* help = nullptr;
    if (menuBar != nullptr)
        for (QAction* action : menuBar->actions())
            if (action->text() == QStringLiteral("帮助")) help = action;
    if (help == nullptr) throw DriveError("there is no help menu item");
    bool seen = false;
    // The box runs its own modal loop; read and close it from inside that loop.
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || box == m_window) return;
        seen = true;
        m_out << "window=" << Utf8(box->windowTitle()) << "\n";
        QList<QLabel*> labels = box->findChildren<QLabel*>();
        std::sort(labels.begin(), labels.end(), [](const QLabel* a, const QLabel* b) {
            return DialogWindow::TemplateOrder(a) < DialogWindow::TemplateOrder(b);
        });
        for (QLabel* label : labels)
            if (!label->text().isEmpty()) m_out << "text=" << Utf8(OneLine(label->text())) << "\n";
        for (QPushButton* button : box->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("确定")) QTest::mouseClick(button, Qt::LeftButton);
    });
    QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(help).center());
    Settle();
    if (!seen) throw DriveError("the help item opened no box");
    if (QApplication::activeModalWidget() != m_window) throw DriveError("the box did not close");
    m_out << "closed\n";
    // A window manager would hand the activation back; the offscreen platform does not.
    m_window->activateWindow();
    (void)QTest::qWaitForWindowActive(m_window);
}

void DriveSession::Close() {
    m_window->close();
    Settle();
    if (m_window->isVisible()) throw DriveError("the main window did not close");
    m_closed = true;
    m_out << "closed\n";
}

void DriveSession::Shot(const std::string& path) {
    QPixmap picture;
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        picture = m_window->screen()->grabWindow(m_window->winId());
    if (picture.isNull()) picture = m_window->grab();
    if (!picture.save(QString::fromStdString(path), "PNG")) throw DriveError("could not write " + path);
}
