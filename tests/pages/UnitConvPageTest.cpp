// The unit converter, keystroke by keystroke through the real widgets.

#include "HostedPage.h"
#include "pages/UnitConvPage.h"

#include <map>

namespace {

const int kAllFields[] = {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009,
                          1010, 1011, 1013, 1015, 1016, 1017, 1018, 1019};

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
        Conversion{"Inch", 1007, {{1001, "0.025400"}, {1002, "2.540000"}, {1003, "25.400000"}, {1004, "25400.000000"},
                                  {1005, "1000000.000000"}, {1006, "1000.000000"}}},
        Conversion{"Metre", 1001, {{1002, "100.000000"}, {1003, "1000.000000"}, {1004, "1000000.000000"},
                                   {1005, "39370078.740157"}, {1006, "39370.078740"}, {1007, "39.370079"}}},
        Conversion{"Mil", 1006, {{1001, "0.000025"}, {1002, "0.002540"}, {1003, "0.025400"}, {1004, "25.400000"},
                                 {1005, "1000.000000"}, {1007, "0.001000"}}},
        Conversion{"MicroInch", 1005, {{1001, "0.000000"}, {1002, "0.000003"}, {1003, "0.000025"},
                                       {1004, "0.025400"}, {1006, "0.001000"}, {1007, "0.000001"}}},
        Conversion{"Ounce", 1010, {{1008, "0.028350"}, {1009, "28.349523"}}},
        Conversion{"Kilogram", 1008, {{1009, "1000.000000"}, {1010, "35.273962"}}},
        Conversion{"FoilOunce", 1015, {{1017, "35.000000"}, {1016, "1.377953"}}},
        Conversion{"FoilMil", 1016, {{1015, "0.725714"}, {1017, "25.400000"}}},
        Conversion{"SquareFoot", 1019, {{1011, "92903.040000"}, {1018, "0.092903"}, {1013, "144.000000"}}},
        Conversion{"SquareMetre", 1018, {{1011, "1000000.000000"}, {1013, "1550.003100"}, {1019, "10.763910"}}},
        Conversion{"SquareInch", 1013, {{1011, "645.160000"}, {1018, "0.000645"}, {1019, "0.006944"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Converter, StartsEmpty) {
    Hosted<CUnitConvPage> page;
    for (int id : kAllFields) EXPECT_EQ(page.Text(id), "") << id;
}

TEST(Converter, ConvertsEveryKeystrokeAndLeavesTheTypedTextAsTyped) {
    Hosted<CUnitConvPage> page;
    page.Focus(1003);
    const std::pair<const char*, const char*> steps[] = {{"1", "0.001000"}, {".", "0.001000"}, {"5", "0.001500"},
                                                         {"0", "0.001500"}};
    for (const auto& [key, metres] : steps) {
        page.Type(key);
        EXPECT_EQ(page.Text(1001), metres) << "after " << key;
    }
    EXPECT_EQ(page.Text(1003), "1.50");
    EXPECT_EQ(page.Edit(1003)->cursorPosition(), 4);
}

TEST(Converter, EmptyingAFieldZeroesItsGroupOnly) {
    Hosted<CUnitConvPage> page;
    page.Focus(1009);
    page.Type("5");
    page.Focus(1001);
    page.Type("7");
    page.Key(Qt::Key_Backspace);
    for (int id : {1002, 1003, 1004, 1005, 1006, 1007}) EXPECT_EQ(page.Text(id), "0.000000") << id;
    EXPECT_EQ(page.Text(1001), "");
    EXPECT_EQ(page.Text(1008), "0.005000");
    for (int id : {1011, 1013, 1015, 1016, 1017, 1018, 1019}) EXPECT_EQ(page.Text(id), "") << id;
}

TEST(Converter, KeepsTheCaretWhereTheUserPutIt) {
    Hosted<CUnitConvPage> page;
    page.Focus(1007);
    page.Type("123");
    page.Key(Qt::Key_Left);
    page.Key(Qt::Key_Left);
    page.Type("9");
    EXPECT_EQ(page.Text(1007), "1923");
    EXPECT_EQ(page.Edit(1007)->cursorPosition(), 2);
    EXPECT_EQ(page.Text(1003), "48844.200000");
}

TEST(Converter, ReadsNegativeAndNonNumericTexts) {
    Hosted<CUnitConvPage> page;
    page.Focus(1009);
    page.Type("-2kg");
    EXPECT_EQ(page.Text(1008), "-0.002000");
    page.Focus(1009);
    page.Type("abc");
    EXPECT_EQ(page.Text(1008), "0.000000");
    page.Focus(1009);
    page.Type("1e400");
    EXPECT_EQ(page.Text(1008), "inf");
}

TEST(Converter, EnterEmptiesEveryFieldAndLeavesTheFocusAlone) {
    Hosted<CUnitConvPage> page;
    page.Focus(1008);
    page.Type("3");
    page.Focus(1015);
    page.Type("2");
    page.Focus(1007);
    page.Type("1");
    page.Key(Qt::Key_Return);
    for (int id : kAllFields) EXPECT_EQ(page.Text(id), "") << id;
    EXPECT_EQ(CDialog::GetFocusId(), 1007);
    EXPECT_TRUE(page.Root()->isVisible());
}

TEST(Converter, EscChangesNothing) {
    Hosted<CUnitConvPage> page;
    page.Focus(1007);
    page.Type("1");
    page.Key(Qt::Key_Escape);
    EXPECT_EQ(page.Text(1007), "1");
    EXPECT_EQ(page.Text(1003), "25.400000");
    EXPECT_TRUE(page.Root()->isVisible());
}

TEST(Converter, TakesAHundredThousandCharacterPaste) {
    Hosted<CUnitConvPage> page;
    page.Focus(1003);
    page.Edit(1003)->insert(QString(100000, QLatin1Char('9')));  // as a paste does
    EXPECT_EQ(page.Text(1001), "inf");
    page.Focus(1003);
    page.Edit(1003)->insert(QStringLiteral("0.") + QString(99998, QLatin1Char('0')));
    EXPECT_EQ(page.Text(1001), "0.000000");
}

}  // namespace
