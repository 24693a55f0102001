#pragma once

// The descriptions' fonts on Qt.

#include <QFont>

#include "toolkit/description.h"

namespace quorvane::ui::qt {

// A resolved font of a description (font_fit.h) at `pixels` logical pixels. The dialog font is
// set in the look-alike from the fonts-wine package where it is installed and the screen shows
// logical pixels one to one, otherwise in a scalable sans face.
QFont FaceFont(const FontDescription& desc, int pixels);
// Whether the font is a scalable face standing in for the look-alike: the window fits its size
// to the captions set in it.
bool IsStandIn(const QFont& font);
// Points at 96 dpi to logical pixels.
int PointsToPixels(double points);

}  // namespace quorvane::ui::qt
