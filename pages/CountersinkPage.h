#pragma once
// Countersunk hole: the depth H of the cone from its included angle A, the
// countersink diameter B and the hole diameter C. The board thickness D is
// shown and converted with the unit but takes part in no computation.

#include "LengthUnitPage.h"

class CCountersinkPage : public CLengthUnitPage {
public:
    static constexpr int IDD = IDD_COUNTERSINK;
    CCountersinkPage() : CLengthUnitPage(IDD) {}

protected:
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

private:
    void CalcDepth();
    void OnChangeA();
    void OnChangeB();
    void OnChangeC();
    void OnChangeInput(int id);
    void OnChangeD();
    void OnChangeH();
    void OnSelchangeAnglePreset();
    void OnRadioMm();
    void OnRadioMil();
};
