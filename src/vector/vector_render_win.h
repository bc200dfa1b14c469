// Rendering a zone's vector map into a bitmap.
#pragma once

#include <windows.h>

#include <memory>
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


// Renders the vector map being shown again at the map's zoom, kept as its
// draw operations, and makes it the Map View's sharp picture for that zoom.
// False (no sharp picture) for a picture map, at the actual size, or when
// the map cannot be read again.
bool RenderVectorMapAtZoom(Program& program);

// The map at `scale` times the size of its render at MapResolution, as draw
// operations, labels measured in the real fonts; null when it cannot be read.
std::shared_ptr<ScaledVectorPlan> PlanVectorMapAtScale(const VectorMapSettings& settings, const std::string& basePath,
                                                       float playerHeight, double scale);

// Paints `plan` with its pixel (0, 0) at (x, y) of `dc`, within `clip`: the
// background colour `colour`, then the lines and labels that reach into it.
void PaintScaledVectorPlan(HDC dc, const ScaledVectorPlan& plan, std::uint32_t colour, int x, int y,
                           const RECT& clip);

}  // namespace tolvik
