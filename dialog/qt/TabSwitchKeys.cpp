#include "TabSwitchKeys.h"

#include "DialogWindow.h"
#include "TabControl.h"
#include "dialog/TabSteps.h"

#include <QApplication>
#include <QShortcut>
#include <QTabBar>

#include <algorithm>

namespace {

// The control of the shown page that the Tab key would enter first.
QWidget* FirstTabStopOfShownPage(TabControl* tabs) {
    std::vector<QWidget*> controls;
    for (QWidget* page : tabs->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!DialogWindow::IsDialogRoot(page) || !page->isVisible()) continue;
        for (QWidget* w : page->findChildren<QWidget*>())
            if (DialogWindow::IsControl(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
                controls.push_back(w);
    }
    const auto first = std::min_element(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
        return DialogWindow::TemplateOrder(a) < DialogWindow::TemplateOrder(b);
    });
    return first != controls.end() ? *first : nullptr;
}

void Step(TabControl* tabs, int step) {
    QTabBar* bar = tabs->Bar();
    QWidget* focus = QApplication::focusWidget();
    const bool focusInPage = focus != nullptr && focus != bar && tabs->isAncestorOf(focus);
    bar->setCurrentIndex(dlg::SteppedTab(bar->currentIndex(), bar->count(), step));  // announced as a click is
    if (QWidget* first = focusInPage ? FirstTabStopOfShownPage(tabs) : nullptr) first->setFocus(Qt::TabFocusReason);
}

}  // namespace

void AddTabSwitchKeys(TabControl* tabs) {
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},  // also taken for Ctrl+Shift+Backtab
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [combination, step] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(combination), tabs);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, tabs, [tabs, step = step] { Step(tabs, step); });
    }
}
