#pragma once
// The window of a modal dialog: its close box and Esc go to the CDialog,
// which decides whether it ends. Its size is fixed: it is never maximised.

#include <QDialog>

class CDialog;

class TopLevelDialog : public QDialog {
public:
    TopLevelDialog(CDialog& owner, QWidget* parent);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CDialog& m_owner;
};
