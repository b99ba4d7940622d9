#include "NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cwchar>
#include <locale.h>

#ifdef _WIN32
#include <stdlib.h>
#endif

namespace {

#if defined(__MINGW32__)
// mingw-w64's own wcstod rounds correctly and reads the same forms as
// glibc's; the program never moves its C runtime off the "C" locale.
double ParseWide(const std::wstring& wide) { return __mingw_wcstod(wide.c_str(), nullptr); }
#elif defined(_WIN32)
_locale_t CLocale() {
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return c;
}
double ParseWide(const std::wstring& wide) { return _wcstod_l(wide.c_str(), nullptr, CLocale()); }
#elif defined(__wasi__)
// wasi-libc's wcstod is musl's: it skips more spaces than glibc's "C" locale,
// drops the sign of a negative result that is NaN or underflows to zero, and
// has no wcstod_l (its locale is always "C"). Mended here to read as glibc does.
bool IsMuslOnlySpace(wchar_t c) {
    return c == 0x85 || (c >= 0x2000 && c <= 0x200A && c != 0x2007) || c == 0x2028 || c == 0x2029 ||
           c == 0x205F || c == 0x3000;
}
bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }
double ParseWide(const std::wstring& wide) {
    size_t first = 0;
    while (first < wide.size() && IsCSpace(wide[first])) ++first;
    if (first < wide.size() && IsMuslOnlySpace(wide[first])) return 0.0;
    const wchar_t* start = wide.c_str() + first;
    wchar_t* end = nullptr;
    const double value = std::wcstod(start, &end);
    if (end != start && *start == L'-') return std::copysign(value, -1.0);
    return value;
}
#else
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
double ParseWide(const std::wstring& wide) { return wcstod_l(wide.c_str(), nullptr, CLocale()); }
#endif

std::wstring ToWide(const CString& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if constexpr (sizeof(wchar_t) == 4) {
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            }
        }
        wide += static_cast<wchar_t>(unit);
    }
    return wide;
}

}  // namespace

double ParseNumberText(const CString& text) {
    return ParseWide(ToWide(text));
}

CString FormatValue(double value) {
    // As "%f" spells them; C++ libraries differ (libc++ writes "-nan(ind)").
    if (std::isnan(value)) return std::signbit(value) ? u"-nan" : u"nan";
    if (std::isinf(value)) return value < 0 ? u"-inf" : u"inf";
    char buffer[400];  // the largest double takes 309 digits before the point
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return CString(buffer, result.ptr);
}

CString FormatTruncated(double value) {
    const double truncated = std::trunc(value);
    const int whole = (std::isnan(truncated) || truncated < INT_MIN || truncated > INT_MAX)
                          ? INT_MIN
                          : static_cast<int>(truncated);
    const std::string digits = std::to_string(whole);
    return CString(digits.begin(), digits.end());
}
