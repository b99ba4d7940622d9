#include "EventPlayer.h"

#include "app/MainDlg.h"
#include "dialog/qt/DialogWindow.h"
#include "dialog/qt/TabControl.h"
#include "tools/drive/Driver.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QComboBox>
#include <QLineEdit>

#include <sstream>

namespace {

QString OneLineText(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

}  // namespace

std::vector<std::string> UserEvent::DriveLines() const {
    switch (kind) {
    case Tab: return {"tab " + std::to_string(id)};
    case Focus: return {"focus " + std::to_string(id)};
    case Type: return {"type " + OneLineText(text).toStdString()};
    case Key: return {"key " + text.toStdString()};
    case Paste: return {"# a paste of " + std::to_string(text.size()) + " characters", "key SelectAll",
                        "type " + text.toStdString()};
    case Click: return {"click " + std::to_string(id)};
    case Choose: return {"choose " + std::to_string(id) + " " + std::to_string(index)};
    }
    return {};
}

const std::vector<int>& EventMaker::FieldsOf(int tab) {
    static const std::vector<int> fields[] = {
        {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1013, 1015, 1016, 1017, 1018, 1019},
        {1020, 1021, 1022, 1023, 1024},
        {1024, 1026, 1027, 1028},
        {1033, 1034, 1035, 1036, 1037, 1038},
    };
    return fields[tab];
}

const std::vector<int>& EventMaker::RadiosOf(int tab) {
    static const std::vector<int> radios[] = {{}, {1017, 1018}, {1030, 1029}, {1031, 1032}};
    return radios[tab];
}

const std::vector<int>& EventMaker::CombosOf(int tab) {
    static const std::vector<int> combos[] = {{}, {1020}, {1028}, {1037}};
    return combos[tab];
}

EventPlayer::EventPlayer(CMainDlg& dialog) : m_dialog(dialog) {}

QWidget* EventPlayer::Page(int tab) const {
    QWidget* tabs = m_dialog.Window()->Control(CMainDlg::IDC_TAB);
    int index = 0;
    for (QWidget* w : tabs->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (DialogWindow::IsDialogRoot(w) && index++ == tab) return w;
    return nullptr;
}

QWidget* EventPlayer::Control(int tab, int id) const {
    for (QWidget* w : Page(tab)->findChildren<QWidget*>())
        if (DialogWindow::OwnId(w) == id) return w;
    return nullptr;
}

int EventPlayer::ShownTab() const {
    return static_cast<TabControl*>(m_dialog.Window()->Control(CMainDlg::IDC_TAB))->CurrentIndex();
}

void EventPlayer::Play(const UserEvent& event) {
    if (event.kind == UserEvent::Paste) {
        // Select all, then paste from the clipboard.
        if (QWidget* focus = QApplication::focusWidget()) {
            QGuiApplication::clipboard()->setText(event.text);
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        }
        return;
    }
    std::ostringstream ignored;
    DriveSession session(m_dialog.Window()->Root(), ignored);
    session.quickChoose = true;
    try {
        for (const std::string& line : event.DriveLines()) session.Execute(line);
    } catch (const DriveError&) {
        // Nothing holds the focus for a keystroke: the user's key goes nowhere.
    }
}
