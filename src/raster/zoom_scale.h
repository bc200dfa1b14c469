// Magnifying a picture with bilinear smoothing, for the zoomed Map View.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvik {

// 32-bit pixels (0x00RRGGBB) in rows from the top, `stride` pixels apart.
struct PixelRows {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// Draws `source` scaled by `zoom` into `out`, each pixel the bilinear blend
// of the four source pixels nearest to where its centre falls. The source's
// top-left corner is at (panX, panY) in view pixels and `out` covers the
// view from (left, top). Pixels whose centre falls outside the source are
// black. Nothing is drawn for a zoom that is not positive.
void ScaleSmoothly(const PixelRows& source, double zoom, double panX, double panY, int left, int top,
                   const PixelRows& out);

}  // namespace tolvik
