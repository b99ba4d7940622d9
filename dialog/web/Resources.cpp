#include "Resources.h"

// res/lamino.rc and the res/resource.h it includes, made into strings by the build.
extern const char kLaminoResourceScript[];
extern const char kLaminoResourceHeader[];

namespace res {

const dlg::ResourceScript& Script() {
    static const dlg::ResourceScript script = dlg::ResourceScript::Parse(
        kLaminoResourceScript, [](std::string_view) { return std::string(kLaminoResourceHeader); });
    return script;
}

}  // namespace res
