#include "GoldFingerPage.h"

#include "Geometry.h"

using namespace win32;

namespace {
enum : int {
    IDC_C = 1024,
    IDC_D = 1026,
    IDC_L = 1027,
    IDC_ANGLE = 1028,
    IDC_MIL = 1029,
    IDC_MM = 1030,
};
}  // namespace

const MessageMap& CGoldFingerPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(CBN_SELCHANGE, IDC_ANGLE, &CGoldFingerPage::CalcC),
        OnNotify(EN_CHANGE, IDC_C, &CGoldFingerPage::OnChangeC),
        OnNotify(EN_CHANGE, IDC_D, &CGoldFingerPage::OnChangeD),
        OnNotify(EN_CHANGE, IDC_L, &CGoldFingerPage::OnChangeL),
        OnNotify(BN_CLICKED, IDC_MM, &CGoldFingerPage::OnRadioMm),
        OnNotify(BN_CLICKED, IDC_MIL, &CGoldFingerPage::OnRadioMil),
    };
    return map;
}

bool CGoldFingerPage::OnInitDialog() {
    CLengthUnitPage::OnInitDialog();
    m_bMmMode = 1;
    SetCheck(IDC_MM, BST_CHECKED);
    SetDlgItemText(IDC_D, u"1.60");
    SetDlgItemText(IDC_L, u"1.20");
    for (const char16_t* angle : {u"20度", u"30度", u"45度"}) AddString(IDC_ANGLE, angle);
    SetCurSel(IDC_ANGLE, 0);
    SetFocus(IDC_D);
    CalcByFocus();
    return true;
}

// Derives whichever of L and C the user is not typing: L while C has the
// focus, C while D or L has it. Never writes the focused field, nor D.
void CGoldFingerPage::CalcByFocus() {
    const double A = ParseSelectedItem(IDC_ANGLE);
    const double C = ParseNumber(IDC_C);
    const double D = ParseNumber(IDC_D);
    const double L = ParseNumber(IDC_L);
    const int focus = GetFocusId();
    if (focus == IDC_C)
        WriteValue(IDC_L, BevelLength(C, D, A));
    else if (focus == IDC_D || focus == IDC_L)
        WriteValue(IDC_C, BevelEndFace(D, L, A));
}

void CGoldFingerPage::CalcC() {
    const double A = ParseSelectedItem(IDC_ANGLE);
    const double D = ParseNumber(IDC_D);
    const double L = ParseNumber(IDC_L);
    WriteValue(IDC_C, BevelEndFace(D, L, A));
}

void CGoldFingerPage::OnChangeC() { OnChange(IDC_C); }
void CGoldFingerPage::OnChangeD() { OnChange(IDC_D); }
void CGoldFingerPage::OnChangeL() { OnChange(IDC_L); }

void CGoldFingerPage::OnChange(int id) {
    if (!HasFocus(id)) return;
    CalcByFocus();
    RefreshCaret(id);
}

void CGoldFingerPage::OnRadioMm() {
    if (!m_bMmMode) SetCheck(IDC_MM, BST_CHECKED);
    SwitchUnit(1, {IDC_D, IDC_L}, [this] { CalcC(); });
}

void CGoldFingerPage::OnRadioMil() {
    if (m_bMmMode) SetCheck(IDC_MIL, BST_CHECKED);
    SwitchUnit(0, {IDC_D, IDC_L}, [this] { CalcC(); });
}
