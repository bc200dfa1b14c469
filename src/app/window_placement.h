// Where a window rectangle stored in the settings file is restored.
#pragma once

#include <vector>

#include "base/rect.h"

namespace tolvik {

// True when every pixel of `box` lies on one of `areas` (several areas side
// by side may share it).
bool CoveredBy(const Rect& box, const std::vector<Rect>& areas);

// The rectangle at which a stored window rectangle is restored, so that the
// window can always be reached by its title bar (the top `titleBarHeight`
// pixels of the window):
// - a window whose title bar lies wholly on the work areas is restored as
//   stored, even when the rest of it hangs over an edge;
// - otherwise it is moved onto the work area it overlaps most, by the least
//   distance that puts it wholly there, shrunk only where it is larger;
// - a window on no work area at all (its monitor is gone) is centred on the
//   primary work area, shrunk only where it is larger.
// A stored rectangle without a size takes the template's size.
Rect RestoredWindowRect(const Rect& stored, const std::vector<Rect>& workAreas, const Rect& primaryWorkArea,
                        const Rect& templateRect, int titleBarHeight);

}  // namespace tolvik
