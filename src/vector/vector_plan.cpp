#include "vector/vector_plan.h"

#include <algorithm>
#include <memory>

#include "vector/height_levels.h"

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

bool PlanVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight,
                   TextMeasurer& measurer, VectorDrawSink& sink, const VectorFileOpener& open) {
    ResetHeightLevels(settings.levels, playerHeight);
    if (!MeasureVectorMap(settings, basePath, open)) return false;
    int width = 0;
    int height = 0;
    if (!VectorBitmapSize(WorkingBounds(settings.working), settings.MapResolution, width, height)) return false;
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

}  // namespace tolvik
