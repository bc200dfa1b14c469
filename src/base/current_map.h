// The map being shown: its two-point calibration between picture pixels and
// game coordinates, its placement and its pan.
#pragma once

#include <cctype>
#include <map>
#include <string>

namespace tolvik {

// Two reference points: physical (picture pixels) and logical (game X, Y).
struct CalibrationPoints {
    int physicalX1 = 0;
    int physicalY1 = 0;
    int physicalX2 = 0;
    int physicalY2 = 0;
    float logicalX1 = 0.0f;
    float logicalY1 = 0.0f;
    float logicalX2 = 0.0f;
    float logicalY2 = 0.0f;
};

// Zoom steps: the Map View shows the map bitmap at z = 1.25^step pixels per
// map pixel; step 0 is the actual size.
constexpr int kMinZoomStep = -8;
constexpr int kMaxZoomStep = 8;

// The Current Map, less its composed bitmap (held by the shell).
struct CurrentMap {
    std::string zoneName;  // Current Zone Name, at most 255 characters
    int calibrated = 0;
    CalibrationPoints points;
    int imageOffsetX = 0;
    int imageOffsetY = 0;
    int imageWidth = 0;
    int imageHeight = 0;
    int panX = 0;
    int panY = 0;
    int zoomStep = 0;        // kMinZoomStep .. kMaxZoomStep
    int wheelRemainder = 0;  // wheel movement short of a whole notch
    // The pans as the last zoom worked them out, before rounding; they count
    // only while they still round to pan X and pan Y (anything else that
    // moves the map simply sets the pans).
    double zoomPanX = 0.0;
    double zoomPanY = 0.0;
};

// Zone display names as keys that, like profile keys, ignore case.
struct ZoneKeyLess {
    bool operator()(const std::string& a, const std::string& b) const {
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const int ca = std::tolower(static_cast<unsigned char>(a[i]));
            const int cb = std::tolower(static_cast<unsigned char>(b[i]));
            if (ca != cb) return ca < cb;
        }
        return a.size() < b.size();
    }
};

// The zoom step each zone was last shown at (steps other than 0 only).
using ZoneZooms = std::map<std::string, int, ZoneKeyLess>;

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool valid = true;  // false when the value does not fit an int (degenerate calibration)
};

struct GamePoint {
    float x = 0.0f;
    float y = 0.0f;
    bool valid = true;  // false when the value is not finite
};

}  // namespace tolvik
