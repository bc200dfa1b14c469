// The Map View: the composed map picture, the markers drawn over it ten
// times a second, and drag-panning.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/program_win.h"
#include "raster/touched_boxes.h"
#include "raster/zoom_scale.h"

namespace tolvik {

// Draws one frame of the Map View: picture, position markers, and with
// `showReferencePoints` the two reference squares.
void DrawMapView(HWND window, Program& program, bool showReferencePoints);

// The next frame of the Map View, as DrawMapView draws it, with only what
// changed since the frame before copied to the screen: while the map does
// not move, that is the part under the markers.
void DrawMapViewChanges(HWND window, Program& program, bool showReferencePoints);

// Draws the frame into `dc`, whose client area is `view` (the Map View's
// client rectangle), at tick count `tick`.
void DrawMapFrame(HDC dc, const RECT& view, Program& program, bool showReferencePoints, std::uint32_t tick);

// A frame the markers are drawn into: the pixels of the 32-bit top-down
// bitmap selected into its DC, written straight by the pulsing lines, and
// the boxes of all that was drawn (what went through the DC is taken from
// its bounds, which the caller keeps enabled).
struct FrameMemory {
    PixelRows pixels;
    TouchedBoxes touched;
};

// Adds the DC's bounds to `memory`'s boxes and resets them; nothing without `memory`.
void TakeDrawnBounds(HDC dc, FrameMemory* memory);

// A pulsing disc at (x, y) with a heading line for a move of (dx, dy).
// `memory` (here and below): the frame selected into `dc`; without one,
// all is drawn through the DC.
void DrawPositionDisc(HDC dc, int x, int y, float dx, float dy, COLORREF colour, std::uint32_t tick,
                      FrameMemory* memory = nullptr);

// A square ring around (x, y), framed by thin black lines.
void DrawReferenceSquare(HDC dc, int x, int y, COLORREF colour);

// A line through `points` (from the last toward the first) whose brightness
// runs along it like a wave. Channel 0 green, 1 blue, other values red.
void DrawPulsingPath(HDC dc, const POINT* points, int count, int channel, std::uint32_t tick,
                     FrameMemory* memory = nullptr);

// Converts a main-window client position (message parameter, unsigned
// 16-bit halves) to Map View client coordinates.
POINT MainClientToMapView(HWND window, LPARAM position);

// Left button down, mouse move while dragging, left button up; `position`
// is the message parameter in main-window client coordinates.
void BeginDrag(HWND window, Program& program, LPARAM position);
void ContinueDrag(HWND window, Program& program, LPARAM position);
void EndDrag(HWND window, Program& program);

}  // namespace tolvik
