#include "Resources.h"

#include "Windows.h"

namespace res {

const dlg::ResourceScript& Script() {
    static const dlg::ResourceScript script = [] {
        // The script as written and the header it includes, carried as data.
        const auto read = [](const wchar_t* name) {
            HMODULE module = GetModuleHandleW(nullptr);
            HRSRC found = FindResourceW(module, name, RT_RCDATA);
            HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
            const char* text = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
            if (text == nullptr) throw dlg::ParseError("resource script missing");
            return std::string(text, SizeofResource(module, found));
        };
        return dlg::ResourceScript::Parse(read(L"LAMINO_SCRIPT"),
                                          [&read](std::string_view) { return read(L"LAMINO_RESOURCE_H"); });
    }();
    return script;
}

}  // namespace res
