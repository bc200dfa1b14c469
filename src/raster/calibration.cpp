#include "raster/calibration.h"

#include <algorithm>
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

PictureOffset GameOffsetInPicture(const CalibrationPoints& c, float x, float y) {
    const float sx = (static_cast<float>(c.physicalX1) - static_cast<float>(c.physicalX2)) / (c.logicalX1 - c.logicalX2);
    const float sy = (static_cast<float>(c.physicalY1) - static_cast<float>(c.physicalY2)) / (c.logicalY1 - c.logicalY2);
    return PictureOffset{sx * (x - c.logicalX1), (y - c.logicalY1) * sy};
}

PixelPoint GameToImage(const CurrentMap& map, float x, float y) {
    PixelPoint p;
    if (!map.calibrated) return p;
    const CalibrationPoints& c = map.points;
    const PictureOffset f = GameOffsetInPicture(c, x, y);
    int tx = 0, ty = 0;
    p.valid = TruncToInt(f.x, tx) && TruncToInt(f.y, ty) && AddFits(c.physicalX1, tx, p.x) &&
              AddFits(c.physicalY1, ty, p.y);
    if (!p.valid) p.x = p.y = 0;
    return p;
}

double ZoomFactor(int step) {
    step = std::clamp(step, kMinZoomStep, kMaxZoomStep);
    // Powers of 5/4 are exact in double; the negative ones are one rounding away.
    double z = 1.0;
    for (int i = 0; i < (step < 0 ? -step : step); ++i) z *= 1.25;
    return step < 0 ? 1.0 / z : z;
}

std::int64_t MapPixelToView(std::int64_t pan, std::int64_t m, int step) {
    if (step == 0) return pan + m;
    return pan + static_cast<std::int64_t>(std::floor(ZoomFactor(step) * (static_cast<double>(m) + 0.5)));
}

GamePoint ViewToGame(const CurrentMap& map, int vx, int vy) {
    GamePoint g;
    if (!map.calibrated) return g;
    const CalibrationPoints& c = map.points;
    // View pixel of reference point 1 (pan + offset + physical point at the
    // actual size); the sums are formed wide so that odd stored values cannot
    // overflow.
    const std::int64_t ox = MapPixelToView(map.panX, static_cast<std::int64_t>(map.imageOffsetX) + c.physicalX1, map.zoomStep);
    const std::int64_t oy = MapPixelToView(map.panY, static_cast<std::int64_t>(map.imageOffsetY) + c.physicalY1, map.zoomStep);
    const float kx = (c.logicalX1 - c.logicalX2) / (static_cast<float>(c.physicalX1) - static_cast<float>(c.physicalX2));
    const float ky = (c.logicalY1 - c.logicalY2) / (static_cast<float>(c.physicalY1) - static_cast<float>(c.physicalY2));
    // View pixels back to picture pixels: divided by z (by 1 at the actual size, which changes nothing).
    const double z = ZoomFactor(map.zoomStep);
    const float dx = static_cast<float>(static_cast<double>(static_cast<float>(vx) - static_cast<float>(ox)) / z);
    const float dy = static_cast<float>(static_cast<double>(static_cast<float>(vy) - static_cast<float>(oy)) / z);
    g.x = c.logicalX1 + kx * dx;
    g.y = c.logicalY1 + dy * ky;
    g.valid = std::isfinite(g.x) && std::isfinite(g.y);
    if (!g.valid) g.x = g.y = 0.0f;
    return g;
}

}  // namespace tolvik
