// The portable half of a vector map render: which lines and labels are
// drawn, where, and in which order. A sink executes the draw operations
// (with GDI in the program, recorded in tests), in exactly the order they
// come, so the pixels equal drawing each record as it is read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vector/vector_file.h"
#include "vector/vector_layout.h"
#include "base/vector_settings.h"

namespace tolvik {

// A one-pixel line from (x1, y1) to (x2, y2), its last pixel not painted.
struct VectorLineOp {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t colour = 0;
};

// A placed label: leader from the anchor to the box centre (cut at the box),
// a 4 by 4 anchor square, and the text at the box's top-left corner.
struct VectorLabelOp {
    int anchorX = 0, anchorY = 0;
    Rect box;
    std::uint32_t colour = 0;
    int points = 0;  // font size, the adjustment added
    std::string text;
};

class VectorDrawSink {
public:
    virtual ~VectorDrawSink() = default;
    // The map's size is known: makes the canvas of width by height pixels,
    // filled with `background`. False when it cannot be made; then nothing
    // is drawn and the render has no map.
    virtual bool BeginCanvas(int width, int height, Colour background) = 0;
    virtual void DrawLine(const VectorLineOp& line) = 0;
    virtual void DrawLabel(const VectorLabelOp& label) = 0;
};

// The whole render of the map with `basePath` for the player height
// `playerHeight`: measures the map, sizes the canvas, runs the drawing pass
// into `sink` and leaves the size in BitmapWidth/BitmapHeight and the
// game-coordinate calibration (logical point 1 = (−min x, −min y), 2 =
// (−max x, −max y)) in the working calibration.
//
// The drawing pass goes through the shown layers in order and draws each
// record as it is read: the lines that pass the height filter and the labels
// that match the search text. With FadeOtherLevels (and the filter on), the
// lines the filter hides come first, all of them, in their faded colours.
// With the filter on, `settings.levels` keeps the lines' middle heights.
//
// False (nothing drawn, `levels` empty) when the map does not exist: no
// readable file, no area, a side below one pixel, or no canvas.
bool PlanVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                   TextMeasurer& measurer, VectorDrawSink& sink, const VectorFileOpener& open = OpenVectorMapFile);

}  // namespace tolvik
