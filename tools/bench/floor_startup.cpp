// The floor: a plain Qt 6 dialog with as many widgets as Lamino's window
// (a menu, four tabs, 82 controls) in the same font, and nothing else.

#include "FirstFrame.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// Adds `edits` fields, `labels` labels, `groups` group boxes, `radios` radio
// buttons, `combos` combo boxes and `pictures` picture labels in a grid.
QWidget* Page(int edits, int labels, int groups, int radios, int combos, int pictures) {
    auto* page = new QWidget;
    int y = 10;
    const auto next = [&y](QWidget* w, int x) {
        w->move(x, y);
        y = (y + 22) % 300;
    };
    for (int i = 0; i < groups; ++i) next(new QGroupBox(QStringLiteral("长度"), page), 200);
    for (int i = 0; i < pictures; ++i) next(new QLabel(page), 300);
    for (int i = 0; i < edits; ++i) next(new QLineEdit(page), 10);
    for (int i = 0; i < labels; ++i) next(new QLabel(QStringLiteral("mm(毫米)"), page), 100);
    for (int i = 0; i < radios; ++i) next(new QRadioButton(QStringLiteral("mm"), page), 400);
    for (int i = 0; i < combos; ++i) {
        auto* combo = new QComboBox(page);
        combo->setEditable(true);
        combo->addItems({QStringLiteral("20度"), QStringLiteral("30度")});
        next(combo, 400);
    }
    return page;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPixelSize(13);
    app.setFont(font);
    ReportFirstFrame(app, "floor");
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Lamino"));
    auto* menu = new QMenuBar(&dialog);
    menu->addAction(QStringLiteral("帮助"));
    auto* tabs = new QTabWidget(&dialog);
    tabs->setGeometry(11, 25, 513, 345);
    tabs->addTab(Page(17, 17, 4, 0, 0, 0), QStringLiteral("单位换算"));
    tabs->addTab(Page(4, 5, 2, 2, 1, 1), QStringLiteral("V-CUT削铜"));
    tabs->addTab(Page(3, 4, 2, 2, 1, 1), QStringLiteral("金手指倒角"));
    tabs->addTab(Page(5, 5, 2, 2, 1, 1), QStringLiteral("沉头孔"));
    dialog.setFixedSize(533, 380);
    dialog.exec();
    return 0;
}
