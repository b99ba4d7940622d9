#include "pages/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ParseCase {
    const char* name;
    std::u16string text;
    double expected;  // NaN means "reads as not-a-number"
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseNumberRules : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberRules, ReadsTheLongestNumberPrefix) {
    const ParseCase& c = GetParam();
    const double value = ParseNumberText(c.text);
    if (std::isnan(c.expected))
        EXPECT_TRUE(std::isnan(value));
    else
        EXPECT_EQ(value, c.expected);
}

const std::u16string kLongNumber = u"1" + std::u16string(99999, u'0');
const std::u16string kLongFraction = u"0." + std::u16string(99997, u'0') + u"1";

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberRules,
    ::testing::Values(
        ParseCase{"Empty", u"", 0}, ParseCase{"Letters", u"abc", 0}, ParseCase{"UnitSuffix", u"1.5mm", 1.5},
        ParseCase{"Exponent", u"2e3", 2000}, ParseCase{"LeadingSpaceAndMinus", u" -3", -3},
        ParseCase{"CommaEndsTheNumber", u"1,5", 1}, ParseCase{"FractionWithExponent", u"1.5e1", 15},
        ParseCase{"TwoLeadingSpaces", u"  2", 2}, ParseCase{"PlusSign", u"+7", 7},
        ParseCase{"LeadingTab", u"\t4", 4}, ParseCase{"PointAlone", u".", 0}, ParseCase{"LeadingPoint", u".5", 0.5},
        ParseCase{"TrailingPoint", u"5.", 5}, ParseCase{"ExponentWithoutDigits", u"1e", 1},
        ParseCase{"ExponentSignWithoutDigits", u"1e+", 1}, ParseCase{"CapitalExponent", u"1E2", 100},
        ParseCase{"DegreeSuffix", u"120度", 120}, ParseCase{"ListItemInEnglish", u"30degree", 30},
        ParseCase{"SignAlone", u"-", 0}, ParseCase{"SpaceInsideDigits", u"1 2", 1},
        ParseCase{"FullWidthDigit", u"１", 0}, ParseCase{"SignedExponentTail", u"  +.5e+1x", 5},
        ParseCase{"HexadecimalFloat", u"0x1p3", 8}, ParseCase{"Infinity", u"inf", kInf},
        ParseCase{"NegativeInfinity", u"-infinity", -kInf},
        ParseCase{"NotANumber", u"nan", std::numeric_limits<double>::quiet_NaN()},
        ParseCase{"Overflow", u"1e400", kInf}, ParseCase{"NegativeOverflow", u"-1e400", -kInf},
        ParseCase{"Underflow", u"1e-400", 0}, ParseCase{"HundredThousandDigits", kLongNumber, kInf},
        ParseCase{"HundredThousandDigitFraction", kLongFraction, 0},
        ParseCase{"EmojiAfterDigits", u"7\U0001F600", 7}, ParseCase{"LoneSurrogate", u"\xD800" u"5", 0},
        ParseCase{"RightToLeftMarkFirst", u"\x200F" u"5", 0}, ParseCase{"ControlCharacterFirst", u"\x01" u"5", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct FormatCase {
    const char* name;
    double value;
    std::u16string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class FormatValueRules : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueRules, PrintsSixDecimals) { EXPECT_EQ(FormatValue(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Values, FormatValueRules,
    ::testing::Values(FormatCase{"Plain", 25.4, u"25.400000"}, FormatCase{"Small", 0.001, u"0.001000"},
                      FormatCase{"BelowSixDecimals", 1e-7, u"0.000000"},
                      FormatCase{"Large", 1e20, u"100000000000000000000.000000"},
                      FormatCase{"Negative", -0.5, u"-0.500000"}, FormatCase{"NegativeZero", -0.0, u"-0.000000"},
                      FormatCase{"RoundsHalfToEvenBinary", 0.0000005, u"0.000000"},
                      FormatCase{"RoundsUp", 2.1979815, u"2.197982"},
                      FormatCase{"TangentOfHalfPi", 1.633123935319537e16, u"16331239353195370.000000"},
                      // What glibc's "%f" prints; other C runtimes print these differently.
                      FormatCase{"Infinity", kInf, u"inf"}, FormatCase{"NegativeInfinity", -kInf, u"-inf"},
                      FormatCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), u"nan"},
                      FormatCase{"NegativeNotANumber", -std::numeric_limits<double>::quiet_NaN(), u"-nan"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatValue, PrintsTheLargestDoubleInFull) {
    const std::u16string text = FormatValue(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u + 7u);
    EXPECT_EQ(text.substr(text.size() - 7), u".000000");
}

TEST(FormatValue, AgreesWithPrintfInTheCLocaleOverManyValues) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(c);
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        double value;
        const uint64_t b = bits(random);
        std::memcpy(&value, &b, sizeof value);
        if (!std::isfinite(value) || std::fabs(value) > 1e30) value = std::ldexp(static_cast<double>(b % 1000000007), -20);
        char expected[512];
        std::snprintf(expected, sizeof expected, "%f", value);
        const std::u16string actual = FormatValue(value);
        ASSERT_EQ(std::string(actual.begin(), actual.end()), expected) << "for bits " << b;
    }
    uselocale(previous);
    freelocale(c);
}

TEST(FormatTruncated, TruncatesTowardZeroLikeTheX86Conversion) {
    EXPECT_EQ(FormatTruncated(90), u"90");
    EXPECT_EQ(FormatTruncated(120.9), u"120");
    EXPECT_EQ(FormatTruncated(-1.5), u"-1");
    EXPECT_EQ(FormatTruncated(1e10), u"-2147483648");
    EXPECT_EQ(FormatTruncated(std::numeric_limits<double>::quiet_NaN()), u"-2147483648");
}

}  // namespace
