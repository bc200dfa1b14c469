// The map being shown and its two-point calibration between picture pixels
// and game coordinates.
#pragma once

#include <cstdint>

#include "base/current_map.h"

namespace tolvik {

// Picture pixel of a game position ((0, 0) when not calibrated).
PixelPoint GameToImage(const CurrentMap& map, float x, float y);

// Offset of a game position from reference point 1 in picture pixels before
// truncation: sx (X - logical X1) and (Y - logical Y1) sy, in single precision
// as GameToImage forms them (infinite or NaN for degenerate calibrations).
struct PictureOffset {
    float x = 0.0f;
    float y = 0.0f;
};
PictureOffset GameOffsetInPicture(const CalibrationPoints& c, float x, float y);

// Game position under a Map View client point ((0, 0) when not calibrated),
// at the map's zoom.
GamePoint ViewToGame(const CurrentMap& map, int vx, int vy);

// z for a zoom step (the step clamped to its range).
double ZoomFactor(int step);

// View coordinate, along one axis, of the centre of map bitmap pixel `m`
// when the map bitmap's corner is at `pan`: pan + floor(z (m + 1/2)), which
// is pan + m at the actual size.
std::int64_t MapPixelToView(std::int64_t pan, std::int64_t m, int step);

// Truncates toward zero; false (and 0) when `v` is not finite or does not fit an int.
bool TruncToInt(float v, int& out);

}  // namespace tolvik
