// Map zoom in the main window: the mouse wheel over the Map View, the keys
// + and - and 0, the context menu's zoom commands, the zoom each zone was
// last shown at, and a vector map's new render once the wheel rests.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"

namespace tolvik {

// Starts and ends the wheel and key handling of the main window `window`
// (marks it as the window whose Map View the wheel and keys zoom).
void StartZoomInput(HWND window);
void StopZoomInput(HWND window);

// The message loop gives each message of our windows to this before the
// control with the keyboard focus sees it: true when it was a wheel over
// the main window's Map View or a zoom key for it, and has been handled.
bool PreTranslateZoomMessage(const MSG& message);

// A wheel message that reached the main window itself; true when the
// pointer is over the Map View (then it zoomed).
bool OnMainWindowWheel(HWND window, Program& program, WPARAM wParam, LPARAM lParam);

// Commands "Zoom In", "Zoom Out" and "Actual Size": about the view's centre.
void OnZoomCommand(HWND window, Program& program, int command);

// Sets the zoom to `step` (clamped) about Map View pixel `anchor`, redraws,
// remembers it for the zone and, for a vector map, renders it again at the
// new scale 200 ms after the last change.
void ZoomMapView(HWND window, Program& program, int step, POINT anchor);

// The timer IDT_ZOOM_SETTLE: the vector map at the zoom it rests at.
void OnZoomSettled(HWND window, Program& program);

// A new map of `zone` (size `mapSize`) was composed: the zoom is the one the
// zone was last shown at (kept when the same zone is shown again), with the
// map centred in the view at that zoom.
void OpenMapAtZoneZoom(HWND window, Program& program, const std::string& zone, bool sameZone, SIZE mapSize);

}  // namespace tolvik
