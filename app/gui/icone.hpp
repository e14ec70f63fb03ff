// The program's icon, drawn from the same SVG that the desktop file and the package install.
#pragma once

#include <QIcon>

namespace orvandel {

// Rendered at the usual sizes, so that title bars, task bars and the About box on displays of
// any pixel density take a sharp picture rather than a scaled one.
QIcon iconeDoPrograma();

} // namespace orvandel
