// Rendering a zone's vector map into a bitmap.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"
#include "vector/vector_plan.h"
#include "base/vector_settings.h"

namespace tolvik {

// Renders the vector map of the zone with display name `zone` and sets the
// Current Map's calibration for it; returns the bitmap (owned by the caller)
// or null when the zone has no vector map (calibration then all zero).
HBITMAP RenderZoneVectorMap(Program& program, const std::string& zone);

// Renders the map whose base file is `basePath` for the player height
// `playerHeight`: a new 24-bit bottom-up DIB section (owned by the caller),
// or null when the map does not exist or the bitmap cannot be made. Leaves
// the size in BitmapWidth/BitmapHeight and the game-coordinate calibration in
// the working calibration.
HBITMAP RenderVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight);

// The drawing pass into `dc`, which holds the bitmap of the size and bounds
// in `settings`.
void DrawVectorMapFiles(HDC dc, const std::string& basePath, const VectorMapSettings& settings,
                        float playerHeight);

// One line of the map, one pixel wide in its colour.
void DrawVectorLine(HDC dc, const VectorLineOp& line);

// One placed label in `font`: the leader (cut at the box), the 4 by 4 anchor
// square filled with the device context's brush, and the text.
void DrawVectorLabel(HDC dc, const VectorLabelOp& label, HFONT font);

// A new "Arial" font of `points` points for the screen's resolution.
HFONT CreateLabelFont(int points);

}  // namespace tolvik
