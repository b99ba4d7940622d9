#include "EventPlayer.h"

#include "app/MainDlg.h"
#include "dialog/qt/DialogWindow.h"
#include "dialog/qt/TabControl.h"
#include "tools/drive/qt/Driver.h"

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
        {IDC_UNIT_M, IDC_UNIT_CM, IDC_UNIT_MM, IDC_UNIT_UM, IDC_UNIT_UINCH, IDC_UNIT_MIL, IDC_UNIT_INCH, IDC_UNIT_KG, IDC_UNIT_G, IDC_UNIT_OZ, IDC_UNIT_MM2, IDC_UNIT_INCH2, IDC_UNIT_FOIL_OZ, IDC_UNIT_FOIL_MIL, IDC_UNIT_FOIL_UM, IDC_UNIT_M2, IDC_UNIT_FOOT2},
        {IDC_VCUT_ANGLE, IDC_VCUT_B, IDC_VCUT_D, IDC_VCUT_F, IDC_VCUT_C},
        {IDC_GOLD_C, IDC_GOLD_D, IDC_GOLD_L, IDC_GOLD_ANGLE},
        {IDC_SINK_H, IDC_SINK_D, IDC_SINK_C, IDC_SINK_B, IDC_SINK_ANGLE_PRESET, IDC_SINK_A},
    };
    return fields[tab];
}

const std::vector<int>& EventMaker::RadiosOf(int tab) {
    static const std::vector<int> radios[] = {{}, {IDC_VCUT_MM, IDC_VCUT_MIL}, {IDC_GOLD_MM, IDC_GOLD_MIL}, {IDC_SINK_MM, IDC_SINK_MIL}};
    return radios[tab];
}

const std::vector<int>& EventMaker::CombosOf(int tab) {
    static const std::vector<int> combos[] = {{}, {IDC_VCUT_ANGLE}, {IDC_GOLD_ANGLE}, {IDC_SINK_ANGLE_PRESET}};
    return combos[tab];
}

EventPlayer::EventPlayer(CMainDlg& dialog) : m_dialog(dialog) {}

QWidget* EventPlayer::Page(int tab) const {
    QWidget* tabs = m_dialog.Window()->Control(IDC_TAB);
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
    return static_cast<TabControl*>(m_dialog.Window()->Control(IDC_TAB))->CurrentIndex();
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
