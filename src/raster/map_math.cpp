#include "raster/map_math.h"

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

std::uint32_t NextPulseColour(PulseWave& wave) {
    const unsigned c = static_cast<unsigned>(PulseLevel(wave.phase));
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
    const std::int64_t x = static_cast<std::int64_t>(px) + map.imageOffsetX + map.panX;
    const std::int64_t y = static_cast<std::int64_t>(py) + map.imageOffsetY + map.panY;
    if (!FitsView(x) || !FitsView(y)) return false;
    vx = static_cast<int>(x);
    vy = static_cast<int>(y);
    return true;
}

bool GameToView(const CurrentMap& map, float x, float y, int& vx, int& vy) {
    const PixelPoint p = GameToImage(map, x, y);
    return p.valid && ImageToView(map, p.x, p.y, vx, vy);
}

bool ComposedMapSizeAllowed(std::int64_t imageWidth, std::int64_t imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0) return false;
    // Sides beyond any bitmap are refused before they are added to.
    if (imageWidth > kMaxBitmapPixels || imageHeight > kMaxBitmapPixels) return false;
    return BitmapSizeAllowed(imageWidth + kMapMarginWidth, imageHeight + kMapMarginHeight);
}

int ImageOffsetInMap(int mapSize, int imageSize) { return mapSize / 2 - imageSize / 2; }

int CentredPan(int viewSize, int mapSize) { return viewSize / 2 - mapSize / 2; }

bool KeepCentredPan(int viewSize, int imageSize, int mapSize, int imagePixel, int& pan) {
    const std::int64_t p = static_cast<std::int64_t>(viewSize / 2) + imageSize / 2 - mapSize / 2 - imagePixel;
    if (!FitsView(p)) return false;
    pan = static_cast<int>(p);
    return true;
}

int DragPan(int mouse, int start, int startPan, int mapSize, int viewSize) {
    std::int64_t pan = static_cast<std::int64_t>(mouse) - start + startPan;
    if (pan > 0) pan = 0;
    if (pan + mapSize < viewSize) pan = static_cast<std::int64_t>(viewSize) - mapSize;
    return static_cast<int>(pan);
}

Rect StandByTextBox(int width, int height) {
    return Rect{width / 6, height / 6, width - width / 6, height};
}

}  // namespace tolvik
