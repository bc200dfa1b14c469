#include "vector/vector_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "raster/calibration.h"
#include "raster/map_math.h"
#include "vector/height_levels.h"

namespace tolvik {

namespace {

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// One axis of the transform: size − trunc(((max − v) ÷ (max − min)) × size).
bool AxisToPixel(float v, float maxV, float minV, int size, int& out) {
    const float q = (maxV - v) / (maxV - minV);
    int cut = 0;
    if (!TruncToInt(q * static_cast<float>(size), cut)) return false;
    const std::int64_t p = static_cast<std::int64_t>(size) - cut;
    if (p < -kMaxPixelCoordinate || p > kMaxPixelCoordinate) return false;
    out = static_cast<int>(p);
    return true;
}

// The angles of one ring of the spiral, a = 0, 0.01, ... while a <= 6.28,
// with a accumulated in single precision; sine and cosine are taken in
// double precision and kept in single precision. The same for every ring.
struct SpiralAngles {
    static constexpr int kMaxSteps = 640;
    std::array<float, kMaxSteps> sine{};
    std::array<float, kMaxSteps> cosine{};
    int count = 0;

    SpiralAngles() {
        float a = 0.0f;
        while (a <= 6.28f && count < kMaxSteps) {
            sine[count] = static_cast<float>(std::sin(static_cast<double>(a)));
            cosine[count] = static_cast<float>(std::cos(static_cast<double>(a)));
            ++count;
            a = a + 0.01f;
        }
    }
};

const SpiralAngles& Angles() {
    static const SpiralAngles angles;
    return angles;
}

bool OverlapsAny(const std::vector<Rect>& list, std::int64_t l, std::int64_t t, std::int64_t r,
                 std::int64_t b) {
    for (const Rect& o : list) {
        if (std::max<std::int64_t>(l, o.left) < std::min<std::int64_t>(r, o.right) &&
            std::max<std::int64_t>(t, o.top) < std::min<std::int64_t>(b, o.bottom)) {
            return true;
        }
    }
    return false;
}

// IsLabelSpotFree for a rectangle that may lie beyond the int range.
bool SpotFree(const LabelPlacement& p, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    if (l < 0 || t < 0 || r > p.width() || b > p.height()) return false;
    return !p.OverlapsInside(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b));
}

// Cells of at least 32 pixels, and not more than about 64k of them.
constexpr int kMinCellShift = 5;
constexpr std::int64_t kMaxCells = 1 << 16;

}  // namespace

bool VectorBitmapSize(const MapBounds& bounds, int resolution, int& width, int& height) {
    const float dx = std::fabs(bounds.minX - bounds.maxX);
    const float dy = std::fabs(bounds.minY - bounds.maxY);
    int wu = 0;
    int hu = 0;
    if (!TruncToInt(dx, wu) || !TruncToInt(dy, hu)) return false;
    if (wu == 0 || hu == 0) return false;
    std::int64_t w = resolution;
    std::int64_t h = resolution;
    if (wu > hu) {
        h = static_cast<std::int64_t>(resolution) * hu / wu;
    } else {
        w = static_cast<std::int64_t>(resolution) * wu / hu;
    }
    if (w <= 0 || h <= 0) return false;
    // A map bitmap too big to make (a setting nobody can make in the window).
    if (!ComposedMapSizeAllowed(w, h)) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool MapToPixel(const VectorMapSettings& settings, float x, float y, int& px, int& py) {
    const CalibrationPoints& c = settings.working;
    // Logical point 1 holds (max x, max y) and logical point 2 (min x, min y).
    return AxisToPixel(x, c.logicalX1, c.logicalX2, settings.BitmapWidth, px) &&
           AxisToPixel(y, c.logicalY1, c.logicalY2, settings.BitmapHeight, py);
}

bool PassesHeightFilter(const VectorMapSettings& settings, float z1, float z2, float h) {
    if (!settings.UseHeightFilter) return true;
    return WithinHeightBand(LineMiddleHeight(z1, z2), settings.FilterLow, settings.FilterHigh, h);
}

Colour FadedColour(Colour colour, Colour background) {
    const auto mix = [](unsigned c, unsigned b) { return (c + 3 * b) / 4; };
    return MakeColour(mix(RedOf(colour), RedOf(background)), mix(GreenOf(colour), GreenOf(background)),
                      mix(BlueOf(colour), BlueOf(background)));
}

int LabelPoints(const VectorMapSettings& settings, int size) {
    return ClampToInt(static_cast<std::int64_t>(size) + settings.FontAdjust);
}

int LabelFontHeight(int points, int pixelsPerInch) {
    return ClampToInt(-(static_cast<std::int64_t>(points) * pixelsPerInch / 72));
}

LabelPlacement::LabelPlacement(int width, int height, int labelSpacing)
    : width_(width), height_(height), spacing_(labelSpacing) {
    occupied_.reserve(kMaxOccupied);
    if (width_ <= 0 || height_ <= 0) return;
    cellShift_ = kMinCellShift;
    for (;;) {
        columns_ = static_cast<int>(((static_cast<std::int64_t>(width_) - 1) >> cellShift_) + 1);
        rows_ = static_cast<int>(((static_cast<std::int64_t>(height_) - 1) >> cellShift_) + 1);
        if (static_cast<std::int64_t>(columns_) * rows_ <= kMaxCells) break;
        ++cellShift_;
    }
    cells_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_));
}

void LabelPlacement::AddOccupied(const Rect& r) {
    if (occupied_.size() >= static_cast<std::size_t>(kMaxOccupied)) return;
    const int index = static_cast<int>(occupied_.size());
    occupied_.push_back(r);
    // Only the part inside the bitmap can meet a label.
    const int l = std::max(r.left, 0);
    const int t = std::max(r.top, 0);
    const int rr = std::min(r.right, width_);
    const int b = std::min(r.bottom, height_);
    if (l >= rr || t >= b) return;
    for (int row = t >> cellShift_; row <= (b - 1) >> cellShift_; ++row) {
        for (int column = l >> cellShift_; column <= (rr - 1) >> cellShift_; ++column) {
            cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column)]
                .push_back(index);
        }
    }
}

bool LabelPlacement::Overlaps(const Rect& r) const {
    if (r.left >= 0 && r.top >= 0 && r.right <= width_ && r.bottom <= height_) {
        return OverlapsInside(r.left, r.top, r.right, r.bottom);
    }
    return OverlapsAny(occupied_, r.left, r.top, r.right, r.bottom);
}

bool LabelPlacement::OverlapsInside(int left, int top, int right, int bottom) const {
    if (left >= right || top >= bottom) return false;  // an empty rectangle meets nothing
    for (int row = top >> cellShift_; row <= (bottom - 1) >> cellShift_; ++row) {
        for (int column = left >> cellShift_; column <= (right - 1) >> cellShift_; ++column) {
            for (const int index : cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                                          static_cast<std::size_t>(column)]) {
                const Rect& o = occupied_[static_cast<std::size_t>(index)];
                if (std::max(left, o.left) < std::min(right, o.right) &&
                    std::max(top, o.top) < std::min(bottom, o.bottom)) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool IsLabelSpotFree(const LabelPlacement& placement, const Rect& r) {
    return SpotFree(placement, r.left, r.top, r.right, r.bottom);
}

bool PlaceLabel(LabelPlacement& placement, Rect& box, int ax, int ay) {
    const SpiralAngles& angles = Angles();
    const std::int64_t bw = box.right;
    const std::int64_t bh = box.bottom;
    std::int64_t lastX = 99999;
    std::int64_t lastY = 99999;
    float r = static_cast<float>(bh + 10);
    const float ringStep = static_cast<float>(std::max<std::int64_t>(bh, 10));
    const float largerSide = static_cast<float>(std::max(placement.width(), placement.height()));
    for (;;) {
        for (int i = 0; i < angles.count; ++i) {
            // |sin a × r| <= r, far inside the 64-bit range.
            const std::int64_t cx = ax + static_cast<std::int64_t>(angles.sine[i] * r);
            const std::int64_t cy = ay + static_cast<std::int64_t>(angles.cosine[i] * r);
            const std::int64_t dx = lastX > cx ? lastX - cx : cx - lastX;
            const std::int64_t dy = lastY > cy ? lastY - cy : cy - lastY;
            if (dx + dy <= 80) continue;
            lastX = cx;
            lastY = cy;
            if (!SpotFree(placement, cx, cy, cx + bw, cy + bh)) continue;
            // Inside the bitmap, so every side fits an int.
            box = Rect{static_cast<int>(cx), static_cast<int>(cy), static_cast<int>(cx + bw),
                            static_cast<int>(cy + bh)};
            placement.AddOccupied(Rect{box.left, box.top,
                                            ClampToInt(static_cast<std::int64_t>(box.right) + placement.labelSpacing()),
                                            ClampToInt(static_cast<std::int64_t>(box.bottom) + placement.labelSpacing())});
            return true;
        }
        const float next = r + ringStep;
        // A radius too large to grow any more ends the search as well.
        if (!(next <= largerSide) || next == r) return false;
        r = next;
    }
}

}  // namespace tolvik
