// The player's marks in the main window's chrome: their context menu items
// and the way to the waypoint in the title.
#pragma once

#include <windows.h>

#include "base/app_state.h"

namespace tolvik {

// Remembers the game position under the right-button press (`position`, a
// mouse message's parameter) for "Set Waypoint Here".
void NoteMenuPoint(HWND window, AppState& app, LPARAM position);

// Appends, after a separator, "Set Waypoint Here" (when the press was over a
// calibrated map), "Clear Waypoint" and "Clear Corpse Marker" (while the
// shown zone has one). Appends nothing when none applies.
void AppendMarkItems(HMENU menu, const AppState& app);

// Sets the title for a pointer that is not over the map: the way to the
// waypoint, or the plain title.
void ShowIdleTitle(HWND window, AppState& app);

// Keeps the way to the waypoint in the title current while the pointer is
// not over the map (called on each timer tick); leaves the title alone when
// there is no waypoint to show or take back.
void RefreshIdleTitle(HWND window, AppState& app);

}  // namespace tolvik
