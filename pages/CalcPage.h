#pragma once
// What every calculator page shares: numbers read from and written to fields,
// the focus gate, the caret refresh, a white face, and Enter and Esc that
// never end a page.

#include "NumberText.h"
#include "dialog/Dialog.h"

class CCalcPage : public CDialog {
protected:
    using CDialog::CDialog;

    // The number a field's text reads as.
    double ParseNumber(int id) const { return ParseNumberText(GetDlgItemText(id)); }
    // The number the selected list item of a combo box reads as; 0 with no selection.
    double ParseSelectedItem(int comboId) const { return ParseNumberText(GetLBText(comboId, GetCurSel(comboId))); }
    void WriteValue(int id, double value) { SetDlgItemText(id, FormatValue(value)); }

    // The focus gate: the program's own writes to a field reach its handler
    // while the focus is elsewhere, and must not compute from there.
    static bool HasFocus(int id) { return GetFocusId() == id; }

    // Sets the field's selection again and scrolls the caret into view.
    void RefreshCaret(int id);

    void OnOK() override {}
    void OnCancel() override {}
    bool PaintsWhiteBackground() const override { return true; }
};
