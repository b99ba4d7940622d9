#include "Resources.h"

#include "Windows.h"

namespace res {

const dlg::ResourceScript& Script() {
    static const dlg::ResourceScript script = [] {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC found = FindResourceW(module, L"LAMINO_SCRIPT", RT_RCDATA);
        HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
        const char* text = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        if (text == nullptr) throw dlg::ParseError("resource script missing");
        return dlg::ResourceScript::Parse(std::string_view(text, SizeofResource(module, found)));
    }();
    return script;
}

}  // namespace res
