// Texts no one means to type, typed into the pages, with what each page
// shows for them on this platform (glibc prints infinity and not-a-number
// as "inf" and "nan", with a sign where the value has one).

#include "HostedPage.h"
#include "pages/CountersinkPage.h"
#include "pages/GoldFingerPage.h"
#include "pages/UnitConvPage.h"
#include "pages/VCutPage.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

struct Hostile {
    const char* name;
    QString typed;
    const char* mmFromInch;  // the converter's mm field after typing into inch
    const char* vcutC;       // the V-cut's C after typing into B
};

void PrintTo(const Hostile& h, std::ostream* os) { *os << h.name; }

class HostileText : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileText, IsReadByTheNumberRules) {
    const Hostile& h = GetParam();
    Hosted<CUnitConvPage> converter;
    converter.Focus(IDC_UNIT_INCH);
    converter.Edit(IDC_UNIT_INCH)->insert(h.typed);  // in one edit, as a paste
    EXPECT_EQ(converter.Text(IDC_UNIT_MM), h.mmFromInch);
    // Left as typed, up to the 32,767 characters an edit field takes, as on Windows.
    EXPECT_EQ(converter.Text(IDC_UNIT_INCH), h.typed.left(32767));

    Hosted<CVCutPage> vcut;
    vcut.Focus(IDC_VCUT_B);
    vcut.Edit(IDC_VCUT_B)->insert(h.typed);
    EXPECT_EQ(vcut.Text(IDC_VCUT_C), h.vcutC);
}

const QString kLong = QStringLiteral("1") + QString(99999, QLatin1Char('0'));

INSTANTIATE_TEST_SUITE_P(
    Texts, HostileText,
    ::testing::Values(
        Hostile{"Overflow", QStringLiteral("1e400"), "inf", "-inf"},
        Hostile{"NegativeOverflow", QStringLiteral("-1e400"), "-inf", "inf"},
        Hostile{"Underflow", QStringLiteral("1e-400"), "0.000000", "0.327757"},
        Hostile{"NotANumber", QStringLiteral("nan"), "nan", "nan"},
        Hostile{"Infinity", QStringLiteral("inf"), "inf", "-inf"},
        Hostile{"HexadecimalFloat", QStringLiteral("0x1p3"), "203.200000", "-0.744040"},
        Hostile{"SignedFractionWithTail", QStringLiteral("  +.5e+1x"), "127.000000", "-0.342116"},
        Hostile{"HundredThousandDigits", kLong, "inf", "-inf"},
        Hostile{"ControlCharacters", QStringLiteral("\x01\x02" "5"), "0.000000", "0.327757"},
        Hostile{"SurrogatePair", QStringLiteral("7\U0001F600"), "177.800000", "-0.610065"},
        Hostile{"RightToLeft", QStringLiteral("\u202E12\u202C"), "0.000000", "0.327757"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NoListSelection, VCutTakesNoAngleAndGivesF) {
    Hosted<CVCutPage> page;
    page.Focus(IDC_VCUT_ANGLE);
    page.Type("25");
    EXPECT_EQ(page.Combo(IDC_VCUT_ANGLE)->currentIndex(), -1);
    page.Focus(IDC_VCUT_D);
    page.Type("1.6");
    EXPECT_EQ(page.Text(IDC_VCUT_C), "0.100000");
}

TEST(NoListSelection, GoldFingerTakesNoAngle) {
    Hosted<CGoldFingerPage> page;
    page.Focus(IDC_GOLD_ANGLE);
    page.Type("x");
    page.Focus(IDC_GOLD_D);
    page.Type("1.6");
    EXPECT_EQ(page.Text(IDC_GOLD_C), "1.600000");  // C equals D
    page.Focus(IDC_GOLD_C);
    page.Type("0.6");
    EXPECT_EQ(page.Text(IDC_GOLD_L), "8165619676597685.000000");  // tan of the double nearest pi/2
}

TEST(NoListSelection, CountersinkPresetBoxChangesNothing) {
    Hosted<CCountersinkPage> page;
    page.Focus(IDC_SINK_ANGLE_PRESET);
    page.Type("abc");
    EXPECT_EQ(page.Combo(IDC_SINK_ANGLE_PRESET)->currentIndex(), -1);
    EXPECT_EQ(page.Text(IDC_SINK_A), "90");
    EXPECT_EQ(page.Text(IDC_SINK_H), "1.000000");
}

TEST(Undo, IsOneLevelAsOnWindowsAndNotifies) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_INCH);
    page.Type("12");
    page.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page.Text(IDC_UNIT_INCH), "1");
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "25.400000");
    page.Key(Qt::Key_Z, Qt::ControlModifier);  // undoes the undo
    EXPECT_EQ(page.Text(IDC_UNIT_INCH), "12");
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "304.800000");
}

TEST(Paste, ReplacesTheSelectionInOneEdit) {
    Hosted<CUnitConvPage> page;
    page.Focus(IDC_UNIT_INCH);
    page.Type("99");
    QGuiApplication::clipboard()->setText(QStringLiteral("2"));
    page.Key(Qt::Key_A, Qt::ControlModifier);
    page.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page.Text(IDC_UNIT_INCH), "2");
    EXPECT_EQ(page.Text(IDC_UNIT_MM), "50.800000");
    EXPECT_EQ(page.Edit(IDC_UNIT_INCH)->cursorPosition(), 1);
}

}  // namespace
