#pragma once
// The window of a modal dialog: its close box and Esc go to the CDialog,
// which decides whether it ends. As a Win32 dialog, it gives the focus back
// to the control that last had it when it becomes active again (after a box
// it opened, or after its menu bar had the keyboard), and F10 takes the
// keyboard to its menu bar. Its size is fixed: it is never maximised.

#include <QDialog>
#include <QPointer>

class CDialog;
class QMenuBar;

class TopLevelDialog : public QDialog {
public:
    TopLevelDialog(CDialog& owner, QWidget* parent);

    void SetMenuBar(QMenuBar* menuBar);
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void EnterMenuBar();

    CDialog& m_owner;
    QPointer<QMenuBar> m_menuBar;
    QPointer<QWidget> m_lastFocus;  // the last widget inside that had the focus, but the menu bar
};
