#include "vector/vector_plan.h"

#include <algorithm>
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

}  // namespace tolvik
