#include "vector/vector_render_win.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "base/gdi_win.h"
#include "base/image_win.h"
#include "log/zone_names.h"
#include "raster/calibration.h"
#include "vector/follow_height.h"
#include "vector/height_levels.h"

namespace tolvik {

namespace {

// Colours are used as plain RGB values; a high byte from a settings file
// would otherwise select a palette entry.
COLORREF PlainColour(std::uint32_t colour) { return static_cast<COLORREF>(colour & 0x00FFFFFFu); }

int ScreenPixelsPerInch() {
    WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

HFONT CreateLabelFont(int points) {
    LOGFONTA font{};
    font.lfHeight = LabelFontHeight(points, ScreenPixelsPerInch());
    std::strcpy(font.lfFaceName, "Arial");
    return CreateFontIndirectA(&font);
}

// One placed label in `font`: the leader (cut at the box), the 4 by 4 anchor
// square filled with the device context's brush, and the text.
void DrawVectorLabel(HDC dc, const VectorLabelOp& label, HFONT font) {
    const Rect& box = label.box;
    const COLORREF colour = PlainColour(label.colour);
    {
        UniquePen pen(CreatePen(PS_SOLID, 0, colour));
        Selection selected(dc, pen.get());
        // The leader runs towards the box centre and stops at its edge; the
        // clipping in force before (none in a plain render) comes back after.
        SavedDcState clipping(dc);
        ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
        MoveToEx(dc, label.anchorX, label.anchorY, nullptr);
        LineTo(dc, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
        Rectangle(dc, label.anchorX - 2, label.anchorY - 2, label.anchorX + 2, label.anchorY + 2);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    Selection selected(dc, font);
    TextOutA(dc, box.left, box.top, label.text.c_str(), static_cast<int>(label.text.size()));
}

// The drawing plan's canvas in GDI, in one of three kinds: a new DIB
// section in a memory device context (a render), a device context that
// already holds a picture (a zoomed plan painted into a view), or a plan
// that keeps the operations (a render at another scale), where GDI only
// measures. Label texts are measured in the real label fonts. Within the
// render, a line pen is kept while lines of the same colour follow each
// other, and the fonts of the label sizes are kept; neither changes
// anything in the pixels.
class GdiVectorCanvas : public VectorDrawSink, public TextMeasurer {
public:
    // A render into a new bitmap, made by BeginCanvas.
    GdiVectorCanvas() : pixelsPerInch_(ScreenPixelsPerInch()) {}

    // Drawing into `dc`, which holds a picture of width by height pixels.
    GdiVectorCanvas(HDC dc, int width, int height)
        : target_(dc), width_(width), height_(height), pixelsPerInch_(ScreenPixelsPerInch()) {}

    // Keeping the operations in `plan`.
    explicit GdiVectorCanvas(ScaledVectorPlan& plan) : recorder_(plan), pixelsPerInch_(ScreenPixelsPerInch()) {}

    ~GdiVectorCanvas() override {
        ReleasePen();
        fonts_.clear();
        if (previousBitmap_) SelectObject(target_, previousBitmap_);
    }

    bool BeginCanvas(int width, int height, Colour background) override {
        ownDc_.reset(CreateCompatibleDC(nullptr));
        if (!ownDc_) return false;
        target_ = ownDc_.get();
        width_ = width;
        height_ = height;
        if (recorder_) return recorder_->BeginCanvas(width, height, background);
        bitmap_.reset(CreateDib24(width, height));
        if (!bitmap_) return false;
        previousBitmap_ = SelectObject(target_, bitmap_.get());
        RECT all{0, 0, width, height};
        UniqueBrush brush(CreateSolidBrush(PlainColour(background)));
        FillRect(target_, &all, brush.get());
        return true;
    }

    TextExtent Measure(const std::string& text, int points) override {
        // A font taller than twice the bitmap cannot give a label that fits:
        // report that without making such a font.
        const std::int64_t charHeight = std::llabs(static_cast<long long>(LabelFontHeight(points, pixelsPerInch_)));
        const std::int64_t limit = 2 * static_cast<std::int64_t>(width_ > height_ ? width_ : height_) + 16;
        if (charHeight > limit) return TextExtent{0, static_cast<int>(limit)};
        HFONT font = FontFor(points);
        Selection selected(target_, font);
        SIZE size{};
        if (!GetTextExtentPoint32A(target_, text.c_str(), static_cast<int>(text.size()), &size)) return TextExtent{};
        return TextExtent{size.cx, size.cy};
    }

    void DrawLine(const VectorLineOp& line) override {
        if (recorder_) return recorder_->DrawLine(line);
        if (!pen_ || penColour_ != line.colour) {
            ReleasePen();
            pen_.reset(CreatePen(PS_SOLID, 1, PlainColour(line.colour)));
            penColour_ = line.colour;
            previousPen_ = pen_ ? SelectObject(target_, pen_.get()) : nullptr;
        }
        if (!pen_) return;
        MoveToEx(target_, line.x1, line.y1, nullptr);
        LineTo(target_, line.x2, line.y2);
    }

    void DrawLabel(const VectorLabelOp& label) override {
        if (recorder_) return recorder_->DrawLabel(label);
        ReleasePen();
        DrawVectorLabel(target_, label, FontFor(label.points));
    }

    // The finished bitmap, no longer selected; the caller owns it.
    HBITMAP TakeBitmap() {
        ReleasePen();
        if (previousBitmap_) SelectObject(target_, previousBitmap_);
        previousBitmap_ = nullptr;
        return bitmap_.release();
    }

private:
    void ReleasePen() {
        if (previousPen_) SelectObject(target_, previousPen_);
        previousPen_ = nullptr;
        pen_.reset();
    }

    // Labels of a map come in a few sizes; their fonts are kept for the
    // render, at most kKeptFonts of them.
    HFONT FontFor(int points) {
        for (const KeptFont& kept : fonts_) {
            if (kept.points == points) return kept.font.get();
        }
        if (fonts_.size() >= kKeptFonts) fonts_.erase(fonts_.begin());
        fonts_.push_back(KeptFont{points, UniqueFont(CreateLabelFont(points))});
        return fonts_.back().font.get();
    }

    struct KeptFont {
        int points;
        UniqueFont font;
    };
    static constexpr std::size_t kKeptFonts = 8;

    std::optional<ScaledPlanRecorder> recorder_;
    UniqueMemoryDc ownDc_;
    HDC target_ = nullptr;
    UniqueBitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int pixelsPerInch_;
    UniquePen pen_;
    std::uint32_t penColour_ = 0;
    HGDIOBJ previousPen_ = nullptr;
    std::vector<KeptFont> fonts_;
};

}  // namespace

HBITMAP RenderVectorMap(VectorMapSettings& settings, const std::string& basePath, float playerHeight) {
    GdiVectorCanvas canvas;
    if (!PlanVectorMap(settings, basePath, playerHeight, canvas, canvas)) return nullptr;
    return canvas.TakeBitmap();
}

HBITMAP RenderZoneVectorMap(Program& program, const std::string& zone) {
    AppState& app = program.app;
    HBITMAP bitmap = nullptr;
    const float playerHeight = PlayerHeight(app.zones);
    ResetHeightLevels(app.vector.levels, playerHeight);
    std::string shortName;
    ZoomedView& zoom = program.gdi.zoom;
    zoom.vectorBase.clear();
    if (LookupShortZoneName(zone, shortName)) {
        const std::string basePath = app.vectorMapFolder + shortName + ".txt";
        bitmap = RenderVectorMap(app.vector, basePath, playerHeight);
        if (bitmap) {
            zoom.vectorBase = basePath;
            zoom.vectorHeight = playerHeight;
        }
    }
    CalibrationPoints& points = app.map.points;
    if (bitmap) {
        const CalibrationPoints& w = app.vector.working;
        points.physicalX1 = 0;
        points.physicalY1 = 0;
        points.physicalX2 = app.vector.BitmapWidth;
        points.physicalY2 = app.vector.BitmapHeight;
        points.logicalX1 = w.logicalX1;
        points.logicalY1 = w.logicalY1;
        points.logicalX2 = w.logicalX2;
        points.logicalY2 = w.logicalY2;
    } else {
        points = CalibrationPoints{};
    }
    return bitmap;
}

void PaintScaledVectorPlan(HDC dc, const ScaledVectorPlan& plan, std::uint32_t colour, int x, int y,
                           const RECT& clip) {
    SavedDcState saved(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    {
        UniqueBrush background(CreateSolidBrush(PlainColour(colour)));
        FillRect(dc, &clip, background.get());
    }
    SetViewportOrgEx(dc, x, y, nullptr);
    GdiVectorCanvas canvas(dc, plan.width, plan.height);
    ReplayScaledVectorPlan(plan, Rect{clip.left - x, clip.top - y, clip.right - x, clip.bottom - y}, canvas);
}

std::shared_ptr<ScaledVectorPlan> PlanVectorMapAtScale(const VectorMapSettings& settings, const std::string& basePath,
                                                       float playerHeight, double scale) {
    auto plan = std::make_shared<ScaledVectorPlan>();
    VectorMapSettings working = settings;
    GdiVectorCanvas recorder(*plan);
    if (!PlanVectorMapScaled(working, basePath, playerHeight, scale, recorder, recorder, plan->baseWidth,
                              plan->baseHeight)) {
        return nullptr;
    }
    return plan;
}

bool RenderVectorMapAtZoom(Program& program) {
    ZoomedView& zoom = program.gdi.zoom;
    const AppState& app = program.app;
    // The old plan goes first, so that two are never held at once.
    zoom.paintSharp = nullptr;
    zoom.sharpMapSerial = 0;
    if (!app.UseVURavaZiro || zoom.vectorBase.empty() || app.map.zoomStep == 0) return false;
    std::shared_ptr<const ScaledVectorPlan> plan =
        PlanVectorMapAtScale(app.vector, zoom.vectorBase, zoom.vectorHeight, ZoomFactor(app.map.zoomStep));
    // Only a plan of the map being shown (the files may have changed since).
    if (!plan || plan->baseWidth != app.map.imageWidth || plan->baseHeight != app.map.imageHeight) return false;
    const std::uint32_t colour = app.vector.Color;
    zoom.paintSharp = [plan, colour](HDC dc, int x, int y, const RECT& clip) {
        PaintScaledVectorPlan(dc, *plan, colour, x, y, clip);
    };
    zoom.sharpStep = app.map.zoomStep;
    zoom.sharpMapSerial = zoom.mapSerial;
    ++zoom.sharpSerial;
    return true;
}

}  // namespace tolvik
