// memcpy, memmove and memset in plain loads and stores. Some wasi-libc builds
// (Debian 13's) write them with bulk-memory instructions, which Firefox
// before 79 and Safari before 15 do not have; defined here, the linker takes
// these and not the C library's.
#include <cstddef>

extern "C" {

__attribute__((no_builtin)) void* memcpy(void* to, const void* from, std::size_t n) {
    auto* d = static_cast<unsigned char*>(to);
    const auto* s = static_cast<const unsigned char*>(from);
    while (n--) *d++ = *s++;
    return to;
}

__attribute__((no_builtin)) void* memmove(void* to, const void* from, std::size_t n) {
    auto* d = static_cast<unsigned char*>(to);
    const auto* s = static_cast<const unsigned char*>(from);
    if (d < s) {
        while (n--) *d++ = *s++;
    } else {
        while (n--) d[n] = s[n];
    }
    return to;
}

__attribute__((no_builtin)) void* memset(void* to, int value, std::size_t n) {
    auto* d = static_cast<unsigned char*>(to);
    while (n--) *d++ = static_cast<unsigned char>(value);
    return to;
}

}  // extern "C"
