#pragma once
// The program's resource script, carried in the module as written in res/.

#include "dialog/ResourceScript.h"

namespace res {

const dlg::ResourceScript& Script();

}  // namespace res
