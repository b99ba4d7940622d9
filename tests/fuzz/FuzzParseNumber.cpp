// Any text reads as a number without harm, and an ASCII text reads as the
// narrow C-locale strtod reads it: the wide path adds nothing of its own.

#include "pages/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string wide;
    for (size_t i = 0; i + 1 < size; i += 2) wide += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    ParseNumberText(wide);

    std::string ascii(reinterpret_cast<const char*>(data), size);
    if (ascii.find('\0') != std::string::npos) return 0;
    for (unsigned char c : ascii)
        if (c >= 0x80) return 0;
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const double expected = strtod_l(ascii.c_str(), nullptr, c);
    const double actual = ParseNumberText(std::u16string(ascii.begin(), ascii.end()));
    if (std::isnan(expected) ? !std::isnan(actual) : std::memcmp(&expected, &actual, sizeof actual) != 0) std::abort();
    return 0;
}
