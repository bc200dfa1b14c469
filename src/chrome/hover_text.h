// Window titles of the main window.
#pragma once

#include <string>

#include "base/app_state.h"

namespace tolvik {

// The main window's plain title.
inline constexpr const char* kPlainTitle = "Tolvik";

// The title while the pointer rests over a calibrated map: the plain title
// and the game coordinates under the pointer, with two decimals.
std::string HoverTitleText(float x, float y);

// The title while the pointer is not over the map: the way to the shown
// zone's waypoint from the player's newest position there ("Tolvik -
// waypoint 120 away, north-west"), or the plain title when the zone has no
// waypoint or no position yet.
std::string IdleTitleText(const AppState& app);

}  // namespace tolvik
