#pragma once
// The resource script the program was built from, carried in the program
// beside the compiled dialogs, for what the compiled templates do not keep:
// which static text a field stands beside.

#include "dialog/ResourceScript.h"

namespace res {

const dlg::ResourceScript& Script();

}  // namespace res
