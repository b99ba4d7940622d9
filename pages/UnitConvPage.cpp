#include "UnitConvPage.h"

#include "res/resource.h"

#include <vector>

using namespace win32;

namespace {
// The converter's fields, first to last.
constexpr int IDC_UNIT_FIRST = IDC_UNIT_M;
constexpr int IDC_UNIT_LAST = IDC_UNIT_FOOT2;

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
    {IDC_UNIT_M, 1000, 0.001},
    {IDC_UNIT_CM, 10, 0.1},
    {IDC_UNIT_MM, 1, 1},
    {IDC_UNIT_UM, 0.001, 1000},
    {IDC_UNIT_UINCH, 2.54e-05, 39370.07874015748},
    {IDC_UNIT_MIL, 0.0254, 39.37007874015748},
    {IDC_UNIT_INCH, 25.4, 0.03937007874015748},
}};

// Hub: gram. The ounce factor from the hub is the 13-digit figure in use, not 1/28.349523125.
const UnitGroup kMass{{
    {IDC_UNIT_KG, 1000, 0.001},
    {IDC_UNIT_G, 1, 1},
    {IDC_UNIT_OZ, 28.349523125, 0.03527396194958},
}};

// Hub: micrometre. One ounce of copper foil is 35 um thick.
const UnitGroup kFoil{{
    {IDC_UNIT_FOIL_OZ, 35, 0.02857142857142857},
    {IDC_UNIT_FOIL_UM, 1, 1},
    {IDC_UNIT_FOIL_MIL, 25.4, 0.03937007874015748},
}};

// Hub: square millimetre. The square-foot factors are the figures in use,
// each a unit in the last place off the nearest double.
const UnitGroup kArea{{
    {IDC_UNIT_MM2, 1, 1},
    {IDC_UNIT_M2, 1000000, 1e-06},
    {IDC_UNIT_INCH2, 645.16, 0.0015500031000062},
    {IDC_UNIT_FOOT2, 92903.03999999998, 1.0763910416709725e-05},
}};

}  // namespace

const MessageMap& CUnitConvPage::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(EN_CHANGE, IDC_UNIT_M, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_CM, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_MM, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_UM, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_UINCH, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_MIL, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_INCH, &CUnitConvPage::OnChangeLength),
        OnNotify(EN_CHANGE, IDC_UNIT_KG, &CUnitConvPage::OnChangeMass),
        OnNotify(EN_CHANGE, IDC_UNIT_G, &CUnitConvPage::OnChangeMass),
        OnNotify(EN_CHANGE, IDC_UNIT_OZ, &CUnitConvPage::OnChangeMass),
        OnNotify(EN_CHANGE, IDC_UNIT_FOIL_OZ, &CUnitConvPage::OnChangeFoil),
        OnNotify(EN_CHANGE, IDC_UNIT_FOIL_UM, &CUnitConvPage::OnChangeFoil),
        OnNotify(EN_CHANGE, IDC_UNIT_FOIL_MIL, &CUnitConvPage::OnChangeFoil),
        OnNotify(EN_CHANGE, IDC_UNIT_MM2, &CUnitConvPage::OnChangeArea),
        OnNotify(EN_CHANGE, IDC_UNIT_M2, &CUnitConvPage::OnChangeArea),
        OnNotify(EN_CHANGE, IDC_UNIT_INCH2, &CUnitConvPage::OnChangeArea),
        OnNotify(EN_CHANGE, IDC_UNIT_FOOT2, &CUnitConvPage::OnChangeArea),
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
    SetFocus(IDC_UNIT_FIRST);
    for (int id = IDC_UNIT_FIRST; id <= IDC_UNIT_LAST; ++id) SetDlgItemText(id, CString());
    SetFocus(focusId);
}
