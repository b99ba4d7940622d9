#pragma once
// The Win32 half of a CDialog: the dialog window the system builds from the
// template resource, and the dialog procedure that turns its messages into
// the CDialog's handlers.

#include "DpiLayout.h"
#include "WindowQueries.h"
#include "dialog/Dialog.h"
#include "dialog/NativeDialog.h"
#include "Windows.h"

#include <vector>

class DialogWindow : public dlg::NativeDialog {
public:
    explicit DialogWindow(CDialog& owner) : m_owner(owner) {}
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    HWND Control(int id) const { return m_hwnd ? GetDlgItem(m_hwnd, id) : nullptr; }

    // Whether the window is the face of one of our dialogs, and which.
    static bool IsDialog(HWND hwnd);
    static DialogWindow* FromHandle(HWND hwnd);
    // The dialog's tab stops, in tab order, that can take the focus now.
    std::vector<HWND> TabStops() const;
    // The control id a window answers to: its own, or that of the combo box
    // whose edit part it is; 0 for none.
    static int IdOf(HWND hwnd);

    // Modal state, for the message loop.
    bool Ended() const { return m_ended; }
    int Result() const { return m_result; }
    UINT Dpi() const { return m_layout.Dpi(); }

    // dlg::NativeDialog (dialog/win32/Dialog.cpp): each call the control message it stands for.
    // The dialog manager builds the window from the template resource, and
    // WM_INITDIALOG runs `initDialog`.
    bool Create(const dlg::DialogTemplate& tpl, NativeDialog* parent, int parentId, bool modal,
                const std::function<bool()>& initDialog) override;
    bool RaisesChangeItself() const override { return true; }
    CString Text(int id) const override;
    void SetText(int id, const CString& text) override;
    CString Title() const override;
    void SetTitle(const CString& text) override;
    void Describe(int, const CString&) override {}  // MSAA reads the standard description
    void Selection(int id, int& start, int& end) const override;
    void SetSelection(int id, int start, int end) override;
    void ScrollCaret(int id) override;
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
    int ScaleForDpi(int pixels) const override;
    int RunModal(NativeDialog* owner) override;
    void EndModal(int result) override;
    // The window's icons, from icon resource `iconId` in the sizes its DPI asks for.
    void SetIcon(int iconId) override;
    bool AppendSystemMenuItem(int commandId, const CString& text) override;

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void FitLabelsToText();
    bool PaintMinimised();
    void LoadIcons();
    // The window moved to a monitor of another DPI: lays it out anew, with
    // the dialogs inside it.
    void ChangeDpi(UINT dpi);

    CDialog& m_owner;
    std::function<bool()> m_initDialog;
    HWND m_hwnd = nullptr;
    DpiLayout m_layout;
    int m_iconId = 0;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    std::vector<int> m_systemCommands;
    bool m_ended = false;
    int m_result = 0;
};
