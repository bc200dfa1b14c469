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
// `playerHeight` through the drawing plan: a new 24-bit bottom-up DIB section
// (owned by the caller), or null when the map does not exist or the bitmap
// cannot be made. Leaves the size in BitmapWidth/BitmapHeight, the
// game-coordinate calibration in the working calibration and the lines'
// heights in `levels`.
HBITMAP RenderVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight);

}  // namespace tolvik
