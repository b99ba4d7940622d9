#pragma once
// The unit converter: four independent groups of fields (length, mass,
// copper-foil thickness, copper area). Typing into a field fills every other
// field of its group; Enter empties the page.

#include "CalcPage.h"

struct UnitGroup;

class CUnitConvPage : public CCalcPage {
public:
    static constexpr int IDD = IDD_UNITCONV;
    CUnitConvPage() : CCalcPage(IDD) {}

protected:
    bool OnInitDialog() override;
    void OnOK() override { OnClearAll(); }
    const MessageMap& GetMessageMap() const override;

private:
    void OnChangeLength(int id);
    void OnChangeMass(int id);
    void OnChangeFoil(int id);
    void OnChangeArea(int id);
    void OnChange(int id, void (CUnitConvPage::*convert)());

    void ConvertLength();
    void ConvertMass();
    void ConvertFoil();
    void ConvertArea();
    void Convert(const UnitGroup& group);

    void OnClearAll();

    int m_bLive = 0;  // zero only while a change handler refreshes its caret
};
