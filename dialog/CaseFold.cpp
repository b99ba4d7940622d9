#include "CaseFold.h"

#include <algorithm>

namespace dlg {

extern const CaseFoldPair kCaseFolding[];  // ordered by `from` (CaseFoldingTable.cpp, made at configure time)
extern const std::size_t kCaseFoldingCount;

char32_t FoldCase(char32_t c) {
    const CaseFoldPair* end = kCaseFolding + kCaseFoldingCount;
    const CaseFoldPair* it =
        std::lower_bound(kCaseFolding, end, c, [](const CaseFoldPair& pair, char32_t key) { return pair.from < key; });
    return it != end && it->from == c ? it->to : c;
}

namespace {

// The code point at `i` (a lone surrogate stands for itself), and the index after it.
char32_t CodePointAt(const std::u16string& s, std::size_t& i) {
    const char32_t unit = s[i++];
    if (unit >= 0xD800 && unit < 0xDC00 && i < s.size() && s[i] >= 0xDC00 && s[i] < 0xE000)
        return 0x10000 + ((unit - 0xD800) << 10) + (s[i++] - 0xDC00);
    return unit;
}

}  // namespace

int CompareFolded(const std::u16string& a, const std::u16string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = FoldCase(CodePointAt(a, i)), y = FoldCase(CodePointAt(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

}  // namespace dlg
