// Rendering a zone's vector map into a bitmap.
#pragma once

#include <windows.h>

#include <string>

#include "app/program_win.h"

namespace tolvik {

// Renders the vector map of the zone with display name `zone` and sets the
// Current Map's calibration for it; returns the bitmap (owned by the caller)
// or null when the zone has no vector map (calibration then all zero).
HBITMAP RenderZoneVectorMap(Program& program, const std::string& zone);

}  // namespace tolvik
