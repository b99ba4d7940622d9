#pragma once
// The main window, run as the program runs it: modally, until it is closed.

#include "app/MainDlg.h"
#include "dialog/qt/DialogWindow.h"
#include "dialog/qt/TabControl.h"

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Runs the main window and calls `check` inside its modal loop, once it is
// shown and active; the window is closed afterwards if the check left it open.
inline void WithMainWindow(const std::function<void(CMainDlg&, QWidget*)>& check) {
    CMainDlg dialog;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = dialog.Window()->Root();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        check(dialog, window);
        ran = true;
        if (window->isVisible()) dialog.EndDialog(win32::IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_TRUE(ran);
}

inline TabControl* TabsOf(CMainDlg& dialog) {
    return static_cast<TabControl*>(dialog.Window()->Control(IDC_TAB));
}

// The four pages on the tab control, in tab order.
inline std::vector<QWidget*> Pages(QWidget* tabControl) {
    std::vector<QWidget*> pages;
    for (QWidget* w : tabControl->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (DialogWindow::IsDialogRoot(w)) pages.push_back(w);
    return pages;
}

// The control `id` of a page.
inline QWidget* ControlOf(QWidget* page, int id) {
    for (QWidget* w : page->findChildren<QWidget*>())
        if (DialogWindow::OwnId(w) == id) return w;
    return nullptr;
}
