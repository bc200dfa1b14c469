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
    virtual void DrawLine(const VectorLineOp& line) = 0;
    virtual void DrawLabel(const VectorLabelOp& label) = 0;
};

// Steps of a label before anything is drawn: its anchor, the anchor box in
// the Occupied List, its measure and its place. False when it has no place
// (then only the anchor box was recorded) or its anchor is beyond the
// pixel range (then nothing was recorded).
bool LayoutVectorLabel(LabelPlacement& placement, const VectorMapSettings& settings,
                       const VectorPointRecord& point, TextMeasurer& measurer, VectorLabelOp& out);

// The line of an L record in pixels; false when it is not drawn (height
// filter, or an end beyond the pixel range).
bool LayoutVectorLine(const VectorMapSettings& settings, const VectorLineRecord& line, float playerHeight,
                      VectorLineOp& out);

// The drawing pass: the shown layers in order, each record as it is read.
// Expects BitmapWidth, BitmapHeight and the working calibration of the
// current render; starts with an empty Occupied List.
void RunVectorDrawingPass(const VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                          TextMeasurer& measurer, VectorDrawSink& sink,
                          const VectorFileOpener& open = OpenVectorMapFile);

// Measures the map and works out the bitmap size; false when there is no
// map (no readable file, no area, a side below one pixel). Leaves the Map
// Bounds in the working calibration.
bool SizeVectorMap(VectorMapSettings& settings, const std::string& basePath, int& width, int& height,
                   const VectorFileOpener& open = OpenVectorMapFile);

// Records the size of the bitmap about to be drawn: BitmapWidth,
// BitmapHeight and the working calibration's physical points.
void BeginVectorDrawing(VectorMapSettings& settings, int width, int height);

// After drawing: the working calibration becomes the game-coordinate
// calibration (logical point 1 = (−min x, −min y), 2 = (−max x, −max y)).
void FinishVectorRender(VectorMapSettings& settings);

// The whole render without a bitmap: size, drawing pass into `sink`,
// calibration. False (nothing drawn) when the map does not exist.
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

// Plans the map at `scale` times the size a render at MapResolution has
// (rounded, at least one pixel). `settings` is taken as a copy: the last
// render's state is not touched. False when the map does not exist.
// The two halves: BeginScaledVectorPlan measures the map and sizes the plan,
// leaving `settings` (a working copy) ready for FillScaledVectorPlan, the
// drawing pass into the plan.
bool BeginScaledVectorPlan(VectorMapSettings& settings, const std::string& basePath, double scale,
                           ScaledVectorPlan& plan, const VectorFileOpener& open = OpenVectorMapFile);
void FillScaledVectorPlan(const VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                          TextMeasurer& measurer, ScaledVectorPlan& plan,
                          const VectorFileOpener& open = OpenVectorMapFile);
bool PlanScaledVectorMap(VectorMapSettings settings, const std::string& basePath, float playerHeight, double scale,
                         TextMeasurer& measurer, ScaledVectorPlan& plan,
                         const VectorFileOpener& open = OpenVectorMapFile);

// Sends the plan's operations that reach into `clip` (plan pixels, right and
// bottom exclusive) to `sink`, in drawing order.
void ReplayScaledVectorPlan(const ScaledVectorPlan& plan, const Rect& clip, VectorDrawSink& sink);

}  // namespace tolvik
