#pragma once
// A calculator page whose lengths are all in millimetres or all in mils.

#include "CalcPage.h"

#include <initializer_list>
#include <vector>

class CLengthUnitPage : public CCalcPage {
protected:
    using CCalcPage::CCalcPage;

    static constexpr double kMilToMm = 0.0254;
    static constexpr double kMmToMil = 39.37007874015748;

    // Converts the page's length fields to the unit of `toMm` (1 mm, 0 mil)
    // and recomputes, unless that unit is already in force; then records it.
    // The fields are all read first, then written back in the same order.
    template <class Recompute>
    void SwitchUnit(int toMm, std::initializer_list<int> lengthFields, Recompute recompute) {
        if ((m_bMmMode != 0) != (toMm != 0)) {
            const double factor = toMm ? kMilToMm : kMmToMil;
            std::vector<double> values;
            for (int id : lengthFields) values.push_back(ParseNumber(id) * factor);
            auto value = values.begin();
            for (int id : lengthFields) WriteValue(id, *value++);
            recompute();
        }
        m_bMmMode = toMm;
    }

    int m_bMmMode = 1;  // nonzero: millimetres; zero: mils
};
