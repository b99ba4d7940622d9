#pragma once
// Texts cross between the dialog vocabulary (UTF-16 CString) and Qt here.

#include "dialog/Dialog.h"

#include <QString>

inline QString ToQString(const CString& text) { return QString::fromStdU16String(text); }
inline CString FromQString(const QString& text) { return text.toStdU16String(); }
