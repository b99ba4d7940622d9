#pragma once
// The program's own resource script, read from res/ once per test binary.

#include "dialog/ResourceScript.h"

#include <fstream>
#include <sstream>

inline const dlg::ResourceScript& ProgramScript() {
    static const dlg::ResourceScript script = [] {
        const auto read = [](std::string_view name) {
            std::ifstream file(LAMINO_SOURCE_DIR "/res/" + std::string(name));
            std::stringstream text;
            text << file.rdbuf();
            return text.str();
        };
        return dlg::ResourceScript::Parse(read("lamino.rc"), read);
    }();
    return script;
}
