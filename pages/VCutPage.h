#pragma once
// Copper clearance beside a V-cut: C from the groove angle A, the web B, the
// board thickness D and the offset F between the grooves. Every change of B,
// D or F, the program's own writes included, recomputes C.

#include "LengthUnitPage.h"

class CVCutPage : public CLengthUnitPage {
public:
    static constexpr int IDD = IDD_VCUT;
    CVCutPage() : CLengthUnitPage(IDD) {}

protected:
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

private:
    void OnRadioMm();
    void OnRadioMil();
    void OnChangeB();
    void OnChangeD();
    void OnChangeF();
    void OnSelchangeAngle();
    void CalcClearance();
};
