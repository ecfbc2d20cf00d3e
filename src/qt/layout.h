#pragma once

#include <QRect>

#include "desktop/layout.h"

namespace kalmar::qt {

using desktop::Geometry;
using desktop::geometryFor;
using desktop::kClientWidth;
using desktop::kSpeedRowTop;
using desktop::kViewTop;

inline QRect rectOf(const desktop::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace kalmar::qt
