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
    converter.Focus(1007);
    converter.Edit(1007)->insert(h.typed);  // in one edit, as a paste
    EXPECT_EQ(converter.Text(1003), h.mmFromInch);
    // Left as typed, up to the 32,767 characters an edit field takes, as on Windows.
    EXPECT_EQ(converter.Text(1007), h.typed.left(32767));

    Hosted<CVCutPage> vcut;
    vcut.Focus(1021);
    vcut.Edit(1021)->insert(h.typed);
    EXPECT_EQ(vcut.Text(1024), h.vcutC);
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
    page.Focus(1020);
    page.Type("25");
    EXPECT_EQ(page.Combo(1020)->currentIndex(), -1);
    page.Focus(1022);
    page.Type("1.6");
    EXPECT_EQ(page.Text(1024), "0.100000");
}

TEST(NoListSelection, GoldFingerTakesNoAngle) {
    Hosted<CGoldFingerPage> page;
    page.Focus(1028);
    page.Type("x");
    page.Focus(1026);
    page.Type("1.6");
    EXPECT_EQ(page.Text(1024), "1.600000");  // C equals D
    page.Focus(1024);
    page.Type("0.6");
    EXPECT_EQ(page.Text(1027), "8165619676597685.000000");  // tan of the double nearest pi/2
}

TEST(NoListSelection, CountersinkPresetBoxChangesNothing) {
    Hosted<CCountersinkPage> page;
    page.Focus(1037);
    page.Type("abc");
    EXPECT_EQ(page.Combo(1037)->currentIndex(), -1);
    EXPECT_EQ(page.Text(1038), "90");
    EXPECT_EQ(page.Text(1033), "1.000000");
}

TEST(Undo, IsOneLevelAsOnWindowsAndNotifies) {
    Hosted<CUnitConvPage> page;
    page.Focus(1007);
    page.Type("12");
    page.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page.Text(1007), "1");
    EXPECT_EQ(page.Text(1003), "25.400000");
    page.Key(Qt::Key_Z, Qt::ControlModifier);  // undoes the undo
    EXPECT_EQ(page.Text(1007), "12");
    EXPECT_EQ(page.Text(1003), "304.800000");
}

TEST(Paste, ReplacesTheSelectionInOneEdit) {
    Hosted<CUnitConvPage> page;
    page.Focus(1007);
    page.Type("99");
    QGuiApplication::clipboard()->setText(QStringLiteral("2"));
    page.Key(Qt::Key_A, Qt::ControlModifier);
    page.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page.Text(1007), "2");
    EXPECT_EQ(page.Text(1003), "50.800000");
    EXPECT_EQ(page.Edit(1007)->cursorPosition(), 1);
}

}  // namespace
