#include "GoldFingerPage.h"

#include "Geometry.h"
#include "res/resource.h"

using namespace win32;

const MessageMap& CGoldFingerPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(CBN_SELCHANGE, IDC_GOLD_ANGLE, &CGoldFingerPage::CalcC),
        OnNotify(EN_CHANGE, IDC_GOLD_C, &CGoldFingerPage::OnChangeC),
        OnNotify(EN_CHANGE, IDC_GOLD_D, &CGoldFingerPage::OnChangeD),
        OnNotify(EN_CHANGE, IDC_GOLD_L, &CGoldFingerPage::OnChangeL),
        OnNotify(BN_CLICKED, IDC_GOLD_MM, &CGoldFingerPage::OnRadioMm),
        OnNotify(BN_CLICKED, IDC_GOLD_MIL, &CGoldFingerPage::OnRadioMil),
    };
    return map;
}

bool CGoldFingerPage::OnInitDialog() {
    CLengthUnitPage::OnInitDialog();
    m_bMmMode = 1;
    SetCheck(IDC_GOLD_MM, BST_CHECKED);
    SetDlgItemText(IDC_GOLD_D, u"1.60");
    SetDlgItemText(IDC_GOLD_L, u"1.20");
    for (const char16_t* angle : {u"20度", u"30度", u"45度"}) AddString(IDC_GOLD_ANGLE, angle);
    SetCurSel(IDC_GOLD_ANGLE, 0);
    SetFocus(IDC_GOLD_D);
    CalcByFocus();
    return true;
}

// Derives whichever of L and C the user is not typing: L while C has the
// focus, C while D or L has it. Never writes the focused field, nor D.
void CGoldFingerPage::CalcByFocus() {
    const double A = ParseSelectedItem(IDC_GOLD_ANGLE);
    const double C = ParseNumber(IDC_GOLD_C);
    const double D = ParseNumber(IDC_GOLD_D);
    const double L = ParseNumber(IDC_GOLD_L);
    const int focus = GetFocusId();
    if (focus == IDC_GOLD_C)
        WriteValue(IDC_GOLD_L, BevelLength(C, D, A));
    else if (focus == IDC_GOLD_D || focus == IDC_GOLD_L)
        WriteValue(IDC_GOLD_C, BevelEndFace(D, L, A));
}

void CGoldFingerPage::CalcC() {
    const double A = ParseSelectedItem(IDC_GOLD_ANGLE);
    const double D = ParseNumber(IDC_GOLD_D);
    const double L = ParseNumber(IDC_GOLD_L);
    WriteValue(IDC_GOLD_C, BevelEndFace(D, L, A));
}

void CGoldFingerPage::OnChangeC() { OnChange(IDC_GOLD_C); }
void CGoldFingerPage::OnChangeD() { OnChange(IDC_GOLD_D); }
void CGoldFingerPage::OnChangeL() { OnChange(IDC_GOLD_L); }

void CGoldFingerPage::OnChange(int id) {
    if (!HasFocus(id)) return;
    CalcByFocus();
    RefreshCaret(id);
}

void CGoldFingerPage::OnRadioMm() {
    if (!m_bMmMode) SetCheck(IDC_GOLD_MM, BST_CHECKED);
    SwitchUnit(1, {IDC_GOLD_D, IDC_GOLD_L}, [this] { CalcC(); });
}

void CGoldFingerPage::OnRadioMil() {
    if (m_bMmMode) SetCheck(IDC_GOLD_MIL, BST_CHECKED);
    SwitchUnit(0, {IDC_GOLD_D, IDC_GOLD_L}, [this] { CalcC(); });
}
