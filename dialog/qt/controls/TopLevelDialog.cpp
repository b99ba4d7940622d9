#include "TopLevelDialog.h"

#include "dialog/Dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

TopLevelDialog::TopLevelDialog(CDialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now != this && isAncestorOf(now) && qobject_cast<QMenuBar*>(now) == nullptr)
            m_lastFocus = now;
    });
}

void TopLevelDialog::SetMenuBar(QMenuBar* menuBar) {
    m_menuBar = menuBar;
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setContext(Qt::WindowShortcut);
    connect(f10, &QShortcut::activated, this, &TopLevelDialog::EnterMenuBar);
}

// The menu bar takes the keyboard when Alt is pressed and released alone;
// F10 does what that tap does, sending the events of one.
void TopLevelDialog::EnterMenuBar() {
    if (m_menuBar == nullptr || !m_menuBar->isVisible()) return;
    QKeyEvent altOverride(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    altOverride.ignore();
    QCoreApplication::sendEvent(this, &altOverride);
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(this, &altDown);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &altUp);
}

void TopLevelDialog::reject() { m_owner.OnCommand(win32::IDCANCEL, win32::BN_CLICKED); }

// Qt gives an activated window's focus to the widget that had it last, the
// menu bar when a menu item opened a box: the control before it takes it.
// Qt's own title bar on Wayland offers a maximise button on every window;
// used on a window of fixed size, it would leave a "maximised" window of the
// same size that the desktop then treats as maximised.
void TopLevelDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized) &&
        minimumSize() == maximumSize())
        setWindowState(windowState() & ~Qt::WindowMaximized);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    QWidget* focus = focusWidget();
    const bool lost = focus == nullptr || focus == this || qobject_cast<QMenuBar*>(focus) != nullptr;
    if (lost && m_lastFocus != nullptr && m_lastFocus->isVisible() && m_lastFocus->isEnabled())
        m_lastFocus->setFocus(Qt::ActiveWindowFocusReason);
}

void TopLevelDialog::closeEvent(QCloseEvent* event) {
    event->ignore();  // the dialog ends through EndDialog, if its OnClose says so
    m_owner.OnClose();
}
