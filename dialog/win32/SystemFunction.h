#pragma once
// Functions of system DLLs that older Windows lack, looked up at run time
// rather than linked, so that the program starts on every Windows it
// supports and needs no DLL beyond those.

#include "Windows.h"

// `name` of `module` (already loaded into the process), or null where this Windows has none.
template <class Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}
