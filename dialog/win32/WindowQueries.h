#pragma once
// What any window tells of itself: its class, its text, its child windows.

#include "dialog/Dialog.h"
#include "Windows.h"

#include <vector>

bool IsClass(HWND hwnd, const wchar_t* className);
// The child windows of `parent`, first made first: a dialog's controls in template order.
std::vector<HWND> ChildWindows(HWND parent);
CString WindowText(HWND hwnd);

inline const wchar_t* Wide(const CString& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
