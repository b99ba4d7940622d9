#pragma once
// The Qt half of a CDialog: the widgets built from its template, and the
// translation of Qt's signals into the notifications a Win32 dialog receives.

#include "dialog/Dialog.h"
#include "dialog/ResourceScript.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <vector>

class QButtonGroup;
class QComboBox;
class QDialog;
class QLineEdit;

class DialogWindow {
public:
    DialogWindow(CDialog& owner, const dlg::DialogTemplate& tpl, QWidget* parent, bool topLevel);
    ~DialogWindow();

    QWidget* Root() const { return m_root; }
    QDialog* AsQDialog() const;
    QWidget* Control(int id) const;
    // The control a dialog gives the focus to when it opens: its first tab
    // stop, or failing that its first control that takes the focus.
    int FirstFocusableId() const;
    const dlg::DialogTemplate& Template() const { return m_tpl; }

    // The control id a widget answers to: its own, or that of the control it is part of.
    static int IdOf(const QWidget* widget);
    // Whether the widget is a control made from a template line, and its id (-1 for none).
    static bool IsControl(const QWidget* widget);
    static int OwnId(const QWidget* widget);
    // A control's place in its template (1 for the first).
    static int TemplateOrder(const QWidget* widget);
    // Whether the widget is the face of a dialog (a window, or a page inside one).
    static bool IsDialogRoot(const QWidget* widget);
    static QWidget* FocusWidget();

    void SetText(int id, const CString& text);
    CString Text(int id) const;
    void SetTitle(const CString& title);
    CString Title() const;

private:
    void Build(QWidget* client, const QFont& font);
    void PlaceInGroups();
    QWidget* CreateControl(const dlg::ControlTemplate& c, QWidget* client, const QFont& font);
    void WireEdit(QLineEdit* edit, int id);
    void WireCombo(QComboBox* combo, int id);

    CDialog& m_owner;
    const dlg::DialogTemplate& m_tpl;
    QPointer<QWidget> m_root;
    std::map<int, QWidget*> m_controls;
    std::vector<QWidget*> m_inTemplateOrder;
    std::vector<QButtonGroup*> m_radioGroups;
};
