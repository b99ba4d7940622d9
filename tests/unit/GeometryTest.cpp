#include "pages/Geometry.h"
#include "pages/NumberText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Shown(double value) {
    const std::u16string text = FormatValue(value);
    return std::string(text.begin(), text.end());
}

struct VCutCase {
    const char* name;
    double A, B, D, F, k;
    const char* C;
};

void PrintTo(const VCutCase& c, std::ostream* os) { *os << c.name; }

class VCutClearanceFigures : public ::testing::TestWithParam<VCutCase> {};

TEST_P(VCutClearanceFigures, GiveTheKnownClearance) {
    const VCutCase& c = GetParam();
    EXPECT_EQ(Shown(VCutClearance(c.A, c.B, c.D, c.F, c.k)), c.C);
}

// Board 1.60 thick, web 0.40, offset 0.10; the mil rows use those lengths
// as a mm-to-mil switch leaves them, and the 4 mil allowance.
INSTANTIATE_TEST_SUITE_P(
    Boards, VCutClearanceFigures,
    ::testing::Values(VCutCase{"Mm20", 20, 0.4, 1.6, 0.1, 0.1, "0.214613"},
                      VCutCase{"Mm30", 30, 0.4, 1.6, 0.1, 0.1, "0.274167"},
                      VCutCase{"Mm45", 45, 0.4, 1.6, 0.1, 0.1, "0.369239"},
                      VCutCase{"Mm60", 60, 0.4, 1.6, 0.1, 0.1, "0.475278"},
                      VCutCase{"Mil20", 20, 15.748031, 62.992126, 3.937008, 4, "8.454866"},
                      VCutCase{"Mil30", 30, 15.748031, 62.992126, 3.937008, 4, "10.802415"},
                      VCutCase{"Mil45", 45, 15.748031, 62.992126, 3.937008, 4, "14.550008"},
                      VCutCase{"Mil60", 60, 15.748031, 62.992126, 3.937008, 4, "18.729904"},
                      VCutCase{"NoWeb", 30, 0, 1.6, 0.1, 0.1, "0.327757"},
                      VCutCase{"WebThickerThanBoard", 30, 3, 1.6, 0.1, 0.1, "-0.074167"},
                      VCutCase{"NoOffset", 30, 0.4, 1.6, 0, 0.1, "0.174167"},
                      VCutCase{"AllEmptyMm", 30, 0, 0, 0, 0.1, "0.013397"},
                      VCutCase{"AllEmptyMil", 30, 0, 0, 0, 4, "0.535898"},
                      // No angle selected: 180 / 0 is infinite, the tangent 0, and C is F.
                      VCutCase{"NoAngle", 0, 0.4, 1.6, 0.1, 0.1, "0.100000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BevelCase {
    const char* name;
    double A, C, D, L;
    const char* derived;
};

void PrintTo(const BevelCase& c, std::ostream* os) { *os << c.name; }

class BevelEndFaceFigures : public ::testing::TestWithParam<BevelCase> {};
class BevelLengthFigures : public ::testing::TestWithParam<BevelCase> {};

TEST_P(BevelEndFaceFigures, FromThicknessAndLength) {
    const BevelCase& c = GetParam();
    EXPECT_EQ(Shown(BevelEndFace(c.D, c.L, c.A)), c.derived);
}

TEST_P(BevelLengthFigures, FromThicknessAndEndFace) {
    const BevelCase& c = GetParam();
    EXPECT_EQ(Shown(BevelLength(c.C, c.D, c.A)), c.derived);
}

INSTANTIATE_TEST_SUITE_P(
    Bevels, BevelEndFaceFigures,
    ::testing::Values(BevelCase{"Default20", 20, 0, 1.6, 1.2, "0.726471"},
                      BevelCase{"Angle30", 30, 0, 1.6, 1.2, "0.214359"},
                      BevelCase{"Angle45", 45, 0, 1.6, 1.2, "-0.800000"},
                      BevelCase{"LengthOne", 20, 0, 1.6, 1, "0.872060"},
                      BevelCase{"ThicknessTwo", 20, 0, 2, 1.2, "1.126471"},
                      BevelCase{"EmptyThickness", 20, 0, 0, 1.2, "-0.873529"},
                      BevelCase{"Mil20", 20, 0, 62.992126, 47.244094, "28.601238"},
                      BevelCase{"Mil30", 30, 0, 62.992126, 47.244094, "8.439345"},
                      BevelCase{"NoAngleGivesTheThickness", 0, 0, 1.6, 1.2, "1.600000"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Bevels, BevelLengthFigures,
    ::testing::Values(BevelCase{"EndFaceZero", 20, 0, 1.6, 0, "2.197982"},
                      BevelCase{"EndFaceHalf", 20, 0.5, 1.6, 0, "1.511113"},
                      BevelCase{"EndFaceHalfAt30", 30, 0.5, 1.6, 0, "0.952628"},
                      BevelCase{"EndFaceHalfAt45", 45, 0.5, 1.6, 0, "0.550000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BevelLength, WithNoAngleTakesTheTangentOfTheDoubleNearestHalfPi) {
    // tan(0.5 * 3.141592653589793) on this platform's libm.
    EXPECT_EQ(Shown(BevelLength(0, 2, 0)), "16331239353195370.000000");
}

struct DepthCase {
    const char* name;
    double A, B, C;
    const char* H;
};

void PrintTo(const DepthCase& c, std::ostream* os) { *os << c.name; }

class CountersinkDepthFigures : public ::testing::TestWithParam<DepthCase> {};

TEST_P(CountersinkDepthFigures, GiveTheKnownDepth) {
    const DepthCase& c = GetParam();
    EXPECT_EQ(Shown(CountersinkDepth(c.A, c.B, c.C)), c.H);
}

INSTANTIATE_TEST_SUITE_P(
    Holes, CountersinkDepthFigures,
    ::testing::Values(DepthCase{"Preset90", 90, 5, 3, "1.000000"}, DepthCase{"Preset120", 120, 5, 3, "0.577350"},
                      DepthCase{"Typed60", 60, 5, 3, "1.732051"}, DepthCase{"Typed100", 100, 5, 3, "0.839100"},
                      DepthCase{"Typed82", 82, 5, 3, "1.150368"},
                      DepthCase{"Mil90", 90, 196.850394, 118.110236, "39.370079"},
                      DepthCase{"Mil120", 120, 196.850394, 118.110236, "22.730326"},
                      DepthCase{"EqualDiameters", 90, 5, 5, "0.000000"},
                      DepthCase{"HoleWiderThanCountersink", 90, 3, 5, "-1.000000"},
                      DepthCase{"Flat180", 180, 5, 3, "0.000000"}, DepthCase{"Reflex270", 270, 5, 3, "-1.000000"},
                      DepthCase{"NoAngle", 0, 5, 3, "16331239353195370.000000"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
