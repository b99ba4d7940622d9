#pragma once
// <windows.h> for the Win32 front end. Our own Win32 vocabulary goes in
// first, since the macros of <windows.h> would rewrite its names; after this
// header, use the constants of <windows.h> rather than those of namespace win32.

#include "dialog/Win32Defs.h"

#include <windows.h>
#include <commctrl.h>

#undef GetDlgItemText
#undef SetDlgItemText
#undef LoadString
#undef GetWindowText
#undef SetWindowText
