// The main window, run as the program runs it: modally, until it is closed.

#include "MainWindowRun.h"
#include "dialog/qt/TabControl.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MainWindow, HasTheTemplateSizeTheFourTabsAndTheHelpItem) {
    WithMainWindow([](CMainDlg& dialog, QWidget* window) {
        QWidget* tabs = dialog.Window()->Control(IDC_TAB);
        EXPECT_EQ(tabs->parentWidget()->size(), QSize(533, 359));  // the client area
        EXPECT_EQ(tabs->geometry(), QRect(11, 5, 513, 345));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Lamino"));
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        QTabBar* bar = static_cast<TabControl*>(tabs)->Bar();
        ASSERT_EQ(bar->count(), 4);
        EXPECT_EQ(bar->tabText(0), QStringLiteral("单位换算"));
        EXPECT_EQ(bar->tabText(1), QStringLiteral("V-CUT削铜"));
        EXPECT_EQ(bar->tabText(2), QStringLiteral("金手指倒角"));
        EXPECT_EQ(bar->tabText(3), QStringLiteral("沉头孔"));
        auto* menu = window->findChild<QMenuBar*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("帮助"));
        EXPECT_EQ(menu->actions()[0]->menu(), nullptr);  // a command, not a submenu
    });
}

// A desktop may offer to maximise any window (Qt's own title bar on Wayland
// does); the fixed-size window stays as it is.
TEST(MainWindow, IsNeverLeftMaximised) {
    WithMainWindow([](CMainDlg&, QWidget* window) {
        const QRect before = window->geometry();
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        QTest::qWait(10);
        EXPECT_FALSE(window->windowState() & Qt::WindowMaximized);
        EXPECT_EQ(window->geometry(), before);
    });
}

TEST(MainWindow, ShowsOnePageAtATimeFittedToTheTabArea) {
    WithMainWindow([](CMainDlg& dialog, QWidget*) {
        auto* tabs = static_cast<TabControl*>(dialog.Window()->Control(IDC_TAB));
        const std::vector<QWidget*> pages = Pages(tabs);
        ASSERT_EQ(pages.size(), 4u);
        for (QWidget* page : pages) EXPECT_EQ(page->geometry(), QRect(4, 20, 513 - 8, 345 - 24));
        for (int tab : {2, 1, 3, 0}) {
            QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(tab).center());
            for (int i = 0; i < 4; ++i) EXPECT_EQ(pages[i]->isVisible(), i == tab) << "tab " << tab << " page " << i;
        }
    });
}

TEST(MainWindow, KeepsPageTextsWhileHidden) {
    WithMainWindow([](CMainDlg& dialog, QWidget*) {
        auto* tabs = static_cast<TabControl*>(dialog.Window()->Control(IDC_TAB));
        QWidget* page = Pages(tabs)[0];
        QWidget* inch = nullptr;
        for (QWidget* w : page->findChildren<QWidget*>())
            if (DialogWindow::IsControl(w) && DialogWindow::OwnId(w) == IDC_UNIT_INCH) inch = w;
        ASSERT_NE(inch, nullptr);
        inch->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(inch, "2");
        QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(3).center());
        QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(0).center());
        EXPECT_EQ(static_cast<QLineEdit*>(inch)->text(), QStringLiteral("2"));
    });
}

// As in a property sheet: the next or previous tab from wherever the focus
// is, around the ends; a focus in a page goes to the new page's first tab
// stop, a focus on the tabs stays there.
TEST(MainWindow, SwitchesTabsWithCtrlTabAndCtrlPageKeys) {
    WithMainWindow([](CMainDlg& dialog, QWidget*) {
        TabControl* tabs = TabsOf(dialog);
        const std::vector<QWidget*> pages = Pages(tabs);
        auto* inch = qobject_cast<QLineEdit*>(ControlOf(pages[0], IDC_UNIT_INCH));
        ASSERT_NE(inch, nullptr);
        inch->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(inch, "2");
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int tab;
            int focus;
        } steps[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 1, IDC_VCUT_MM},  // the checked unit button comes first
            {Qt::Key_PageDown, Qt::ControlModifier, 2, IDC_GOLD_MM},
            {Qt::Key_PageDown, Qt::ControlModifier, 3, IDC_SINK_MM},
            {Qt::Key_Tab, Qt::ControlModifier, 0, IDC_UNIT_M},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 3, IDC_SINK_MM},
            {Qt::Key_PageUp, Qt::ControlModifier, 2, IDC_GOLD_MM},
        };
        for (const auto& step : steps) {
            QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
            EXPECT_EQ(tabs->CurrentIndex(), step.tab);
            for (int i = 0; i < 4; ++i) EXPECT_EQ(pages[i]->isVisible(), i == step.tab) << "tab " << step.tab;
            EXPECT_EQ(CDialog::GetFocusId(), step.focus);
        }
        tabs->Bar()->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(tabs->Bar(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->CurrentIndex(), 3);
        EXPECT_EQ(QApplication::focusWidget(), tabs->Bar());
        EXPECT_EQ(inch->text(), QStringLiteral("2"));
    });
}

// F10 takes the keyboard to the menu bar, Enter there opens the About box,
// and when the box closes the field that had the focus has it again, as
// the dialog manager gives it back, not the menu bar.
TEST(MainWindow, GivesTheFocusBackToTheFieldAfterTheAboutBoxFromTheMenuBar) {
    WithMainWindow([](CMainDlg& dialog, QWidget* window) {
        QWidget* inch = ControlOf(Pages(TabsOf(dialog))[0], IDC_UNIT_INCH);
        inch->setFocus(Qt::TabFocusReason);
        const int field = CDialog::GetFocusId();
        QTest::keyClick(inch, Qt::Key_F10);
        auto* menu = window->findChild<QMenuBar*>();
        ASSERT_EQ(QApplication::focusWidget(), menu);
        QString seen;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr || box == window) return;
            seen = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(menu, Qt::Key_Return);
        EXPECT_EQ(seen, QStringLiteral("关于 Lamino"));
        window->activateWindow();  // as a window manager does once the box has gone
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        EXPECT_EQ(CDialog::GetFocusId(), field);
    });
}

TEST(MainWindow, StaysOpenOnEnterAndEscAndEndsThroughItsCloseBox) {
    WithMainWindow([](CMainDlg& dialog, QWidget* window) {
        auto* tabs = static_cast<TabControl*>(dialog.Window()->Control(IDC_TAB));
        tabs->Bar()->setFocus();
        QTest::keyClick(tabs->Bar(), Qt::Key_Return);
        QTest::keyClick(tabs->Bar(), Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible());
        window->close();
        EXPECT_FALSE(window->isVisible());
    });
}

}  // namespace
