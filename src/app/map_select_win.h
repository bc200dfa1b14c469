// Choosing the map shown for a zone, and the "Select Map Image..." command.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"

namespace tolvik {

// Shows the map of `zone` (raster or vector, or the stand-by picture),
// centred, with the zone list and the calibration panel brought up to date.
void SelectZoneMap(HWND window, Program& program, const std::string& zone);

// Builds the Current Map's picture for `zone`; 1 when one was composed.
int BuildZoneMap(Program& program, const std::string& zone);

// Command "Select Map Image...": copies a picture the user chooses into the
// Zones Folder as the listed zone's map and shows it; does nothing while no
// zone is listed.
void ChooseMapImage(HWND window, Program& program);

}  // namespace tolvik
