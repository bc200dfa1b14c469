// The map being shown and its two-point calibration between picture pixels
// and game coordinates.
#pragma once

#include "base/current_map.h"

namespace tolvik {

// Picture pixel of a game position ((0, 0) when not calibrated).
PixelPoint GameToImage(const CurrentMap& map, float x, float y);

// Game position under a Map View client point ((0, 0) when not calibrated).
GamePoint ViewToGame(const CurrentMap& map, int vx, int vy);

// Truncates toward zero; false (and 0) when `v` is not finite or does not fit an int.
bool TruncToInt(float v, int& out);

}  // namespace tolvik
