// Which controls the main window shows, and where the Map View goes.
#pragma once

#include <windows.h>

#include "base/program_win.h"

namespace tolvik {

// The Map View's rectangle in the main window's client coordinates.
RECT MapViewRect(HWND window, const Program& program);

// Shows or hides the calibration panel and places the Map View for it.
void ShowCalibrationPanel(HWND window, Program& program, bool show);

// Shows the controls of the current view mode and places the Map View.
void ApplyViewMode(HWND window, Program& program, bool mapOnly);

// Grows the window to the full layout's extent when map-only view ends.
void EnsureFullLayoutFits(HWND window, Program& program);

// Re-lays out the Map View after a size change.
void LayoutMapView(HWND window, Program& program);

// Minimum tracking size of the main window.
void ApplyMinimumSize(HWND window, Program& program, MINMAXINFO* info);

}  // namespace tolvik
