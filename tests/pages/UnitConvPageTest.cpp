// The unit converter, keystroke by keystroke through the real widgets.

#include "HostedPage.h"
#include "pages/UnitConvPage.h"

#include <map>

namespace {

const int kAllFields[] = {IDC_UNIT_M, IDC_UNIT_CM, IDC_UNIT_MM, IDC_UNIT_UM, IDC_UNIT_UINCH, IDC_UNIT_MIL, IDC_UNIT_INCH, IDC_UNIT_KG, IDC_UNIT_G,
                          IDC_UNIT_OZ, IDC_UNIT_MM2, IDC_UNIT_INCH2, IDC_UNIT_FOIL_OZ, IDC_UNIT_FOIL_MIL, IDC_UNIT_FOIL_UM, IDC_UNIT_M2, IDC_UNIT_FOOT2};

struct Conversion {
    const char* name;
    int field;
    std::map<int, const char*> others;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.name; }

class ConverterFigures : public ::testing::TestWithParam<Conversion> {};

TEST_P(ConverterFigures, TypingOneFillsTheGroup) {
    Hosted<CUnitConvPage> page;
    page.Focus(GetParam().field);
    page.Type("1");
    EXPECT_EQ(page.Text(GetParam().field), "1");
    for (const auto& [id, text] : GetParam().others) EXPECT_EQ(page.Text(id), text) << "field " << id;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, ConverterFigures,
    ::testing::Values(
        Conversion{"Inch", IDC_UNIT_INCH, {{IDC_UNIT_M, "0.025400"}, {IDC_UNIT_CM, "2.540000"}, {IDC_UNIT_MM, "25.400000"}, {IDC_UNIT_UM, "25400.000000"},
                                  {IDC_UNIT_UINCH, "1000000.000000"}, {IDC_UNIT_MIL, "1000.000000"}}},
        Conversion{"Metre", IDC_UNIT_M, {{IDC_UNIT_CM, "100.000000"}, {IDC_UNIT_MM, "1000.000000"}, {IDC_UNIT_UM, "1000000.000000"},
                                   {IDC_UNIT_UINCH, "39370078.740157"}, {IDC_UNIT_MIL, "39370.078740"}, {IDC_UNIT_INCH, "39.370079"}}},
        Conversion{"Mil", IDC_UNIT_MIL, {{IDC_UNIT_M, "0.000025"}, {IDC_UNIT_CM, "0.002540"}, {IDC_UNIT_MM, "0.025400"}, {IDC_UNIT_UM, "25.400000"},
                                 {IDC_UNIT_UINCH, "1000.000000"}, {IDC_UNIT_INCH, "0.001000"}}},
        Conversion{"MicroInch", IDC_UNIT_UINCH, {{IDC_UNIT_M, "0.000000"}, {IDC_UNIT_CM, "0.000003"}, {IDC_UNIT_MM, "0.000025"},
                                       {IDC_UNIT_UM, "0.025400"}, {IDC_UNIT_MIL, "0.001000"}, {IDC_UNIT_INCH, "0.000001"}}},
        Conversion{"Ounce", IDC_UNIT_OZ, {{IDC_UNIT_KG, "0.028350"}, {IDC_UNIT_G, "28.349523"}}},
        Conversion{"Kilogram", IDC_UNIT_KG, {{IDC_UNIT_G, "1000.000000"}, {IDC_UNIT_OZ, "35.273962"}}},
        Conversion{"FoilOunce", IDC_UNIT_FOIL_OZ, {{IDC_UNIT_FOIL_UM, "35.000000"}, {IDC_UNIT_FOIL_MIL, "1.377953"}}},
        Conversion{"FoilMil", IDC_UNIT_FOIL_MIL, {{IDC_UNIT_FOIL_OZ, "0.725714"}, {IDC_UNIT_FOIL_UM, "25.400000"}}},
        Conversion{"SquareFoot", IDC_UNIT_FOOT2, {{IDC_UNIT_MM2, "92903.040000"}, {IDC_UNIT_M2, "0.092903"}, {IDC_UNIT_INCH2, "144.000000"}}},
        Conversion{"SquareMetre", IDC_UNIT_M2, {{IDC_UNIT_MM2, "1000000.000000"}, {IDC_UNIT_INCH2, "1550.003100"}, {IDC_UNIT_FOOT2, "10.763910"}}},
        Conversion{"SquareInch", IDC_UNIT_INCH2, {{IDC_UNIT_MM2, "645.160000"}, {IDC_UNIT_M2, "0.000645"}, {IDC_UNIT_FOOT2, "0.006944"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Converter, StartsEmpty) {
    Hosted<CUnitConvPage> page;
    for (int id : kAllFields) EXPECT_EQ(page.Text(id), "") << id;
}

TEST(Converter, ConvertsEveryKeystrokeAndLeavesTheTypedTextAsTyped) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_MM);
    const std::pair<const char*, const char*> steps[] = {{"1", "0.001000"}, {".", "0.001000"}, {"5", "0.001500"},
                                                         {"0", "0.001500"}};
    for (const auto& [key, metres] : steps) {
        page.Type(key);
        EXPECT_EQ(page.Text(IDC_UNIT_M), metres) << "after " << key;
    }
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "1.50");
    EXPECT_EQ(page.Edit(IDC_UNIT_MM)->cursorPosition(), 4);
}

TEST(Converter, EmptyingAFieldZeroesItsGroupOnly) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_G);
    page.Type("5");
    page.Focus(IDC_UNIT_M);
    page.Type("7");
    page.Key(Qt::Key_Backspace);
    for (int id : {IDC_UNIT_CM, IDC_UNIT_MM, IDC_UNIT_UM, IDC_UNIT_UINCH, IDC_UNIT_MIL, IDC_UNIT_INCH}) EXPECT_EQ(page.Text(id), "0.000000") << id;
    EXPECT_EQ(page.Text(IDC_UNIT_M), "");
    EXPECT_EQ(page.Text(IDC_UNIT_KG), "0.005000");
    for (int id : {IDC_UNIT_MM2, IDC_UNIT_INCH2, IDC_UNIT_FOIL_OZ, IDC_UNIT_FOIL_MIL, IDC_UNIT_FOIL_UM, IDC_UNIT_M2, IDC_UNIT_FOOT2}) EXPECT_EQ(page.Text(id), "") << id;
}

TEST(Converter, KeepsTheCaretWhereTheUserPutIt) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_INCH);
    page.Type("123");
    page.Key(Qt::Key_Left);
    page.Key(Qt::Key_Left);
    page.Type("9");
    EXPECT_EQ(page.Text(IDC_UNIT_INCH), "1923");
    EXPECT_EQ(page.Edit(IDC_UNIT_INCH)->cursorPosition(), 2);
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "48844.200000");
}

TEST(Converter, ReadsNegativeAndNonNumericTexts) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_G);
    page.Type("-2kg");
    EXPECT_EQ(page.Text(IDC_UNIT_KG), "-0.002000");
    page.Focus(IDC_UNIT_G);
    page.Type("abc");
    EXPECT_EQ(page.Text(IDC_UNIT_KG), "0.000000");
    page.Focus(IDC_UNIT_G);
    page.Type("1e400");
    EXPECT_EQ(page.Text(IDC_UNIT_KG), "inf");
}

TEST(Converter, EnterEmptiesEveryFieldAndLeavesTheFocusAlone) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_KG);
    page.Type("3");
    page.Focus(IDC_UNIT_FOIL_OZ);
    page.Type("2");
    page.Focus(IDC_UNIT_INCH);
    page.Type("1");
    page.Key(Qt::Key_Return);
    for (int id : kAllFields) EXPECT_EQ(page.Text(id), "") << id;
    EXPECT_EQ(CDialog::GetFocusId(), IDC_UNIT_INCH);
    EXPECT_TRUE(page.Root()->isVisible());
}

TEST(Converter, EscChangesNothing) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_INCH);
    page.Type("1");
    page.Key(Qt::Key_Escape);
    EXPECT_EQ(page.Text(IDC_UNIT_INCH), "1");
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "25.400000");
    EXPECT_TRUE(page.Root()->isVisible());
}

TEST(Converter, TakesAHundredThousandCharacterPaste) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_MM);
    page.Edit(IDC_UNIT_MM)->insert(QString(100000, QLatin1Char('9')));  // as a paste does
    EXPECT_EQ(page.Text(IDC_UNIT_M), "inf");
    page.Focus(IDC_UNIT_MM);
    page.Edit(IDC_UNIT_MM)->insert(QStringLiteral("0.") + QString(99998, QLatin1Char('0')));
    EXPECT_EQ(page.Text(IDC_UNIT_M), "0.000000");
}

}  // namespace
