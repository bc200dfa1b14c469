#include "vector/vector_plan.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "vector/height_levels.h"

namespace tolvik {

namespace {

// Text extents are kept well inside the int range so that box sides and
// sums cannot overflow.
int SaneExtent(int v) { return std::clamp(v, 0, 1 << 29); }

// A side of the map at `scale` times its size: rounded, at least one pixel.
int ScaledSide(int side, double scale) {
    const double v = std::floor(static_cast<double>(side) * scale + 0.5);
    return static_cast<int>(std::clamp(v, 1.0, static_cast<double>(kMaxPixelCoordinate)));
}

int LayerFlag(const VectorMapSettings& s, int layer) {
    switch (layer) {
        case 0: return s.ShowBase;
        case 1: return s.ShowLayer1;
        case 2: return s.ShowLayer2;
        default: return s.ShowLayer3;
    }
}

// The line of an L record in pixels, in its colour; false when an end lies
// beyond the pixel range (such a line is never drawn).
bool LineToPixels(const VectorMapSettings& settings, const VectorLineRecord& line, VectorLineOp& out) {
    if (!MapToPixel(settings, line.x1, line.y1, out.x1, out.y1)) return false;
    if (!MapToPixel(settings, line.x2, line.y2, out.x2, out.y2)) return false;
    out.colour = line.colour;
    return true;
}

// Steps of a label before anything is drawn: its anchor, the anchor box in
// the Occupied List, its measure and its place. False when it has no place
// (then only the anchor box was recorded) or its anchor is beyond the pixel
// range (then nothing was recorded).
bool LayoutVectorLabel(LabelPlacement& placement, const VectorMapSettings& settings,
                       const VectorPointRecord& point, TextMeasurer& measurer, VectorLabelOp& out) {
    int ax = 0;
    int ay = 0;
    if (!MapToPixel(settings, point.x, point.y, ax, ay)) return false;
    placement.AddOccupied(Rect{ax - 10, ay - 10, ax + 10, ay + 10});
    const int points = LabelPoints(settings, point.size);
    const TextExtent extent = measurer.Measure(point.label, points);
    Rect box{0, 0, SaneExtent(extent.cx) + 1, SaneExtent(extent.cy) + 1};
    if (!PlaceLabel(placement, box, ax, ay)) return false;
    out.anchorX = ax;
    out.anchorY = ay;
    out.box = box;
    out.colour = point.colour;
    out.points = points;
    out.text = point.label;
    return true;
}

// The lines the height filter hides, faded toward the background.
class FadePass : public VectorRecordVisitor {
public:
    FadePass(const VectorMapSettings& settings, float playerHeight, VectorDrawSink& sink)
        : settings_(settings), height_(playerHeight), sink_(sink) {}

    void OnLine(const VectorLineRecord& line) override {
        if (PassesHeightFilter(settings_, line.z1, line.z2, height_)) return;
        if (!LineToPixels(settings_, line, op_)) return;
        op_.colour = FadedColour(line.colour, settings_.Color);
        sink_.DrawLine(op_);
    }
    void OnPoint(const VectorPointRecord&) override {}

private:
    const VectorMapSettings& settings_;
    float height_;
    VectorDrawSink& sink_;
    VectorLineOp op_;
};

// The lines that pass the filter and the labels that match the search text,
// each as it is read.
class DrawingPass : public VectorRecordVisitor {
public:
    DrawingPass(const VectorMapSettings& settings, float playerHeight, TextMeasurer& measurer, VectorDrawSink& sink,
                HeightLevels* levels)
        : settings_(settings), height_(playerHeight), measurer_(measurer), sink_(sink), levels_(levels),
          placement_(settings) {}

    void OnLine(const VectorLineRecord& line) override {
        if (!LineToPixels(settings_, line, lineOp_)) return;
        if (levels_) AddLineHeight(*levels_, LineMiddleHeight(line.z1, line.z2));
        if (PassesHeightFilter(settings_, line.z1, line.z2, height_)) sink_.DrawLine(lineOp_);
    }

    void OnPoint(const VectorPointRecord& point) override {
        if (!MatchesSearchFilter(point.label, settings_.SearchFilter)) return;
        if (LayoutVectorLabel(placement_, settings_, point, measurer_, labelOp_)) sink_.DrawLabel(labelOp_);
    }

private:
    const VectorMapSettings& settings_;
    float height_;
    TextMeasurer& measurer_;
    VectorDrawSink& sink_;
    HeightLevels* levels_;
    LabelPlacement placement_;
    VectorLineOp lineOp_;
    VectorLabelOp labelOp_;
};

void ReadShownLayers(const VectorMapSettings& settings, const std::string& basePath, const VectorFileOpener& open,
                     bool readPoints, VectorRecordVisitor& visitor) {
    for (int layer = 0; layer < kVectorLayerCount; ++layer) {
        if (!LayerFlag(settings, layer)) continue;
        std::unique_ptr<ByteStream> in = open(VectorMapFilePath(basePath, layer));
        if (!in) continue;
        ReadVectorRecords(*in, readPoints, visitor);
    }
}

}  // namespace

bool PlanVectorMapScaled(VectorMapSettings& settings, const std::string& basePath, float playerHeight, double scale,
                          TextMeasurer& measurer, VectorDrawSink& sink, int& baseWidth, int& baseHeight,
                          const VectorFileOpener& open) {
    ResetHeightLevels(settings.levels, playerHeight);
    if (!MeasureVectorMap(settings, basePath, open)) return false;
    int width = 0;
    int height = 0;
    if (!VectorBitmapSize(WorkingBounds(settings.working), settings.MapResolution, width, height)) return false;
    baseWidth = width;
    baseHeight = height;
    if (scale != 1.0) {
        width = ScaledSide(width, scale);
        height = ScaledSide(height, scale);
    }
    // A canvas the system refuses means no map; the last size stays recorded.
    if (!sink.BeginCanvas(width, height, settings.Color)) return false;

    settings.BitmapWidth = width;
    settings.BitmapHeight = height;
    CalibrationPoints& working = settings.working;
    working.physicalX1 = 0;
    working.physicalY1 = 0;
    working.physicalX2 = width;
    working.physicalY2 = height;

    const bool filtered = settings.UseHeightFilter != 0;
    if (filtered && settings.FadeOtherLevels) {
        FadePass fade(settings, playerHeight, sink);
        ReadShownLayers(settings, basePath, open, false, fade);
    }
    DrawingPass pass(settings, playerHeight, measurer, sink, filtered ? &settings.levels : nullptr);
    ReadShownLayers(settings, basePath, open, settings.ShowLabels != 0, pass);
    SealHeightLevels(settings.levels);

    const MapBounds b = WorkingBounds(working);
    working.logicalX1 = -b.minX;
    working.logicalY1 = -b.minY;
    working.logicalX2 = -b.maxX;
    working.logicalY2 = -b.maxY;
    return true;
}


bool PlanVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                   TextMeasurer& measurer, VectorDrawSink& sink, const VectorFileOpener& open) {
    int baseWidth = 0;
    int baseHeight = 0;
    return PlanVectorMapScaled(settings, basePath, playerHeight, 1.0, measurer, sink, baseWidth, baseHeight, open);
}

bool ScaledPlanRecorder::BeginCanvas(int width, int height, Colour) {
    plan_.width = width;
    plan_.height = height;
    return true;
}

void ScaledPlanRecorder::DrawLine(const VectorLineOp& line) { plan_.lines.push_back(line); }

void ScaledPlanRecorder::DrawLabel(const VectorLabelOp& label) {
    plan_.labels.push_back(label);
    plan_.linesBeforeLabel.push_back(plan_.lines.size());
}

bool PlanScaledVectorMap(VectorMapSettings settings, const std::string& basePath, float playerHeight, double scale,
                         TextMeasurer& measurer, ScaledVectorPlan& plan, const VectorFileOpener& open) {
    plan = ScaledVectorPlan{};
    ScaledPlanRecorder recorder(plan);
    return PlanVectorMapScaled(settings, basePath, playerHeight, scale, measurer, recorder, plan.baseWidth,
                                plan.baseHeight, open);
}

namespace {

bool LineReaches(const VectorLineOp& l, const Rect& clip) {
    return std::max(l.x1, l.x2) >= clip.left && std::min(l.x1, l.x2) < clip.right &&
           std::max(l.y1, l.y2) >= clip.top && std::min(l.y1, l.y2) < clip.bottom;
}

bool LabelReaches(const VectorLabelOp& l, const Rect& clip) {
    // The text box, the leader and the anchor square (two pixels about the anchor).
    return std::max(l.box.right, l.anchorX + 2) > clip.left && std::min(l.box.left, l.anchorX - 2) < clip.right &&
           std::max(l.box.bottom, l.anchorY + 2) > clip.top && std::min(l.box.top, l.anchorY - 2) < clip.bottom;
}

}  // namespace

void ReplayScaledVectorPlan(const ScaledVectorPlan& plan, const Rect& clip, VectorDrawSink& sink) {
    std::size_t line = 0;
    for (std::size_t i = 0; i <= plan.labels.size(); ++i) {
        const std::size_t end = i < plan.labels.size() ? plan.linesBeforeLabel[i] : plan.lines.size();
        for (; line < end && line < plan.lines.size(); ++line) {
            if (LineReaches(plan.lines[line], clip)) sink.DrawLine(plan.lines[line]);
        }
        if (i < plan.labels.size() && LabelReaches(plan.labels[i], clip)) sink.DrawLabel(plan.labels[i]);
    }
}

}  // namespace tolvik
