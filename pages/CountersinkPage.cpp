#include "CountersinkPage.h"

#include "Geometry.h"
#include "res/resource.h"

using namespace win32;

const MessageMap& CCountersinkPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(CBN_SELCHANGE, IDC_SINK_ANGLE_PRESET, &CCountersinkPage::OnSelchangeAnglePreset),
        OnNotify(EN_CHANGE, IDC_SINK_A, &CCountersinkPage::OnChangeA),
        OnNotify(EN_CHANGE, IDC_SINK_B, &CCountersinkPage::OnChangeB),
        OnNotify(EN_CHANGE, IDC_SINK_C, &CCountersinkPage::OnChangeC),
        OnNotify(EN_CHANGE, IDC_SINK_D, &CCountersinkPage::OnChangeD),
        OnNotify(EN_CHANGE, IDC_SINK_H, &CCountersinkPage::OnChangeH),
        OnNotify(BN_CLICKED, IDC_SINK_MM, &CCountersinkPage::OnRadioMm),
        OnNotify(BN_CLICKED, IDC_SINK_MIL, &CCountersinkPage::OnRadioMil),
    };
    return map;
}

bool CCountersinkPage::OnInitDialog() {
    CLengthUnitPage::OnInitDialog();
    m_bMmMode = 1;
    SetCheck(IDC_SINK_MM, BST_CHECKED);
    AddString(IDC_SINK_ANGLE_PRESET, u"90度");
    AddString(IDC_SINK_ANGLE_PRESET, u"120度");
    SetCurSel(IDC_SINK_ANGLE_PRESET, 0);
    SetDlgItemText(IDC_SINK_A, u"90");
    SetDlgItemText(IDC_SINK_B, u"5.00");
    SetDlgItemText(IDC_SINK_C, u"3.00");
    SetDlgItemText(IDC_SINK_D, u"1.60");
    SetFocus(IDC_SINK_B);
    OnChangeB();
    return true;
}

void CCountersinkPage::CalcDepth() {
    const double A = ParseNumber(IDC_SINK_A);
    const double B = ParseNumber(IDC_SINK_B);
    const double C = ParseNumber(IDC_SINK_C);
    WriteValue(IDC_SINK_H, CountersinkDepth(A, B, C));
}

// A, B and C recompute H once their caret is refreshed; D and H only keep
// their caret. All are gated, so the program's writes compute nothing.
void CCountersinkPage::OnChangeA() { OnChangeInput(IDC_SINK_A); }
void CCountersinkPage::OnChangeB() { OnChangeInput(IDC_SINK_B); }
void CCountersinkPage::OnChangeC() { OnChangeInput(IDC_SINK_C); }

void CCountersinkPage::OnChangeInput(int id) {
    if (!HasFocus(id)) return;
    RefreshCaret(id);
    CalcDepth();
}

void CCountersinkPage::OnChangeD() {
    if (HasFocus(IDC_SINK_D)) RefreshCaret(IDC_SINK_D);
}

void CCountersinkPage::OnChangeH() {
    if (HasFocus(IDC_SINK_H)) RefreshCaret(IDC_SINK_H);
}

// A preset writes its whole degrees into A, puts the caret after them, moves
// the focus to A and recomputes from there.
void CCountersinkPage::OnSelchangeAnglePreset() {
    SetDlgItemText(IDC_SINK_A, FormatTruncated(ParseSelectedItem(IDC_SINK_ANGLE_PRESET)));
    const int length = LineLength(IDC_SINK_A, -1);
    SetSel(IDC_SINK_A, length, length);
    ScrollCaret(IDC_SINK_A);
    SetFocus(IDC_SINK_A);
    OnChangeA();
}

void CCountersinkPage::OnRadioMm() {
    SwitchUnit(1, {IDC_SINK_B, IDC_SINK_C, IDC_SINK_D}, [this] {
        SetFocus(IDC_SINK_B);
        OnChangeB();
    });
}

void CCountersinkPage::OnRadioMil() {
    SwitchUnit(0, {IDC_SINK_B, IDC_SINK_C, IDC_SINK_D}, [this] {
        SetFocus(IDC_SINK_B);
        OnChangeB();
    });
}
