// The player's marks on the Map View: the corpse's cross, the waypoint's
// diamond and the dotted line that leads to it.
#pragma once

#include <windows.h>

#include "base/app_state.h"

namespace tolvik {

// Draws the marks of the shown zone (the Current Map's zone) over the map in
// `dc`; the waypoint's line starts at the player's newest position in that
// zone when the log has one. The map must be calibrated.
void DrawZoneMarks(HDC dc, const AppState& app);

// The game position under a main-window client point (a mouse message's
// position) when it lies over the Map View of a calibrated map.
bool MapPointUnder(HWND window, const AppState& app, LPARAM position, Position& out);

}  // namespace tolvik
