// Every double prints as "%f" prints it in the C locale, and a finite value
// of ordinary size reads back within the half unit of its sixth decimal.

#include "pages/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size != sizeof(double)) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::u16string shown = FormatValue(value);

    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(c);
    char expected[512];
    std::snprintf(expected, sizeof expected, "%f", value);
    uselocale(previous);
    if (std::u16string(expected, expected + std::strlen(expected)) != shown) std::abort();

    if (std::isfinite(value) && std::fabs(value) < 1e9) {
        // Half a unit of the sixth decimal, and the rounding of the text read back.
        const double ulp = std::nextafter(std::fabs(value), INFINITY) - std::fabs(value);
        const double back = ParseNumberText(shown);
        if (std::fabs(back - value) > 5e-7 + 4 * ulp) std::abort();
    }
    return 0;
}
