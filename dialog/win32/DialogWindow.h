#pragma once
// The Win32 half of a CDialog: the dialog window the system builds from the
// template resource, and the dialog procedure that turns its messages into
// the CDialog's handlers.

#include "DpiLayout.h"
#include "WindowQueries.h"
#include "dialog/Dialog.h"
#include "Windows.h"

#include <vector>

class DialogWindow {
public:
    explicit DialogWindow(CDialog& owner) : m_owner(owner) {}
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Builds the window from template `templateId`; runs OnInitDialog.
    bool Create(int templateId, HWND parent);
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
    void End(int result) {
        m_ended = true;
        m_result = result;
    }
    bool Ended() const { return m_ended; }
    int Result() const { return m_result; }

    // The window's icons, from icon resource `iconId` in the sizes its DPI asks for.
    void SetIcon(int iconId);
    bool AppendSystemMenuItem(int commandId, const wchar_t* text);
    UINT Dpi() const { return m_layout.Dpi(); }

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
    HWND m_hwnd = nullptr;
    DpiLayout m_layout;
    int m_iconId = 0;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    std::vector<int> m_systemCommands;
    bool m_ended = false;
    int m_result = 0;
};
