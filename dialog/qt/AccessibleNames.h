#pragma once
// What assistive technology calls a dialog's controls: each field the label
// beside it, each picture its page and frame, through Qt's accessibility,
// which AT-SPI carries.

#include "dialog/ResourceScript.h"

#include <QString>

#include <vector>

class QWidget;

// `controls` are the widgets of the template's controls, in template order.
void NameControls(const dlg::DialogTemplate& tpl, const std::vector<QWidget*>& controls, const QString& dialogTitle);
