#include "VCutPage.h"

#include "Geometry.h"
#include "res/resource.h"

using namespace win32;

namespace {
// The clearance allowance: 0.1 mm, or a round 4 mil (not 3.937).
constexpr double kAllowanceMm = 0.1;
constexpr double kAllowanceMil = 4;
}  // namespace

// No handler here is gated on the focus: B, D and F recompute C whoever
// writes them, and C itself has no handler, so nothing recurses.
const MessageMap& CVCutPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(BN_CLICKED, IDC_VCUT_MM, &CVCutPage::OnRadioMm),
        OnNotify(BN_CLICKED, IDC_VCUT_MIL, &CVCutPage::OnRadioMil),
        OnNotify(EN_CHANGE, IDC_VCUT_B, &CVCutPage::OnChangeB),
        OnNotify(EN_CHANGE, IDC_VCUT_D, &CVCutPage::OnChangeD),
        OnNotify(EN_CHANGE, IDC_VCUT_F, &CVCutPage::OnChangeF),
        OnNotify(CBN_SELCHANGE, IDC_VCUT_ANGLE, &CVCutPage::OnSelchangeAngle),
    };
    return map;
}

bool CVCutPage::OnInitDialog() {
    CLengthUnitPage::OnInitDialog();
    m_bMmMode = 1;
    for (const char16_t* angle : {u"20degree", u"30degree", u"45degree", u"60degree"}) AddString(IDC_VCUT_ANGLE, angle);
    SetCurSel(IDC_VCUT_ANGLE, 1);
    SetCheck(IDC_VCUT_MM, BST_CHECKED);
    SetDlgItemText(IDC_VCUT_F, u"0.10");
    SetDlgItemText(IDC_VCUT_B, u"0.40");
    SetDlgItemText(IDC_VCUT_D, u"1.60");
    CalcClearance();
    return true;
}

void CVCutPage::OnRadioMm() {
    SwitchUnit(1, {IDC_VCUT_B, IDC_VCUT_D, IDC_VCUT_F}, [this] { CalcClearance(); });
}

void CVCutPage::OnRadioMil() {
    SwitchUnit(0, {IDC_VCUT_B, IDC_VCUT_D, IDC_VCUT_F}, [this] { CalcClearance(); });
}

void CVCutPage::OnChangeB() {
    RefreshCaret(IDC_VCUT_B);
    CalcClearance();
}

void CVCutPage::OnChangeD() {
    RefreshCaret(IDC_VCUT_D);
    CalcClearance();
}

void CVCutPage::OnChangeF() {
    RefreshCaret(IDC_VCUT_F);
    CalcClearance();
}

void CVCutPage::OnSelchangeAngle() { CalcClearance(); }

void CVCutPage::CalcClearance() {
    const double A = ParseSelectedItem(IDC_VCUT_ANGLE);
    const double B = ParseNumber(IDC_VCUT_B);
    const double D = ParseNumber(IDC_VCUT_D);
    const double F = ParseNumber(IDC_VCUT_F);
    // The allowance follows the radio buttons, which already show the new
    // unit while a switch is still converting.
    double k = 0;
    if (GetCheck(IDC_VCUT_MM) == BST_CHECKED)
        k = kAllowanceMm;
    else if (GetCheck(IDC_VCUT_MIL) == BST_CHECKED)
        k = kAllowanceMil;
    else
        return;
    WriteValue(IDC_VCUT_C, VCutClearance(A, B, D, F, k));
}
