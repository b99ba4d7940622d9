#pragma once
// Gold-finger bevel, D - C = 2 L tan A: typing D or L derives the end face C,
// typing C derives the bevel length L; an angle choice or a unit switch
// always derives C.

#include "LengthUnitPage.h"

class CGoldFingerPage : public CLengthUnitPage {
public:
    static constexpr int IDD = IDD_GOLDFINGER;
    CGoldFingerPage() : CLengthUnitPage(IDD) {}

protected:
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

private:
    void CalcByFocus();
    void CalcC();
    void OnChangeC();
    void OnChangeD();
    void OnChangeL();
    void OnChange(int id);
    void OnRadioMm();
    void OnRadioMil();
};
