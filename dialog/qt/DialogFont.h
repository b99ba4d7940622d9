#pragma once
// The font a template asks for, and the dialog base units it gives.

#include "dialog/DialogUnits.h"

#include <QFont>

QFont DialogFont(const dlg::DialogTemplate& tpl);
dlg::BaseUnits BaseUnitsOf(const QFont& font);
