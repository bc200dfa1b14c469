// What the Map View keeps between frames while the map is zoomed: its
// zoomed picture for the current pan, and for vector maps a sharp picture
// of the map at the zoom, drawn in place of the stretched one.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "base/gdi_win.h"

namespace tolvik {

struct ZoomedView {
    // The view's picture at a zoom other than the actual size, markers left
    // out, and what it was made for (map picture, zoom, pans, view size,
    // sharp picture).
    UniqueBitmap frame;  // a 32-bit top-down DIB section
    std::array<std::int64_t, 7> frameKey{};
    // Counts the composed map pictures, so that what belongs to one is known.
    std::uint32_t mapSerial = 0;

    // A sharp picture of the map image at zoom step `sharpStep`, for map
    // picture `sharpMapSerial`: paints image pixel (0, 0) at view (x, y),
    // within `clip` (view coordinates).
    std::function<void(HDC dc, int x, int y, const RECT& clip)> paintSharp;
    int sharpStep = 0;
    std::uint32_t sharpMapSerial = 0;
    std::uint32_t sharpSerial = 0;

    // The vector map shown (its base file; empty for a picture) and the player
    // height its render used.
    std::string vectorBase;
    float vectorHeight = 0.0f;
};

}  // namespace tolvik
