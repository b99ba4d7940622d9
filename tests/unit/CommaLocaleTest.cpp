// Runs with LC_ALL=de_DE.UTF-8, whose decimal mark is a comma: numbers must
// still read and print with a point.

#include "HostedPage.h"
#include "pages/NumberText.h"
#include "pages/UnitConvPage.h"

#include <QLocale>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

TEST(CommaLocale, IsReallyInForce) {
    // QApplication took the locale from the environment; a skip here would prove nothing.
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "de_DE.UTF-8");
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5");
    EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
}

TEST(CommaLocale, LeavesTheNumberRulesAlone) {
    EXPECT_EQ(ParseNumberText(u"1.5"), 1.5);
    EXPECT_EQ(ParseNumberText(u"1,5"), 1);
    EXPECT_EQ(ParseNumberText(u"2e3"), 2000);
    EXPECT_EQ(FormatValue(1.5), u"1.500000");
    EXPECT_EQ(FormatValue(-1234567.25), u"-1234567.250000");
}

TEST(CommaLocale, LeavesTheConverterAlone) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_INCH);
    page.Type("1.5");
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "38.100000");
    page.Focus(IDC_UNIT_INCH);
    page.Type("1,5");
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "25.400000");
}

}  // namespace
