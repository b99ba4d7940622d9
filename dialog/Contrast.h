#pragma once
// How well a colour reads on another: WCAG 2's relative luminance and
// contrast ratio, for 8-bit sRGB channels. Text reads at 4.5:1 or more.

#include <cmath>
#include <cstdint>

namespace dlg {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

inline double RelativeLuminance(Rgb c) {
    auto linear = [](uint8_t channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

inline double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (la > lb ? la + 0.05 : lb + 0.05) / (la > lb ? lb + 0.05 : la + 0.05);
}

inline constexpr double kReadableContrast = 4.5;

}  // namespace dlg
