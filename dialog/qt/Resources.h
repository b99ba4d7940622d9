#pragma once
// The program's resources as Qt sees them: the resource script and the images
// it names, compiled into the executable.

#include "dialog/ResourceScript.h"

#include <QIcon>
#include <QPixmap>

namespace res {

const dlg::ResourceScript& Script();

// Picture resource id drawn at its own size, sharp at the given pixel ratio.
QPixmap Picture(int id, qreal devicePixelRatio);

// Icon resource id in all the sizes it comes in.
QIcon Icon(int id);

}  // namespace res
