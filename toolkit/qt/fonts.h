#pragma once

// The descriptions' fonts on Qt.

#include <QFont>

#include "toolkit/description.h"

namespace quorvane::ui::qt {

// The 8.25 pt dialog font of the descriptions. Uses the look-alike from the fonts-wine package
// when it is installed, otherwise the toolkit's default sans face at the same pixel size.
QFont DialogFont();
// The font of a description, resolved against a window font.
QFont ResolveFont(const FontDescription& desc, const QFont& base);
// Points at 96 dpi to logical pixels.
int PointsToPixels(double points);

}  // namespace quorvane::ui::qt
