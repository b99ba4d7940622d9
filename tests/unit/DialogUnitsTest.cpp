#include "dialog/DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(dlg::MulDiv(355, 6, 4), 533);   // 532.5
    EXPECT_EQ(dlg::MulDiv(239, 12, 8), 359);  // 358.5
    EXPECT_EQ(dlg::MulDiv(-355, 6, 4), -533);
    EXPECT_EQ(dlg::MulDiv(10, 96, 72), 13);   // 13.33
    EXPECT_EQ(dlg::MulDiv(9, 96, 72), 12);
    EXPECT_EQ(dlg::MulDiv(1, 1, 0), -1);
}

TEST(BaseUnits, ComeFromTheAlphabetWidthAndTheFontHeight) {
    const dlg::BaseUnits units = dlg::BaseUnitsFromMetrics(312, 12);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 12);
    EXPECT_EQ(dlg::BaseUnitsFromMetrics(338, 13).x, 7);
}

TEST(ToPixels, MakesTheMainWindowAsLargeAsOnWindows) {
    const dlg::PixelBox box = dlg::ToPixels(dlg::DluRect{7, 3, 355, 239}, dlg::BaseUnits{6, 12});
    EXPECT_EQ(box.x, 11);
    EXPECT_EQ(box.y, 5);
    EXPECT_EQ(box.width, 533);
    EXPECT_EQ(box.height, 359);
}

TEST(SubstituteFace, DrawsSongFacesWithAnInstalledOne) {
    EXPECT_EQ(dlg::SubstituteFace(u"宋体"), u"AR PL UMing CN");
    EXPECT_EQ(dlg::SubstituteFace(u"SimSun"), u"AR PL UMing CN");
    EXPECT_EQ(dlg::SubstituteFace(u"Tahoma"), u"Tahoma");
}

}  // namespace
