#pragma once
// Unicode's simple case folding, and the order of a sorted list by it: the
// texts compared code point by code point once folded, so that "a" and "A"
// are equals, as are "ä" and "Ä" or "д" and "Д".

#include <cstddef>
#include <string>

namespace dlg {

struct CaseFoldPair {
    char32_t from;
    char32_t to;
};

char32_t FoldCase(char32_t c);
// Below zero when `a` sorts before `b`, zero for equals, above zero after.
int CompareFolded(const std::u16string& a, const std::u16string& b);

}  // namespace dlg
