#include "CountersinkPage.h"

#include "Geometry.h"

using namespace win32;

namespace {
enum : int {
    IDC_MM = 1031,
    IDC_MIL = 1032,
    IDC_H = 1033,
    IDC_D = 1034,
    IDC_C = 1035,
    IDC_B = 1036,
    IDC_ANGLE_PRESET = 1037,
    IDC_A = 1038,
};
}  // namespace

const MessageMap& CCountersinkPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(CBN_SELCHANGE, IDC_ANGLE_PRESET, &CCountersinkPage::OnSelchangeAnglePreset),
        OnNotify(EN_CHANGE, IDC_A, &CCountersinkPage::OnChangeA),
        OnNotify(EN_CHANGE, IDC_B, &CCountersinkPage::OnChangeB),
        OnNotify(EN_CHANGE, IDC_C, &CCountersinkPage::OnChangeC),
        OnNotify(EN_CHANGE, IDC_D, &CCountersinkPage::OnChangeD),
        OnNotify(EN_CHANGE, IDC_H, &CCountersinkPage::OnChangeH),
        OnNotify(BN_CLICKED, IDC_MM, &CCountersinkPage::OnRadioMm),
        OnNotify(BN_CLICKED, IDC_MIL, &CCountersinkPage::OnRadioMil),
    };
    return map;
}

bool CCountersinkPage::OnInitDialog() {
    CLengthUnitPage::OnInitDialog();
    m_bMmMode = 1;
    SetCheck(IDC_MM, BST_CHECKED);
    AddString(IDC_ANGLE_PRESET, u"90度");
    AddString(IDC_ANGLE_PRESET, u"120度");
    SetCurSel(IDC_ANGLE_PRESET, 0);
    SetDlgItemText(IDC_A, u"90");
    SetDlgItemText(IDC_B, u"5.00");
    SetDlgItemText(IDC_C, u"3.00");
    SetDlgItemText(IDC_D, u"1.60");
    SetFocus(IDC_B);
    OnChangeB();
    return true;
}

void CCountersinkPage::CalcDepth() {
    const double A = ParseNumber(IDC_A);
    const double B = ParseNumber(IDC_B);
    const double C = ParseNumber(IDC_C);
    WriteValue(IDC_H, CountersinkDepth(A, B, C));
}

// A, B and C recompute H once their caret is refreshed; D and H only keep
// their caret. All are gated, so the program's writes compute nothing.
void CCountersinkPage::OnChangeA() { OnChangeInput(IDC_A); }
void CCountersinkPage::OnChangeB() { OnChangeInput(IDC_B); }
void CCountersinkPage::OnChangeC() { OnChangeInput(IDC_C); }

void CCountersinkPage::OnChangeInput(int id) {
    if (!HasFocus(id)) return;
    RefreshCaret(id);
    CalcDepth();
}

void CCountersinkPage::OnChangeD() {
    if (HasFocus(IDC_D)) RefreshCaret(IDC_D);
}

void CCountersinkPage::OnChangeH() {
    if (HasFocus(IDC_H)) RefreshCaret(IDC_H);
}

// A preset writes its whole degrees into A, puts the caret after them, moves
// the focus to A and recomputes from there.
void CCountersinkPage::OnSelchangeAnglePreset() {
    SetDlgItemText(IDC_A, FormatTruncated(ParseSelectedItem(IDC_ANGLE_PRESET)));
    const int length = LineLength(IDC_A, -1);
    SetSel(IDC_A, length, length);
    ScrollCaret(IDC_A);
    SetFocus(IDC_A);
    OnChangeA();
}

void CCountersinkPage::OnRadioMm() {
    SwitchUnit(1, {IDC_B, IDC_C, IDC_D}, [this] {
        SetFocus(IDC_B);
        OnChangeB();
    });
}

void CCountersinkPage::OnRadioMil() {
    SwitchUnit(0, {IDC_B, IDC_C, IDC_D}, [this] {
        SetFocus(IDC_B);
        OnChangeB();
    });
}
