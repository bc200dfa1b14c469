#include "vector/vector_plan.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tolvik {

namespace {

// Text extents are kept well inside the int range so that box sides and
// sums cannot overflow.
int SaneExtent(int v) { return std::clamp(v, 0, 1 << 29); }

int LayerFlag(const VectorMapSettings& s, int layer) {
    switch (layer) {
        case 0: return s.ShowBase;
        case 1: return s.ShowLayer1;
        case 2: return s.ShowLayer2;
        default: return s.ShowLayer3;
    }
}

class DrawingPass : public VectorRecordVisitor {
public:
    DrawingPass(const VectorMapSettings& settings, float playerHeight, TextMeasurer& measurer, VectorDrawSink& sink)
        : settings_(settings), height_(playerHeight), measurer_(measurer), sink_(sink), placement_(settings) {}

    void OnLine(const VectorLineRecord& line) override {
        if (LayoutVectorLine(settings_, line, height_, lineOp_)) sink_.DrawLine(lineOp_);
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
    LabelPlacement placement_;
    VectorLineOp lineOp_;
    VectorLabelOp labelOp_;
};

}  // namespace

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

bool LayoutVectorLine(const VectorMapSettings& settings, const VectorLineRecord& line, float playerHeight,
                      VectorLineOp& out) {
    if (!PassesHeightFilter(settings, line.z1, line.z2, playerHeight)) return false;
    if (!MapToPixel(settings, line.x1, line.y1, out.x1, out.y1)) return false;
    if (!MapToPixel(settings, line.x2, line.y2, out.x2, out.y2)) return false;
    out.colour = line.colour;
    return true;
}

void RunVectorDrawingPass(const VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                          TextMeasurer& measurer, VectorDrawSink& sink, const VectorFileOpener& open) {
    DrawingPass pass(settings, playerHeight, measurer, sink);
    for (int layer = 0; layer < kVectorLayerCount; ++layer) {
        if (!LayerFlag(settings, layer)) continue;
        std::unique_ptr<ByteStream> in = open(VectorMapFilePath(basePath, layer));
        if (!in) continue;
        ReadVectorRecords(*in, settings.ShowLabels != 0, pass);
    }
}

bool SizeVectorMap(VectorMapSettings& settings, const std::string& basePath, int& width, int& height,
                   const VectorFileOpener& open) {
    if (!MeasureVectorMap(settings, basePath, open)) return false;
    return VectorBitmapSize(WorkingBounds(settings.working), settings.MapResolution, width, height);
}

void BeginVectorDrawing(VectorMapSettings& settings, int width, int height) {
    settings.BitmapWidth = width;
    settings.BitmapHeight = height;
    settings.working.physicalX1 = 0;
    settings.working.physicalY1 = 0;
    settings.working.physicalX2 = width;
    settings.working.physicalY2 = height;
}

void FinishVectorRender(VectorMapSettings& settings) {
    const MapBounds b = WorkingBounds(settings.working);
    settings.working.logicalX1 = -b.minX;
    settings.working.logicalY1 = -b.minY;
    settings.working.logicalX2 = -b.maxX;
    settings.working.logicalY2 = -b.maxY;
}

bool PlanVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                   TextMeasurer& measurer, VectorDrawSink& sink, const VectorFileOpener& open) {
    int width = 0;
    int height = 0;
    if (!SizeVectorMap(settings, basePath, width, height, open)) return false;
    BeginVectorDrawing(settings, width, height);
    RunVectorDrawingPass(settings, basePath, playerHeight, measurer, sink, open);
    FinishVectorRender(settings);
    return true;
}


namespace {

// Keeps the operations of a drawing pass.
class PlanRecorder : public VectorDrawSink {
public:
    explicit PlanRecorder(ScaledVectorPlan& plan) : plan_(plan) {}
    void DrawLine(const VectorLineOp& line) override { plan_.lines.push_back(line); }
    void DrawLabel(const VectorLabelOp& label) override {
        plan_.labels.push_back(label);
        plan_.linesBeforeLabel.push_back(plan_.lines.size());
    }

private:
    ScaledVectorPlan& plan_;
};

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

bool BeginScaledVectorPlan(VectorMapSettings& settings, const std::string& basePath, double scale,
                           ScaledVectorPlan& plan, const VectorFileOpener& open) {
    plan = ScaledVectorPlan{};
    int width = 0;
    int height = 0;
    if (!SizeVectorMap(settings, basePath, width, height, open)) return false;
    const auto scaled = [scale](int side) {
        const double v = std::floor(static_cast<double>(side) * scale + 0.5);
        return static_cast<int>(std::clamp(v, 1.0, static_cast<double>(kMaxPixelCoordinate)));
    };
    plan.baseWidth = width;
    plan.baseHeight = height;
    plan.width = scaled(width);
    plan.height = scaled(height);
    BeginVectorDrawing(settings, plan.width, plan.height);
    return true;
}

void FillScaledVectorPlan(const VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                          TextMeasurer& measurer, ScaledVectorPlan& plan, const VectorFileOpener& open) {
    PlanRecorder recorder(plan);
    RunVectorDrawingPass(settings, basePath, playerHeight, measurer, recorder, open);
}

bool PlanScaledVectorMap(VectorMapSettings settings, const std::string& basePath, float playerHeight, double scale,
                         TextMeasurer& measurer, ScaledVectorPlan& plan, const VectorFileOpener& open) {
    if (!BeginScaledVectorPlan(settings, basePath, scale, plan, open)) return false;
    FillScaledVectorPlan(settings, basePath, playerHeight, measurer, plan, open);
    return true;
}

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
