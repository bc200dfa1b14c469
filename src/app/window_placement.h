// Where a window rectangle stored in the settings file is restored.
#pragma once

#include <vector>

#include "base/rect.h"

namespace tolvik {


// True when the two rectangles share an area of at least one pixel.
bool Overlaps(const Rect& a, const Rect& b);

// The rectangle at which a stored window rectangle is restored: as stored
// when any part of it lies on one of the work areas; otherwise its size,
// cut to fit (or the template's size when it has none), centred on the
// primary work area, as the template places a new window.
Rect RestoredWindowRect(const Rect& stored, const std::vector<Rect>& workAreas, const Rect& primaryWorkArea,
                        const Rect& templateRect);

}  // namespace tolvik
