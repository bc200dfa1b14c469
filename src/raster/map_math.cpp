#include "raster/map_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "base/picture_header.h"

namespace tolvik {

namespace {

bool FitsView(std::int64_t v) { return v >= -kMaxViewCoordinate && v <= kMaxViewCoordinate; }

}  // namespace

int DiscRadius(std::uint32_t tick) {
    const float f = static_cast<float>(tick % 1024u) / 1023.0f;
    const float r = (1.01f - f) * 8.0f + 2.0f;
    return static_cast<int>(r);
}

int ReturnDiscRed(int slot) { return 255 - slot * 255 / 24; }

PulseWave StartPulseWave(std::uint32_t tick, int channel) {
    PulseWave wave;
    wave.phase = static_cast<float>((tick / 50u) % 1000u) * 0.5f;
    wave.channel = channel;
    return wave;
}

int PulseLevel(float phase) {
    const float s = static_cast<float>(std::sin(static_cast<double>(phase)));
    const float scaled = -128.0f * s;  // within [-128, 128]
    const int value = 127 - static_cast<int>(scaled);
    return value & 0xFF;
}

namespace {

// The wave's level at the phases paths meet, worked out once: a path starts
// at a multiple of one half from 0 to 499.5 and steps down by one half a
// pixel, and a sine for every pixel was a good part of the cost of drawing a
// long trail. Half steps from kHighestHalfStep down to kLowestHalfStep.
constexpr int kHighestHalfStep = 999;
constexpr int kLowestHalfStep = -16384;

struct PulseLevels {
    std::array<std::uint8_t, kHighestHalfStep - kLowestHalfStep + 1> level{};
    PulseLevels() {
        for (int k = kLowestHalfStep; k <= kHighestHalfStep; ++k) {
            const int value = PulseLevel(0.5f * static_cast<float>(k));
            level[static_cast<size_t>(k - kLowestHalfStep)] = static_cast<std::uint8_t>(value);
        }
    }
};

int PulseLevelAlongPath(float phase) {
    static const PulseLevels levels;
    const float halfSteps = 2.0f * phase;  // exact
    if (halfSteps >= kLowestHalfStep && halfSteps <= kHighestHalfStep) {
        const int k = static_cast<int>(halfSteps);
        if (static_cast<float>(k) == halfSteps) return levels.level[static_cast<size_t>(k - kLowestHalfStep)];
    }
    return PulseLevel(phase);
}

}  // namespace

std::uint32_t NextPulseColour(PulseWave& wave) {
    const unsigned c = static_cast<unsigned>(PulseLevelAlongPath(wave.phase));
    wave.phase = wave.phase - 0.5f;
    switch (wave.channel) {
        case 0: return MakeColour(0, c, 0);
        case 1: return MakeColour(0, 0, c);
        default: return MakeColour(c, 0, 0);
    }
}

void SkipPulsePixels(PulseWave& wave, std::int64_t pixels) {
    // Steps of one half are exact while the phase stays below 2^23, so one
    // subtraction gives what the single steps would.
    wave.phase = static_cast<float>(static_cast<double>(wave.phase) - 0.5 * static_cast<double>(pixels));
}

std::int64_t SegmentPixelCount(int x0, int y0, int x1, int y1) {
    const std::int64_t dx = std::llabs(static_cast<std::int64_t>(x1) - x0);
    const std::int64_t dy = std::llabs(static_cast<std::int64_t>(y1) - y0);
    return dx > dy ? dx : dy;
}

bool HasHeading(float dx, float dy) { return std::fabs(dx) > 1e-9 || std::fabs(dy) > 1e-9; }

bool HeadingLineEnd(int x, int y, float dx, float dy, int& endX, int& endY) {
    int ox = 0, oy = 0;
    if (!TruncToInt(10.0f * dx, ox) || !TruncToInt(10.0f * dy, oy)) return false;
    const std::int64_t ex = static_cast<std::int64_t>(x) - ox;
    const std::int64_t ey = static_cast<std::int64_t>(y) - oy;
    if (!FitsView(ex) || !FitsView(ey)) return false;
    endX = static_cast<int>(ex);
    endY = static_cast<int>(ey);
    return true;
}

bool ImageToView(const CurrentMap& map, int px, int py, int& vx, int& vy) {
    const std::int64_t x = MapPixelToView(map.panX, static_cast<std::int64_t>(px) + map.imageOffsetX, map.zoomStep);
    const std::int64_t y = MapPixelToView(map.panY, static_cast<std::int64_t>(py) + map.imageOffsetY, map.zoomStep);
    if (!FitsView(x) || !FitsView(y)) return false;
    vx = static_cast<int>(x);
    vy = static_cast<int>(y);
    return true;
}

namespace {

// Zoomed: the view pixel of reference point 1 plus the calibration's offset
// scaled by z and truncated, for the given pans.
bool ZoomedGameToView(const CurrentMap& map, std::int64_t panX, std::int64_t panY, float x, float y,
                      std::int64_t& vx, std::int64_t& vy) {
    const CalibrationPoints& c = map.points;
    const PictureOffset f = GameOffsetInPicture(c, x, y);
    const double z = ZoomFactor(map.zoomStep);
    const double ox = std::trunc(z * static_cast<double>(f.x));
    const double oy = std::trunc(z * static_cast<double>(f.y));
    const double limit = 4.0 * static_cast<double>(kMaxViewCoordinate);  // NaN fails too
    if (!(std::fabs(ox) <= limit && std::fabs(oy) <= limit)) return false;
    vx = MapPixelToView(panX, static_cast<std::int64_t>(map.imageOffsetX) + c.physicalX1, map.zoomStep) +
         static_cast<std::int64_t>(ox);
    vy = MapPixelToView(panY, static_cast<std::int64_t>(map.imageOffsetY) + c.physicalY1, map.zoomStep) +
         static_cast<std::int64_t>(oy);
    return FitsView(vx) && FitsView(vy);
}

int ClampToInt(double v) {
    return static_cast<int>(std::clamp(v, -static_cast<double>(kMaxViewCoordinate) * 16.0,
                                       static_cast<double>(kMaxViewCoordinate) * 16.0));
}

}  // namespace

bool GameToView(const CurrentMap& map, float x, float y, int& vx, int& vy) {
    if (map.zoomStep == 0 || !map.calibrated) {
        const PixelPoint p = GameToImage(map, x, y);
        return p.valid && ImageToView(map, p.x, p.y, vx, vy);
    }
    std::int64_t wx = 0, wy = 0;
    if (!ZoomedGameToView(map, map.panX, map.panY, x, y, wx, wy)) return false;
    vx = static_cast<int>(wx);
    vy = static_cast<int>(wy);
    return true;
}

PixelPoint ViewToImage(const CurrentMap& map, int vx, int vy) {
    const double z = ZoomFactor(map.zoomStep);
    // The map pixel under the centre of the view pixel, less the image offset.
    const double x = std::floor((static_cast<double>(vx) - map.panX + 0.5) / z) - map.imageOffsetX;
    const double y = std::floor((static_cast<double>(vy) - map.panY + 0.5) / z) - map.imageOffsetY;
    PixelPoint p;
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
        p.valid = false;
        return p;
    }
    p.x = static_cast<int>(x);
    p.y = static_cast<int>(y);
    return p;
}

bool ComposedMapSizeAllowed(std::int64_t imageWidth, std::int64_t imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0) return false;
    // Sides beyond any bitmap are refused before they are added to.
    if (imageWidth > kMaxBitmapPixels || imageHeight > kMaxBitmapPixels) return false;
    return BitmapSizeAllowed(imageWidth + kMapMarginWidth, imageHeight + kMapMarginHeight);
}

int ImageOffsetInMap(int mapSize, int imageSize) { return mapSize / 2 - imageSize / 2; }

int ScaledLength(int length, int step) {
    if (step == 0) return length;
    return ClampToInt(std::floor(ZoomFactor(step) * length));
}

int CentredPan(int viewSize, int mapSize, int step) { return viewSize / 2 - ScaledLength(mapSize, step) / 2; }

bool KeepCentredPan(const CurrentMap& map, int viewWidth, int viewHeight, float x, float y, int& panX, int& panY) {
    // The position's view pixel while the pans are 0.
    std::int64_t vx = 0, vy = 0;
    if (map.zoomStep == 0) {
        const PixelPoint p = GameToImage(map, x, y);
        if (!p.valid) return false;
        vx = static_cast<std::int64_t>(p.x) + map.imageOffsetX;
        vy = static_cast<std::int64_t>(p.y) + map.imageOffsetY;
    } else if (!ZoomedGameToView(map, 0, 0, x, y, vx, vy)) {
        return false;
    }
    const std::int64_t px = static_cast<std::int64_t>(viewWidth / 2) - vx;
    const std::int64_t py = static_cast<std::int64_t>(viewHeight / 2) - vy;
    if (!FitsView(px) || !FitsView(py)) return false;
    panX = static_cast<int>(px);
    panY = static_cast<int>(py);
    return true;
}

int DragPan(int mouse, int start, int startPan, int mapSize, int viewSize, int step) {
    const std::int64_t size = ScaledLength(mapSize, step);
    std::int64_t pan = static_cast<std::int64_t>(mouse) - start + startPan;
    if (step != 0 && size < viewSize) return static_cast<int>(std::clamp<std::int64_t>(pan, 0, viewSize - size));
    if (pan > 0) pan = 0;
    if (pan + size < viewSize) pan = static_cast<std::int64_t>(viewSize) - size;
    return static_cast<int>(pan);
}

int ZoomAnchorPan(int pan, double& exact, int anchor, int fromStep, int toStep) {
    if (fromStep == toStep) return pan;
    const double from = std::floor(exact + 0.5) == pan ? exact : static_cast<double>(pan);
    const double centre = static_cast<double>(anchor) + 0.5;
    const double m = (centre - from) / ZoomFactor(fromStep);  // map coordinate under the anchor
    exact = std::clamp(centre - ZoomFactor(toStep) * m, -static_cast<double>(kMaxViewCoordinate) * 16.0,
                       static_cast<double>(kMaxViewCoordinate) * 16.0);
    return static_cast<int>(std::floor(exact + 0.5));
}

bool ZoomAbout(CurrentMap& map, int toStep, int anchorX, int anchorY) {
    toStep = std::clamp(toStep, kMinZoomStep, kMaxZoomStep);
    if (toStep == map.zoomStep) return false;
    map.panX = ZoomAnchorPan(map.panX, map.zoomPanX, anchorX, map.zoomStep, toStep);
    map.panY = ZoomAnchorPan(map.panY, map.zoomPanY, anchorY, map.zoomStep, toStep);
    map.zoomStep = toStep;
    return true;
}

int WheelNotches(int& remainder, int delta) {
    if ((delta > 0 && remainder < 0) || (delta < 0 && remainder > 0)) remainder = 0;
    const std::int64_t total = static_cast<std::int64_t>(remainder) + delta;
    const std::int64_t notches = total / 120;
    remainder = static_cast<int>(total - notches * 120);
    return static_cast<int>(std::clamp<std::int64_t>(notches, -1000000, 1000000));
}

int StepZoom(int step, int notches) {
    const std::int64_t next = static_cast<std::int64_t>(std::clamp(step, kMinZoomStep, kMaxZoomStep)) + notches;
    return static_cast<int>(std::clamp<std::int64_t>(next, kMinZoomStep, kMaxZoomStep));
}

bool VisibleMapSpan(int pan, int mapSize, int viewSize, int step, VisibleSpan& span) {
    const double z = ZoomFactor(step);
    const double first = std::max(0.0, std::floor(-static_cast<double>(pan) / z));
    const double last = std::min(static_cast<double>(mapSize), std::ceil((static_cast<double>(viewSize) - pan) / z));
    if (!(first < last)) return false;
    const double viewFirst = std::floor(pan + z * first + 0.5);
    const double viewLast = std::floor(pan + z * last + 0.5);
    if (!(viewFirst < viewLast)) return false;
    span.first = static_cast<int>(first);
    span.count = static_cast<int>(last - first);
    span.viewFirst = static_cast<int>(viewFirst);
    span.viewCount = static_cast<int>(viewLast - viewFirst);
    return true;
}

Rect StandByTextBox(int width, int height) {
    return Rect{width / 6, height / 6, width - width / 6, height};
}

}  // namespace tolvik
