#include "raster/calibration.h"

#include <cmath>
#include <cstdint>

namespace tolvik {

bool TruncToInt(float v, int& out) {
    out = 0;
    // Every float in [-2^31, 2^31) truncates to a value that fits; NaN fails both tests.
    if (!(v >= -2147483648.0f && v < 2147483648.0f)) return false;
    out = static_cast<int>(v);
    return true;
}

namespace {

// a + b when the sum fits an int.
bool AddFits(int a, int b, int& out) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum < INT32_MIN || sum > INT32_MAX) {
        out = 0;
        return false;
    }
    out = static_cast<int>(sum);
    return true;
}

}  // namespace

PixelPoint GameToImage(const CurrentMap& map, float x, float y) {
    PixelPoint p;
    if (!map.calibrated) return p;
    const CalibrationPoints& c = map.points;
    const float sx = (static_cast<float>(c.physicalX1) - static_cast<float>(c.physicalX2)) / (c.logicalX1 - c.logicalX2);
    const float sy = (static_cast<float>(c.physicalY1) - static_cast<float>(c.physicalY2)) / (c.logicalY1 - c.logicalY2);
    const float fx = sx * (x - c.logicalX1);
    const float fy = (y - c.logicalY1) * sy;
    int tx = 0, ty = 0;
    p.valid = TruncToInt(fx, tx) && TruncToInt(fy, ty) && AddFits(c.physicalX1, tx, p.x) &&
              AddFits(c.physicalY1, ty, p.y);
    if (!p.valid) p.x = p.y = 0;
    return p;
}

GamePoint ViewToGame(const CurrentMap& map, int vx, int vy) {
    GamePoint g;
    if (!map.calibrated) return g;
    const CalibrationPoints& c = map.points;
    // The sums are formed wide so that odd stored values cannot overflow.
    const std::int64_t ox = static_cast<std::int64_t>(map.panX) + map.imageOffsetX + c.physicalX1;
    const std::int64_t oy = static_cast<std::int64_t>(map.panY) + map.imageOffsetY + c.physicalY1;
    const float kx = (c.logicalX1 - c.logicalX2) / (static_cast<float>(c.physicalX1) - static_cast<float>(c.physicalX2));
    const float ky = (c.logicalY1 - c.logicalY2) / (static_cast<float>(c.physicalY1) - static_cast<float>(c.physicalY2));
    g.x = c.logicalX1 + kx * (static_cast<float>(vx) - static_cast<float>(ox));
    g.y = c.logicalY1 + (static_cast<float>(vy) - static_cast<float>(oy)) * ky;
    g.valid = std::isfinite(g.x) && std::isfinite(g.y);
    if (!g.valid) g.x = g.y = 0.0f;
    return g;
}

}  // namespace tolvik
