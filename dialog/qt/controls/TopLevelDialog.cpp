#include "TopLevelDialog.h"

#include "dialog/Dialog.h"

#include <QCloseEvent>

TopLevelDialog::TopLevelDialog(CDialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

void TopLevelDialog::reject() { m_owner.OnCommand(win32::IDCANCEL, win32::BN_CLICKED); }

void TopLevelDialog::closeEvent(QCloseEvent* event) {
    event->ignore();  // the dialog ends through EndDialog, if its OnClose says so
    m_owner.OnClose();
}

// Qt's own title bar on Wayland offers a maximise button on every window;
// used on a window of fixed size, it would leave a "maximised" window of
// the same size that the desktop then treats as maximised.
void TopLevelDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized) &&
        minimumSize() == maximumSize())
        setWindowState(windowState() & ~Qt::WindowMaximized);
}
