// The map being shown: its two-point calibration between picture pixels and
// game coordinates, its placement and its pan.
#pragma once

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
};

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
