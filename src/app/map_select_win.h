// Choosing the map shown for a zone, and the "Select Map Image..." command.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"
#include "raster/map_compose_win.h"

namespace tolvik {

// Shows the map of `zone` (raster or vector, or the stand-by picture),
// centred, with the zone list and the calibration panel brought up to date.
// A big picture is decoded in the background: until it arrives, the
// stand-by picture says that it is loading.
void SelectZoneMap(HWND window, Program& program, const std::string& zone);

// A zone picture decoded in the background has arrived (the main window's
// WM_TOLVIK_PICTURE_LOADED): it replaces the loading notice when it is the
// picture of the latest selection, and is dropped otherwise; null when the
// picture could not be read. Takes `map` over.
void OnZonePictureLoaded(HWND window, Program& program, WPARAM request, ComposedMap* map);

// Draws the shown zone's map again with the present options and player
// height; the view stays where it is (pan, zoom, keep-centred) unless the
// new picture has another size, which is centred.
void RenderZoneMapAgain(HWND window, Program& program);

// After a read of the log: while vector maps are shown, renders the map
// again when the player's new height changes what the height filter passes.
void FollowPlayerHeight(HWND window, Program& program);

// Builds the Current Map's picture for `zone`; 1 when one was composed.
int BuildZoneMap(Program& program, const std::string& zone);

// Command "Select Map Image...": copies a picture the user chooses into the
// Zones Folder as the listed zone's map and shows it; does nothing while no
// zone is listed.
void ChooseMapImage(HWND window, Program& program);

}  // namespace tolvik
