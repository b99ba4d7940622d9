#include "Resources.h"

// res/lamino.rc, made into a string by the build.
extern const char kLaminoResourceScript[];

namespace res {

const dlg::ResourceScript& Script() {
    static const dlg::ResourceScript script = dlg::ResourceScript::Parse(kLaminoResourceScript);
    return script;
}

}  // namespace res
