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


// The map rendered again at another scale, kept as its draw operations in
// pixels of the scaled map (width x height), so that any part of it can be
// drawn without reading the files again. Lines stay one pixel wide and
// labels keep their point size; labels are placed on the scaled map.
struct ScaledVectorPlan {
    int width = 0;   // the scaled map
    int height = 0;
    int baseWidth = 0;  // the render at MapResolution that it scales
    int baseHeight = 0;
    std::vector<VectorLineOp> lines;
    std::vector<VectorLabelOp> labels;
    std::vector<std::size_t> linesBeforeLabel;  // for each label, the lines drawn before it
};

// Records a render's operations into `plan`: the canvas size as the scaled
// map's size, every line and label in drawing order.
class ScaledPlanRecorder : public VectorDrawSink {
public:
    explicit ScaledPlanRecorder(ScaledVectorPlan& plan) : plan_(plan) {}
    bool BeginCanvas(int width, int height, Colour background) override;
    void DrawLine(const VectorLineOp& line) override;
    void DrawLabel(const VectorLabelOp& label) override;

private:
    ScaledVectorPlan& plan_;
};

// The render of PlanVectorMap with a canvas `scale` times the size of a
// render at MapResolution (rounded, at least one pixel); at 1 it is
// PlanVectorMap. `baseWidth`/`baseHeight` receive the unscaled size.
bool PlanVectorMapScaled(VectorMapSettings& settings, const std::string& basePath, float playerHeight, double scale,
                          TextMeasurer& measurer, VectorDrawSink& sink, int& baseWidth, int& baseHeight,
                          const VectorFileOpener& open = OpenVectorMapFile);

// Plans the map at `scale` into `plan`. `settings` is taken as a copy: the
// last render's state is not touched. False when the map does not exist.
bool PlanScaledVectorMap(VectorMapSettings settings, const std::string& basePath, float playerHeight, double scale,
                         TextMeasurer& measurer, ScaledVectorPlan& plan,
                         const VectorFileOpener& open = OpenVectorMapFile);

// Sends the plan's operations that reach into `clip` (plan pixels, right and
// bottom exclusive) to `sink`, in drawing order.
void ReplayScaledVectorPlan(const ScaledVectorPlan& plan, const Rect& clip, VectorDrawSink& sink);

}  // namespace tolvik
