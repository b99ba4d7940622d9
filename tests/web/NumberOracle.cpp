// Prints how the number rules read and print a large, fixed set of texts and
// values, one line each, so that two builds (Linux and WebAssembly under
// Node's WASI) can be compared line by line: any line that differs is a text
// a user would see differently. The set is made here from a fixed seed and
// plain integer arithmetic, the same on every platform.

#include "pages/Geometry.h"
#include "pages/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Random {
    uint64_t state;
    uint64_t Next() {  // splitmix64
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    double Double() {
        uint64_t bits = Next();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
};

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

// The bits of a number, where they show; a NaN only by its sign.
std::string Bits(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char hex[20];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(bits));
    return hex;
}

void Read(const std::u16string& text) {
    const double value = ParseNumberText(text);
    std::printf("read %s -> %s %s\n", Utf8(text).c_str(), Bits(value).c_str(), Utf8(FormatValue(value)).c_str());
}

void Print(double value) { std::printf("print %s -> %s\n", Bits(value).c_str(), Utf8(FormatValue(value)).c_str()); }

const std::vector<std::u16string> kLeads = {
    u"",       u" ",      u"\t",     u"\n ",    u"\u3000", u"\u2000", u"\u2001", u"\u2002", u"\u2003", u"\u2004",
    u"\u2005", u"\u2006", u"\u2007", u"\u2008", u"\u2009", u"\u200A", u"\u0085", u"\u2028", u"\u2029", u"\u205F",
    u"\u1680", u"\u00A0", u"\uFEFF", u"\u200B", u" \u3000", u"\u3000 "};
const std::vector<std::u16string> kSigns = {u"", u"-", u"+", u"--", u"-+"};
const std::vector<std::u16string> kBodies = {
    u"nan", u"NaN", u"nan(123)", u"nan()", u"nan(", u"inf", u"INF", u"infinity", u"infin", u"1e-400", u"4e-324",
    u"2.4703282292062327e-324", u"2.4703282292062328e-324", u"1.5", u"0.1", u"25.4", u"0", u"0.0", u"1e400",
    u"1.7976931348623157e308", u"1.7976931348623158e308", u"1.7976931348623159e308",
    u"0x1.fffffffffffff8p1023", u"0x1.fffffffffffff7ffffffffp1023", u"0x1.fffffffffffffp1023", u"0x1p-1074",
    u"0x1p-1075", u"0x1.8p-1075", u"0x1.00000000000008p0", u"0x1.000000000000080000001p0",
    u"0x1.00000000000018p0", u"0x.8", u"0x", u"0xg", u"0X1P4", u".", u"e5", u"1e", u"1e+", u"1,5", u"abc", u"\uFF11",
    u"1 2", u"30degree", u"120\u5EA6", u"00000000000000000000001", u"123456789012345678901234567890",
    u"0.000000000000000000000000000000000000000000000001"};

void ReadClasses() {
    for (const auto& lead : kLeads)
        for (const auto& sign : kSigns)
            for (const auto& body : kBodies) Read(lead + sign + body);
}

// Decimal and hexadecimal numbers of random shape.
void ReadRandomTexts(Random& random, int count) {
    static const char16_t kDecimal[] = u"0123456789";
    static const char16_t kHex[] = u"0123456789abcdefABCDEF";
    for (int n = 0; n < count; ++n) {
        std::u16string text = kSigns[static_cast<size_t>(random.Below(3))];
        const bool hex = random.Below(4) == 0;
        if (hex) text += u"0x";
        const int digits = 1 + random.Below(random.Below(8) == 0 ? 40 : 18);
        const int point = random.Below(digits + 2);
        for (int i = 0; i < digits; ++i) {
            if (i == point) text += u'.';
            text += hex ? kHex[random.Below(22)] : kDecimal[random.Below(10)];
        }
        if (random.Below(2) == 0) {
            text += hex ? u'p' : u'e';
            text += kSigns[static_cast<size_t>(random.Below(3))];
            const int exponent = random.Below(random.Below(4) == 0 ? 1100 : 40);
            for (const char c : std::to_string(exponent)) text += static_cast<char16_t>(c);
        }
        Read(text);
    }
}

void PrintValues(Random& random, int count) {
    for (double v : {0.0, -0.0, 1e-7, 5e-7, 4.9999999999999996e-7, 0.0000005, 1.0 / 128, 2.5e-6, 1e20, 1e308,
                     -1e308, 4e-324, HUGE_VAL, -HUGE_VAL, std::nan(""), -std::nan(""), std::nan("7"), -std::nan("7")})
        Print(v);
    for (int n = 0; n < count; ++n) {
        Print(random.Double());
        // Values a page shows: up to a few thousand, with six decimals in play.
        const double scale = std::pow(10.0, random.Below(12) - 6);
        Print((static_cast<double>(random.Next() % 100000000) / 1000.0) * scale * (random.Below(2) ? 1 : -1));
    }
}

// The pages' formulas, to six decimals, over inputs a user types: the
// tangent of another C library may differ in the last bit, never in the text.
void Geometry(Random& random, int count) {
    for (int n = 0; n < count; ++n) {
        const double a = random.Below(18000) / 100.0, b = random.Below(100000) / 1000.0;
        const double c = random.Below(100000) / 1000.0, d = random.Below(100000) / 1000.0;
        std::printf("geometry %s %s %s %s %s\n", Utf8(FormatValue(VCutClearance(a, b, d, c, 0.1))).c_str(),
                    Utf8(FormatValue(BevelEndFace(d, b, a))).c_str(), Utf8(FormatValue(BevelLength(c, d, a))).c_str(),
                    Utf8(FormatValue(CountersinkDepth(a, b, c))).c_str(),
                    Utf8(FormatTruncated(a * 7.0 - 600)).c_str());
    }
}

}  // namespace

int main() {
    Random random{20261208};
    ReadClasses();
    ReadRandomTexts(random, 150000);
    PrintValues(random, 50000);
    Geometry(random, 60000);
    return 0;
}
