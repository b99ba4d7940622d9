// WCAG's contrast ratio, against figures published with it.

#include "dialog/Contrast.h"

#include <gtest/gtest.h>

namespace {

using dlg::ContrastRatio;
using dlg::Rgb;

TEST(Contrast, MatchesTheFiguresOfTheStandard) {
    EXPECT_DOUBLE_EQ(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio({255, 255, 255}, {0, 0, 0}), 21.0);  // either way round
    EXPECT_DOUBLE_EQ(ContrastRatio({0x77, 0x77, 0x77}, {0x77, 0x77, 0x77}), 1.0);
    // The lightest grey that still reads on white, and the next one up.
    EXPECT_NEAR(ContrastRatio({0x76, 0x76, 0x76}, {255, 255, 255}), 4.54, 0.01);
    EXPECT_LT(ContrastRatio({0x77, 0x77, 0x77}, {255, 255, 255}), dlg::kReadableContrast);
    EXPECT_NEAR(ContrastRatio({255, 0, 0}, {255, 255, 255}), 4.00, 0.01);
    EXPECT_NEAR(ContrastRatio({0, 0, 255}, {255, 255, 255}), 8.59, 0.01);
}

}  // namespace
