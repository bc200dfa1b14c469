// The player's marks: one waypoint and one corpse per zone, kept in the
// settings file as they change.
#pragma once

#include <windows.h>

#include <vector>

#include "base/program_win.h"
#include "raster/marks.h"

namespace tolvik {

// Reads sections "Waypoints", "Corpses" and "ClearedCorpses" of the
// settings file. Values that do not read as marks, and keys that are not
// safe zone names, are passed over.
void LoadZoneMarks(Program& program);

// Sets the shown zone's waypoint at game position (x, y).
void SetWaypoint(Program& program, float x, float y);

// Left button down with Ctrl held over a calibrated map: sets the waypoint
// there and returns true (the click then starts no drag).
bool SetWaypointAtClick(HWND window, Program& program, WPARAM keys, LPARAM position);

// Context menu commands.
void SetWaypointAtMenuPoint(Program& program);
void ClearWaypoint(Program& program);
void ClearCorpse(Program& program);

// Marks the corpses of the deaths one read of the log reported, in order.
// After a read from the log's start, only deaths newer than the corpse
// known in their zone count.
void TakeDeaths(Program& program, const std::vector<Death>& deaths, bool wholeLog);

// After new positions: the shown zone's waypoint, when the player has come
// within reach of it, is cleared, and the window flashes unless it is the
// foreground window.
void CheckWaypointReached(HWND window, Program& program);

}  // namespace tolvik
