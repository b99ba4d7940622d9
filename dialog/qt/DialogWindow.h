#pragma once
// The Qt half of a CDialog: the widgets built from its template, and the
// translation of Qt's signals into the notifications a Win32 dialog receives.

#include "dialog/Dialog.h"
#include "dialog/NativeDialog.h"
#include "dialog/ResourceScript.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <vector>

class QButtonGroup;
class QComboBox;
class QDialog;
class QLineEdit;

class DialogWindow : public dlg::NativeDialog {
public:
    explicit DialogWindow(CDialog& owner) : m_owner(owner) {}
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    QWidget* Root() const { return m_root; }
    QDialog* AsQDialog() const;
    QWidget* Control(int id) const;
    const dlg::DialogTemplate& Template() const { return *m_tpl; }

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

    // dlg::NativeDialog (dialog/qt/Dialog.cpp)
    bool Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                const std::function<bool()>& initDialog) override;
    CString Text(int id) const override;
    void SetText(int id, const CString& text) override;
    CString Title() const override;
    void SetTitle(const CString& title) override;
    void Describe(int id, const CString& description) override;
    void Selection(int id, int& start, int& end) const override;
    void SetSelection(int id, int start, int end) override;
    void ListInsert(int id, int index, const CString& text) override;
    int ListCount(int id) const override;
    CString ListItem(int id, int index) const override;
    int ListCurrent(int id) const override;
    void SetListCurrent(int id, int index) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void InsertTab(int id, int index, const CString& label) override;
    int TabCurrent(int id) const override;
    bool Focus(int id) override;
    int FocusedId() const override;
    bool WindowShown() const override;
    void Show(bool visible) override;
    bool Visible() const override;
    void Move(const PixelRect& rect, bool repaint) override;
    PixelRect ClientRect(int id) const override;
    int RunModal(NativeDialog* owner) override;
    void EndModal(int result) override;
    void SetIcon(int iconId) override;

private:
    void MakeWidgets(QWidget* parent, bool topLevel);
    void Build(QWidget* client, const QFont& font);
    void PlaceInGroups();
    QWidget* CreateControl(const dlg::ControlTemplate& c, QWidget* client, const QFont& font);
    void WireEdit(QLineEdit* edit, int id);
    void WireCombo(QComboBox* combo, int id);

    CDialog& m_owner;
    const dlg::DialogTemplate* m_tpl = nullptr;
    QPointer<QWidget> m_root;
    std::map<int, QWidget*> m_controls;
    std::vector<QWidget*> m_inTemplateOrder;
    std::vector<QButtonGroup*> m_radioGroups;
};
