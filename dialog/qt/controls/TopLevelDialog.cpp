#include "TopLevelDialog.h"

#include "dialog/Dialog.h"

#include <QCloseEvent>

TopLevelDialog::TopLevelDialog(CDialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

void TopLevelDialog::reject() { m_owner.OnCommand(win32::IDCANCEL, win32::BN_CLICKED); }

void TopLevelDialog::closeEvent(QCloseEvent* event) {
    event->ignore();  // the dialog ends through EndDialog, if its OnClose says so
    m_owner.OnClose();
}
