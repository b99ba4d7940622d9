#include "UnitConvPage.h"

#include <vector>

using namespace win32;

namespace {

enum : int {
    IDC_M = 1001,
    IDC_CM = 1002,
    IDC_MM = 1003,
    IDC_UM = 1004,
    IDC_UINCH = 1005,
    IDC_MIL = 1006,
    IDC_INCH = 1007,
    IDC_KG = 1008,
    IDC_G = 1009,
    IDC_OZ = 1010,
    IDC_MM2 = 1011,
    IDC_INCH2 = 1013,
    IDC_FOIL_OZ = 1015,
    IDC_FOIL_MIL = 1016,
    IDC_FOIL_UM = 1017,
    IDC_M2 = 1018,
    IDC_FOOT2 = 1019,
    IDC_FIRST = IDC_M,
    IDC_LAST = IDC_FOOT2,
};

// A unit of a group: its field and its factors to and from the group's hub
// unit (1 for the hub itself, which multiplies exactly).
struct Unit {
    int id;
    double toHub;
    double fromHub;
};

}  // namespace

// The units of a group in the order in which a conversion writes them.
struct UnitGroup {
    std::vector<Unit> units;

    const Unit* Find(int id) const {
        for (const Unit& unit : units)
            if (unit.id == id) return &unit;
        return nullptr;
    }
};

namespace {

// Hub: millimetre.
const UnitGroup kLength{{
    {IDC_M, 1000, 0.001},
    {IDC_CM, 10, 0.1},
    {IDC_MM, 1, 1},
    {IDC_UM, 0.001, 1000},
    {IDC_UINCH, 2.54e-05, 39370.07874015748},
    {IDC_MIL, 0.0254, 39.37007874015748},
    {IDC_INCH, 25.4, 0.03937007874015748},
}};

// Hub: gram. The ounce factor from the hub is the 13-digit figure in use, not 1/28.349523125.
const UnitGroup kMass{{
    {IDC_KG, 1000, 0.001},
    {IDC_G, 1, 1},
    {IDC_OZ, 28.349523125, 0.03527396194958},
}};

// Hub: micrometre. One ounce of copper foil is 35 um thick.
const UnitGroup kFoil{{
    {IDC_FOIL_OZ, 35, 0.02857142857142857},
    {IDC_FOIL_UM, 1, 1},
    {IDC_FOIL_MIL, 25.4, 0.03937007874015748},
}};

// Hub: square millimetre. The square-foot factors are the figures in use,
// each a unit in the last place off the nearest double.
const UnitGroup kArea{{
    {IDC_MM2, 1, 1},
    {IDC_M2, 1000000, 1e-06},
    {IDC_INCH2, 645.16, 0.0015500031000062},
    {IDC_FOOT2, 92903.03999999998, 1.0763910416709725e-05},
}};

}  // namespace

const MessageMap& CUnitConvPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(EN_CHANGE, IDC_M, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_CM, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_MM, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UM, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UINCH, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_MIL, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_INCH, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_KG, &CUnitConvPage::OnChangeMass),
        OnNotify(EN_CHANGE, IDC_G, &CUnitConvPage::OnChangeMass),
        OnNotify(EN_CHANGE, IDC_OZ, &CUnitConvPage::OnChangeMass),
        OnNotify(EN_CHANGE, IDC_FOIL_OZ, &CUnitConvPage::OnChangeFoil),
        OnNotify(EN_CHANGE, IDC_FOIL_UM, &CUnitConvPage::OnChangeFoil),
        OnNotify(EN_CHANGE, IDC_FOIL_MIL, &CUnitConvPage::OnChangeFoil),
        OnNotify(EN_CHANGE, IDC_MM2, &CUnitConvPage::OnChangeArea),
        OnNotify(EN_CHANGE, IDC_M2, &CUnitConvPage::OnChangeArea),
        OnNotify(EN_CHANGE, IDC_INCH2, &CUnitConvPage::OnChangeArea),
        OnNotify(EN_CHANGE, IDC_FOOT2, &CUnitConvPage::OnChangeArea),
    };
    return map;
}

bool CUnitConvPage::OnInitDialog() {
    CCalcPage::OnInitDialog();
    m_bLive = 1;
    return true;
}

void CUnitConvPage::OnChangeLength(int id) { OnChange(id, &CUnitConvPage::ConvertLength); }
void CUnitConvPage::OnChangeMass(int id) { OnChange(id, &CUnitConvPage::ConvertMass); }
void CUnitConvPage::OnChangeFoil(int id) { OnChange(id, &CUnitConvPage::ConvertFoil); }
void CUnitConvPage::OnChangeArea(int id) { OnChange(id, &CUnitConvPage::ConvertArea); }

void CUnitConvPage::OnChange(int id, void (CUnitConvPage::*convert)()) {
    if (!HasFocus(id)) return;
    if (m_bLive) (this->*convert)();
    int start = 0;
    int end = 0;
    GetSel(id, start, end);
    if (m_bLive) {
        m_bLive = 0;
        SetSel(id, start, end);
        ScrollCaret(id);
        m_bLive = 1;
    }
}

void CUnitConvPage::ConvertLength() { Convert(kLength); }
void CUnitConvPage::ConvertMass() { Convert(kMass); }
void CUnitConvPage::ConvertFoil() { Convert(kFoil); }
void CUnitConvPage::ConvertArea() { Convert(kArea); }

// Converts from the field that holds the focus, whichever handler asked.
void CUnitConvPage::Convert(const UnitGroup& group) {
    const int sourceId = GetFocusId();
    const Unit* source = group.Find(sourceId);
    if (source == nullptr) return;
    const double hub = ParseNumber(sourceId) * source->toHub;
    for (const Unit& unit : group.units)
        if (unit.id != sourceId) WriteValue(unit.id, hub * unit.fromHub);
}

void CUnitConvPage::OnClearAll() {
    const int focusId = GetFocusId();
    SetFocus(IDC_FIRST);
    for (int id = IDC_FIRST; id <= IDC_LAST; ++id) SetDlgItemText(id, CString());
    SetFocus(focusId);
}
