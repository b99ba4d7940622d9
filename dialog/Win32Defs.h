#pragma once
// The slice of the Win32 vocabulary that Lamino's dialogs speak: notification
// codes, style bits and command ids, with the values Windows gives them so that
// templates and message maps read the same on every front end.

#include <cstdint>

namespace win32 {

// WM_COMMAND notification codes
enum Notification : int {
    BN_CLICKED = 0,      // also the code of a menu command
    CBN_SELCHANGE = 1,
    EN_CHANGE = 0x0300,
    TCN_SELCHANGE = -551,
};

enum CommandId : int {
    IDOK = 1,
    IDCANCEL = 2,
};

enum CheckState : int {
    BST_UNCHECKED = 0,
    BST_CHECKED = 1,
};

enum ShowCommand : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
};

// Window styles
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_CHILD = 0x40000000u;
constexpr uint32_t WS_MINIMIZE = 0x20000000u;
constexpr uint32_t WS_VISIBLE = 0x10000000u;
constexpr uint32_t WS_DISABLED = 0x08000000u;
constexpr uint32_t WS_CAPTION = 0x00C00000u;
constexpr uint32_t WS_BORDER = 0x00800000u;
constexpr uint32_t WS_VSCROLL = 0x00200000u;
constexpr uint32_t WS_HSCROLL = 0x00100000u;
constexpr uint32_t WS_SYSMENU = 0x00080000u;
constexpr uint32_t WS_GROUP = 0x00020000u;
constexpr uint32_t WS_TABSTOP = 0x00010000u;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;  // same bit as WS_GROUP, on top-level windows
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000u;  // same bit as WS_TABSTOP, on top-level windows

constexpr uint32_t WS_EX_TRANSPARENT = 0x00000020u;
constexpr uint32_t WS_EX_APPWINDOW = 0x00040000u;

// Dialog styles
constexpr uint32_t DS_MODALFRAME = 0x80u;
constexpr uint32_t DS_SETFONT = 0x40u;

// Edit styles
constexpr uint32_t ES_AUTOHSCROLL = 0x80u;
constexpr uint32_t ES_READONLY = 0x800u;

// Static styles
constexpr uint32_t SS_LEFT = 0x0u;
constexpr uint32_t SS_CENTER = 0x1u;
constexpr uint32_t SS_ICON = 0x3u;
constexpr uint32_t SS_BITMAP = 0xEu;
constexpr uint32_t SS_TYPEMASK = 0x1Fu;
constexpr uint32_t SS_NOPREFIX = 0x80u;

// Button styles
constexpr uint32_t BS_PUSHBUTTON = 0x0u;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x1u;
constexpr uint32_t BS_AUTOCHECKBOX = 0x3u;
constexpr uint32_t BS_GROUPBOX = 0x7u;
constexpr uint32_t BS_AUTORADIOBUTTON = 0x9u;
constexpr uint32_t BS_TYPEMASK = 0xFu;

// Combo box styles
constexpr uint32_t CBS_DROPDOWN = 0x2u;
constexpr uint32_t CBS_DROPDOWNLIST = 0x3u;
constexpr uint32_t CBS_AUTOHSCROLL = 0x40u;
constexpr uint32_t CBS_SORT = 0x100u;

}  // namespace win32
