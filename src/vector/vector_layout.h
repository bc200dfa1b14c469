// Geometry of a vector map render: bitmap size, map-to-pixel transform,
// height filter and the spiral search that keeps labels apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vector/vector_file.h"
#include "base/rect.h"
#include "base/vector_settings.h"

namespace tolvik {

// Left, top, right, bottom in pixels; right and bottom exclusive.

// Width and height of a text in pixels.
struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// Measures label texts in the label font of a size (in points, the
// adjustment already added).
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual TextExtent Measure(const std::string& text, int points) = 0;
};

// Pixel coordinates beyond this magnitude are not drawn (the graphics
// system's 28-bit coordinate space).
constexpr int kMaxPixelCoordinate = (1 << 27) - 1;

// The bitmap size for `bounds` at `resolution` pixels on the longer side:
// false when the map has no area (an extent below one unit), an extent does
// not fit a 32-bit integer, a side comes out below one pixel, or the map
// bitmap made from it would be too big.
bool VectorBitmapSize(const MapBounds& bounds, int resolution, int& width, int& height);

// The pixel of the file point (x, y), from BitmapWidth/BitmapHeight and the
// Map Bounds held in the working calibration during a render. False when
// the result lies beyond kMaxPixelCoordinate or does not convert.
bool MapToPixel(const VectorMapSettings& settings, float x, float y, int& px, int& py);

// Whether a line with end heights z1 and z2 is drawn for the player height h.
bool PassesHeightFilter(const VectorMapSettings& settings, float z1, float z2, float h);

// A line of another level: each channel (c + 3 × b) ÷ 4 of the line's colour
// c and the background b, cut toward zero.
Colour FadedColour(Colour colour, Colour background);

// The label size in points after the font adjustment (kept within int).
int LabelPoints(const VectorMapSettings& settings, int size);

// The character height asked of the label font: −trunc(points × dpi ÷ 72),
// negative for a character (not cell) height; kept within int.
int LabelFontHeight(int points, int pixelsPerInch);

constexpr int kMaxOccupied = 1024;

// The bitmap rectangle and the Occupied List of one render.
class LabelPlacement {
public:
    LabelPlacement(int width, int height, int labelSpacing);
    explicit LabelPlacement(const VectorMapSettings& settings)
        : LabelPlacement(settings.BitmapWidth, settings.BitmapHeight, settings.LabelSpacing) {}

    int width() const { return width_; }
    int height() const { return height_; }
    int labelSpacing() const { return spacing_; }
    const std::vector<Rect>& occupied() const { return occupied_; }

    // Adds `r` unless the list is full.
    void AddOccupied(const Rect& r);
    // True when `r` overlaps (with positive area) a rectangle of the list.
    bool Overlaps(const Rect& r) const;
    // The same for a rectangle inside the bitmap rectangle (a quick look-up).
    bool OverlapsInside(int left, int top, int right, int bottom) const;

private:
    int width_;
    int height_;
    int spacing_;
    std::vector<Rect> occupied_;
    // The list's entries by square cells of the bitmap, for quick look-ups:
    // each cell lists the entries that reach into it.
    int cellShift_ = 5;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::vector<int>> cells_;
};

// True when `r` lies inside the bitmap rectangle and overlaps nothing in
// the Occupied List.
bool IsLabelSpotFree(const LabelPlacement& placement, const Rect& r);

// Looks for a place for a label box (its right and bottom are its width and
// height) around the anchor (ax, ay), on a spiral of rings starting bh + 10
// below the anchor. When found, moves `box` there, records it (widened by
// the label spacing) and returns true.
bool PlaceLabel(LabelPlacement& placement, Rect& box, int ax, int ay);

}  // namespace tolvik
