#pragma once
// The program's own resource script, read from res/ once per test binary.

#include "dialog/ResourceScript.h"

#include <fstream>
#include <sstream>

inline const dlg::ResourceScript& ProgramScript() {
    static const dlg::ResourceScript script = [] {
        std::ifstream file(LAMINO_SOURCE_DIR "/res/lamino.rc");
        std::stringstream text;
        text << file.rdbuf();
        return dlg::ResourceScript::Parse(text.str());
    }();
    return script;
}
