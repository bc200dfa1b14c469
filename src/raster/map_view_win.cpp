#include "raster/map_view_win.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/gdi_win.h"
#include "base/image_win.h"
#include "base/rect_win.h"
#include "base/window_text_win.h"
#include "log/zone_records.h"
#include "raster/map_math.h"
#include "raster/marks_win.h"
#include "raster/zoom_scale.h"
#include "res/resource.h"

namespace tolvik {

namespace {

// What a pulsing path's pixels need while LineDDA steps along it.
struct PathPainter {
    HDC dc;
    RECT clip;
    PulseWave wave;
    PixelRows memory;
    RECT touched{INT_MAX, INT_MAX, INT_MIN, INT_MIN};  // of the segment's pixels written into memory
};

void CALLBACK PaintPathPixel(int x, int y, LPARAM data) {
    auto* painter = reinterpret_cast<PathPainter*>(data);
    const COLORREF colour = NextPulseColour(painter->wave);
    // Pixels outside the clip box would be dropped anyway; skipping the call saves time.
    if (x < painter->clip.left || x >= painter->clip.right || y < painter->clip.top || y >= painter->clip.bottom) return;
    const PixelRows& memory = painter->memory;
    if (!memory.pixels || x < 0 || y < 0 || x >= memory.width || y >= memory.height) {
        SetPixel(painter->dc, x, y, colour);
        return;
    }
    // One call into the system for each pixel of a long trail costs more
    // than the rest of a frame: pixels go straight into the frame's memory.
    memory.pixels[y * memory.stride + x] =
        static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
        GetBValue(colour);
    RECT& touched = painter->touched;
    touched = RECT{std::min<LONG>(touched.left, x), std::min<LONG>(touched.top, y), std::max<LONG>(touched.right, x + 1),
                   std::max<LONG>(touched.bottom, y + 1)};
}

// Whether the box spanned by two points misses `clip`.
bool SegmentMisses(const POINT& a, const POINT& b, const RECT& clip) {
    return std::max(a.x, b.x) < clip.left || std::min(a.x, b.x) >= clip.right || std::max(a.y, b.y) < clip.top ||
           std::min(a.y, b.y) >= clip.bottom;
}

// The pulsing path over the points whose `drawable` flag is set; segments
// with an end that cannot be drawn are left out.
void DrawPath(HDC dc, const POINT* points, const bool* drawable, int count, int channel, std::uint32_t tick,
              FrameMemory* memory) {
    if (count < 2) return;
    PathPainter painter{dc, RECT{}, StartPulseWave(tick, channel), memory ? memory->pixels : PixelRows{}};
    if (GetClipBox(dc, &painter.clip) == ERROR) return;
    if (painter.memory.pixels) GdiFlush();  // what GDI holds back lands before the memory is written
    for (int k = count - 2; k >= 0; --k) {
        if (!drawable[k] || !drawable[k + 1]) continue;
        const POINT& from = points[k + 1];
        const POINT& to = points[k];
        const std::int64_t pixels = SegmentPixelCount(from.x, from.y, to.x, to.y);
        if (pixels > kMaxPathSegmentPixels || SegmentMisses(from, to, painter.clip)) {
            SkipPulsePixels(painter.wave, pixels);
            continue;
        }
        painter.touched = RECT{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        LineDDA(from.x, from.y, to.x, to.y, PaintPathPixel, reinterpret_cast<LPARAM>(&painter));
        // What went past the DC is known by its box, segment by segment.
        if (memory && painter.touched.left < painter.touched.right) memory->touched.Add(ToRect(painter.touched));
    }
    TakeDrawnBounds(dc, memory);  // pixels set through the DC
}

// Memory DC number `which` (0 or 1) of those kept for the run: a bitmap is
// selected into it for one copy and then let go. (Making a DC each time
// costs the system more than the copy.)
HDC MemoryDc(MapViewBuffers& buffers, int which) {
    UniqueMemoryDc& dc = buffers.scratch[which];
    if (!dc) dc.reset(CreateCompatibleDC(nullptr));
    return dc.get();
}

// Copies the part of the map bitmap that falls into `view`, through `source`.
void CopyMapBitmap(HDC dc, HDC source, const RECT& view, HBITMAP mapBitmap, const SIZE& mapSize, int panX, int panY) {
    const std::int64_t left = std::max<std::int64_t>(panX, view.left);
    const std::int64_t top = std::max<std::int64_t>(panY, view.top);
    const std::int64_t right = std::min<std::int64_t>(static_cast<std::int64_t>(panX) + mapSize.cx, view.right);
    const std::int64_t bottom = std::min<std::int64_t>(static_cast<std::int64_t>(panY) + mapSize.cy, view.bottom);
    // Where the map bitmap does not reach (a view larger than it, or a position
    // kept centred far off the picture) the view shows black.
    if (left > view.left || top > view.top || right < view.right || bottom < view.bottom) {
        PatBlt(dc, view.left, view.top, view.right - view.left, view.bottom - view.top, BLACKNESS);
    }
    if (left >= right || top >= bottom) return;
    Selection selected(source, mapBitmap);
    BitBlt(dc, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
           static_cast<int>(bottom - top), source, static_cast<int>(left - panX), static_cast<int>(top - panY), SRCCOPY);
}

// The pixels of a map bitmap or of the kept zoomed picture (both are made
// 32-bit and top-down: the orientation a DIB section reports cannot be
// trusted); none for another kind of bitmap.
PixelRows MapPixels(HBITMAP bitmap) {
    DIBSECTION section{};
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits ||
        section.dsBm.bmBitsPixel != 32) {
        return {};
    }
    return PixelRows{static_cast<std::uint32_t*>(section.dsBm.bmBits), section.dsBm.bmWidth, section.dsBm.bmHeight,
                     section.dsBm.bmWidthBytes / 4};
}

// The map bitmap at the map's zoom as a view of `view`'s size at pan
// (panX, panY) shows it, into `dc` (whose pixels are `dcPixels` when it is
// a 32-bit top-down bitmap at least the view's size): only its visible part,
// stretched with smoothing; over the image, the sharp picture when there is
// one for this zoom (vector maps rendered at the zoom).
void PaintZoomedMap(HDC dc, const PixelRows& dcPixels, HDC source, const RECT& view, int panX, int panY,
                    const ZoomedView& zoom, bool sharp, HBITMAP mapBitmap, const SIZE& mapSize, const CurrentMap& map) {
    const PixelRows mapPixels = MapPixels(mapBitmap);
    if (map.zoomStep > 0 && dcPixels.pixels && mapPixels.pixels) {
        // Magnified, our own smoothing is many times faster than the system's.
        GdiFlush();
        ScaleSmoothly(mapPixels, ZoomFactor(map.zoomStep), panX, panY, 0, 0, dcPixels);
    } else {
        PatBlt(dc, 0, 0, view.right, view.bottom, BLACKNESS);
        VisibleSpan across, down;
        if (!VisibleMapSpan(panX, mapSize.cx, view.right, map.zoomStep, across) ||
            !VisibleMapSpan(panY, mapSize.cy, view.bottom, map.zoomStep, down)) {
            return;
        }
        Selection selected(source, mapBitmap);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, across.viewFirst, down.viewFirst, across.viewCount, down.viewCount, source, across.first,
                   down.first, across.count, down.count, SRCCOPY);
    }
    if (!sharp) return;
    // The image's part of the view, as the stretched picture has it.
    const double z = ZoomFactor(map.zoomStep);
    const auto edge = [z](int pan, std::int64_t m) {
        return std::clamp(std::floor(pan + z * static_cast<double>(m) + 0.5), -1.0, static_cast<double>(INT32_MAX));
    };
    const RECT image{static_cast<LONG>(edge(panX, map.imageOffsetX)), static_cast<LONG>(edge(panY, map.imageOffsetY)),
                     static_cast<LONG>(edge(panX, static_cast<std::int64_t>(map.imageOffsetX) + map.imageWidth)),
                     static_cast<LONG>(edge(panY, static_cast<std::int64_t>(map.imageOffsetY) + map.imageHeight))};
    RECT clip{};
    if (!IntersectRect(&clip, &image, &view)) return;
    // Image pixel (0, 0) of the sharp picture sits where the centre of the
    // image's first pixel lands, as the markers have it.
    const std::int64_t x = MapPixelToView(panX, map.imageOffsetX, map.zoomStep);
    const std::int64_t y = MapPixelToView(panY, map.imageOffsetY, map.zoomStep);
    if (x < -kMaxViewCoordinate || x > kMaxViewCoordinate || y < -kMaxViewCoordinate || y > kMaxViewCoordinate) return;
    zoom.paintSharp(dc, static_cast<int>(x), static_cast<int>(y), clip);
}

// A magnified picture kept between frames covers the view and this many
// pixels more to the right and below. It is drawn for the pan rounded up to
// a multiple of this, so that a map moving by less than that (the player
// walking with keep-centred on) only shows another part of it. A reduced
// picture, whose halftone stretch costs more per pixel, covers the view only.
int ZoomedMargin(int step) { return step > 0 ? 256 : 0; }

// `pan` rounded up to a multiple of `margin` (itself for none).
std::int64_t ZoomedPicturePan(int pan, int margin) {
    if (margin <= 0) return pan;
    const std::int64_t p = pan;
    const std::int64_t below = p >= 0 ? p / margin : -((-p + margin - 1) / margin);
    return (below + (p % margin != 0 ? 1 : 0)) * margin;
}

// Copies the zoomed map into `dc`, from the picture kept for the same map,
// zoom, rounded pans and view size, or made anew.
void CopyZoomedMap(HDC dc, const RECT& view, Program& program, HBITMAP mapBitmap, const SIZE& mapSize) {
    ZoomedView& zoom = program.gdi.zoom;
    const HDC source = MemoryDc(program.gdi.view, 0);
    const CurrentMap& map = program.app.map;
    const bool sharp = zoom.paintSharp && zoom.sharpStep == map.zoomStep && zoom.sharpMapSerial == zoom.mapSerial;
    const int margin = ZoomedMargin(map.zoomStep);
    const std::int64_t pictureX = ZoomedPicturePan(map.panX, margin);
    const std::int64_t pictureY = ZoomedPicturePan(map.panY, margin);
    const RECT picture{0, 0, view.right + margin, view.bottom + margin};
    if (pictureX > INT32_MAX || pictureY > INT32_MAX) {
        PaintZoomedMap(dc, PixelRows{}, source, view, map.panX, map.panY, zoom, sharp, mapBitmap, mapSize, map);
        return;
    }
    const std::array<std::int64_t, 7> key{zoom.mapSerial, map.zoomStep, pictureX, pictureY, view.right, view.bottom,
                                          sharp ? zoom.sharpSerial : 0};
    const SIZE frameSize = BitmapSize(zoom.frame.get());
    if (frameSize.cx != picture.right || frameSize.cy != picture.bottom) {
        void* bits = nullptr;
        zoom.frame.reset(CreatePixelBitmap(picture.right, picture.bottom, bits));
        zoom.frameKey = {};
    }
    if (!zoom.frame) {
        PaintZoomedMap(dc, PixelRows{}, source, view, map.panX, map.panY, zoom, sharp, mapBitmap, mapSize, map);
        return;
    }
    const HDC frameDc = MemoryDc(program.gdi.view, 1);
    Selection selected(frameDc, zoom.frame.get());
    if (key != zoom.frameKey) {
        PaintZoomedMap(frameDc, MapPixels(zoom.frame.get()), source, picture, static_cast<int>(pictureX),
                       static_cast<int>(pictureY), zoom, sharp, mapBitmap, mapSize, map);
        zoom.frameKey = key;
    }
    // View pixel x shows picture pixel x + (pictureX - panX).
    BitBlt(dc, 0, 0, view.right, view.bottom, frameDc, static_cast<int>(pictureX - map.panX),
           static_cast<int>(pictureY - map.panY), SRCCOPY);
}

void DrawPositions(HDC dc, const CurrentMap& map, const ZoneRecord& record, std::uint32_t tick,
                   FrameMemory* memory) {
    const LocationTrail& trail = record.current;
    const int count = std::clamp(trail.count, 0, LocationTrail::kMaxCount);
    POINT points[LocationTrail::kSlots] = {};
    bool drawable[LocationTrail::kSlots] = {};
    for (int i = count - 1; i >= 0; --i) {
        const Position& p = trail.slots[static_cast<size_t>(i)];
        int vx = 0, vy = 0;
        drawable[i] = GameToView(map, p.x, p.y, vx, vy);
        points[i] = POINT{vx, vy};
        if (i == 0 && drawable[0]) {
            float dx = 0.0f, dy = 0.0f;
            if (count > 1) {
                dx = trail.slots[0].x - trail.slots[1].x;
                dy = trail.slots[0].y - trail.slots[1].y;
            }
            DrawPositionDisc(dc, vx, vy, dx, dy, RGB(0, 255, 0), tick, memory);
        }
    }
    DrawPath(dc, points, drawable, count, 2, tick, memory);

    const LocationTrail& returns = record.returns;
    const int returnCount = std::clamp(returns.count, 0, LocationTrail::kMaxCount);
    for (int n = returnCount - 1; n >= 0; --n) {
        const Position& p = returns.slots[static_cast<size_t>(n)];
        int vx = 0, vy = 0;
        if (!GameToView(map, p.x, p.y, vx, vy)) continue;
        DrawPositionDisc(dc, vx, vy, 0.0f, 0.0f, RGB(ReturnDiscRed(n), 0, 0), tick, memory);
    }
}

void DrawReferencePoint(HDC dc, const CurrentMap& map, int px, int py, COLORREF colour) {
    int vx = 0, vy = 0;
    if (ImageToView(map, px, py, vx, vy)) DrawReferenceSquare(dc, vx, vy, colour);
}

// Keeps the player in the middle of the view while keep-centred is on, and
// turns keep-centred off for a map without calibration.
void FollowPlayer(Program& program, const RECT& view) {
    AppState& app = program.app;
    CurrentMap& map = app.map;
    if (!map.calibrated) {
        app.KeepCentered = 0;
    } else if (app.KeepCentered) {
        const ZoneRecord* record = app.zones.Current();
        const Position here = record ? record->current.slots[0] : Position{};
        KeepCentredPan(map, view.right, view.bottom, here.x, here.y, map.panX, map.panY);
    }
}

// The map as the view shows it, markers left out.
void DrawMapPicture(HDC dc, const RECT& view, Program& program) {
    HBITMAP mapBitmap = program.gdi.mapBitmap.get();
    const SIZE mapSize = BitmapSize(mapBitmap);
    if (mapBitmap && program.app.map.zoomStep != 0) {
        CopyZoomedMap(dc, view, program, mapBitmap, mapSize);
    } else if (mapBitmap) {
        program.gdi.zoom.frame.reset();  // the actual size keeps no zoomed picture
        CopyMapBitmap(dc, MemoryDc(program.gdi.view, 0), view, mapBitmap, mapSize, program.app.map.panX,
                      program.app.map.panY);
    } else {
        PatBlt(dc, 0, 0, view.right, view.bottom, BLACKNESS);
    }
}

// What the map picture of the view depends on.
std::array<std::int64_t, 10> MapPictureKey(const Program& program, const RECT& view) {
    const CurrentMap& map = program.app.map;
    const ZoomedView& zoom = program.gdi.zoom;
    return {reinterpret_cast<std::int64_t>(program.gdi.mapBitmap.get()),
            zoom.mapSerial,
            map.zoomStep,
            map.panX,
            map.panY,
            view.right,
            view.bottom,
            zoom.sharpSerial,
            zoom.sharpStep,
            zoom.sharpMapSerial};
}

// The markers: corpse, waypoint, the player's trail and discs, and with
// `showReferencePoints` the two reference squares.
void DrawMapMarks(HDC dc, Program& program, bool showReferencePoints, std::uint32_t tick,
                  FrameMemory* memory = nullptr) {
    const AppState& app = program.app;
    const CurrentMap& map = app.map;
    const ZoneRecord* record = app.zones.Current();
    if (map.calibrated) DrawZoneMarks(dc, app);
    TakeDrawnBounds(dc, memory);
    if (map.calibrated && record) DrawPositions(dc, map, *record, tick, memory);
    if (showReferencePoints) {
        DrawReferencePoint(dc, map, map.points.physicalX1, map.points.physicalY1, RGB(180, 0, 0));
        TakeDrawnBounds(dc, memory);
        DrawReferencePoint(dc, map, map.points.physicalX2, map.points.physicalY2, RGB(0, 0, 180));
        TakeDrawnBounds(dc, memory);
    }
}

// A buffer of `size` (a 32-bit DIB section, whose memory the trail is
// drawn into) made against `screen`; false when none could be made.
bool MakeViewBuffer(ViewBuffer& buffer, HDC screen, SIZE size) {
    buffer.dc.reset();
    void* bits = nullptr;
    buffer.bitmap.reset(CreatePixelBitmap(size.cx, size.cy, bits));
    buffer.pixels = static_cast<std::uint32_t*>(bits);
    if (buffer.bitmap) buffer.dc.reset(CreateCompatibleDC(screen));
    if (!buffer.dc) return false;
    SelectObject(buffer.dc.get(), buffer.bitmap.get());
    IntersectClipRect(buffer.dc.get(), 0, 0, size.cx, size.cy);
    return true;
}

PixelRows ViewPixels(const ViewBuffer& buffer, SIZE size) {
    return PixelRows{buffer.pixels, static_cast<int>(size.cx), static_cast<int>(size.cy), size.cx};
}

// Puts the picture back under `boxes` of the frame.
void RestorePicture(const MapViewBuffers& buffers, const std::vector<Rect>& boxes) {
    const PixelRows from = ViewPixels(buffers.picture, buffers.size);
    const PixelRows to = ViewPixels(buffers.frame, buffers.size);
    GdiFlush();  // what GDI holds back lands before the memory is written
    for (const Rect& touched : boxes) {
        const Rect box = Intersection(touched, Rect{0, 0, from.width, from.height});
        for (int y = box.top; y < box.bottom; ++y) {
            std::copy_n(from.pixels + y * from.stride + box.left, box.Width(), to.pixels + y * to.stride + box.left);
        }
    }
}

// Copies the frame's `boxes` to the screen, in one copy through the region they make.
void CopyToScreen(HDC screen, HDC frame, const std::vector<Rect>& boxes) {
    if (boxes.empty()) return;
    const Rect all = BoundsOf(boxes);
    bool clipped = false;
    if (boxes.size() > 1) {
        std::vector<std::byte> data(sizeof(RGNDATAHEADER) + boxes.size() * sizeof(RECT));
        auto* region = reinterpret_cast<RGNDATA*>(data.data());
        region->rdh.dwSize = sizeof(RGNDATAHEADER);
        region->rdh.iType = RDH_RECTANGLES;
        region->rdh.nCount = static_cast<DWORD>(boxes.size());
        region->rdh.nRgnSize = static_cast<DWORD>(boxes.size() * sizeof(RECT));
        region->rdh.rcBound = ToRECT(all);
        auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
        for (size_t i = 0; i < boxes.size(); ++i) rects[i] = ToRECT(boxes[i]);
        // Without the region, the box around them all is copied.
        UniqueRegion clip(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
        clipped = clip && SelectClipRgn(screen, clip.get()) != ERROR;
    }
    BitBlt(screen, all.left, all.top, all.Width(), all.Height(), frame, all.left, all.top, SRCCOPY);
    if (clipped) SelectClipRgn(screen, nullptr);
}

// Draws a frame of the Map View into its buffers and copies it to `screen`:
// the whole view, or with `onlyChanges` just what differs from the frame
// before. False when the buffers could not be made.
bool PaintMapViewFrame(HDC screen, const RECT& view, Program& program, bool showReferencePoints, bool onlyChanges) {
    MapViewBuffers& buffers = program.gdi.view;
    const SIZE size{view.right, view.bottom};
    if (!buffers.frame.dc || !buffers.picture.dc || buffers.size.cx != size.cx || buffers.size.cy != size.cy) {
        buffers.pictureValid = false;
        buffers.size = size;
        if (!MakeViewBuffer(buffers.frame, screen, size) || !MakeViewBuffer(buffers.picture, screen, size)) {
            buffers.frame = ViewBuffer{};
            buffers.picture = ViewBuffer{};
            return false;
        }
    }
    const std::uint32_t tick = program.seams.tickCount();
    FollowPlayer(program, view);
    const auto key = MapPictureKey(program, view);
    const bool newPicture = !buffers.pictureValid || key != buffers.pictureKey;
    if (newPicture) {
        DrawMapPicture(buffers.picture.dc.get(), view, program);
        buffers.pictureKey = key;
        buffers.pictureValid = true;
    }
    // The picture under the last markers (or all of it) is put back, the
    // markers drawn with the boxes of what they touch kept.
    const bool whole = newPicture || !onlyChanges;
    HDC frame = buffers.frame.dc.get();
    if (whole) {
        BitBlt(frame, 0, 0, view.right, view.bottom, buffers.picture.dc.get(), 0, 0, SRCCOPY);
    } else {
        RestorePicture(buffers, buffers.marks);
    }
    FrameMemory memory{ViewPixels(buffers.frame, size), {}};
    SetBoundsRect(frame, nullptr, DCB_RESET | DCB_ENABLE);
    // The markers leave the DC's state as they found it. (Saving and restoring
    // it costs more than drawing them: a restore selects the font anew.)
    DrawMapMarks(frame, program, showReferencePoints, tick, &memory);
    TakeDrawnBounds(frame, &memory);
    SetBoundsRect(frame, nullptr, DCB_DISABLE);
    std::vector<Rect> marks;
    const Rect area{0, 0, static_cast<int>(view.right), static_cast<int>(view.bottom)};
    for (const Rect& box : memory.touched.boxes) {
        const Rect inside = Intersection(box, area);
        if (inside.Width() > 0) marks.push_back(inside);
    }
    if (whole) {
        CopyToScreen(screen, frame, {area});
    } else {
        std::vector<Rect> changed = buffers.marks;
        changed.insert(changed.end(), marks.begin(), marks.end());
        CopyToScreen(screen, frame, changed);
    }
    buffers.marks = std::move(marks);
    return true;
}

void PaintMapView(HWND window, Program& program, bool showReferencePoints, bool onlyChanges) {
    MapViewBuffers& buffers = program.gdi.view;
    if (!RememberedItem(window, IDC_MAP_VIEW, buffers.control)) return;
    RECT view{};
    GetClientRect(buffers.control, &view);
    // The DC's attributes are left alone, so it need not be reset when let
    // go (under Wine a reset selects its font anew, which asks the X server's
    // resources each time: ten times a second).
    constexpr DWORD kClassStyleDc = 0x00010000;  // the DC that GetDC gives (the headers lack its name)
    WindowDc viewDc(buffers.control, kClassStyleDc | DCX_NORESETATTRS);
    if (!viewDc) return;
    if (view.right > 0 && view.bottom > 0 &&
        PaintMapViewFrame(viewDc.get(), view, program, showReferencePoints, onlyChanges)) {
        return;
    }
    DrawMapFrame(viewDc.get(), view, program, showReferencePoints, program.seams.tickCount());
}

}  // namespace

void TakeDrawnBounds(HDC dc, FrameMemory* memory) {
    RECT box{};
    if (memory && GetBoundsRect(dc, &box, DCB_RESET) == DCB_SET) memory->touched.Add(ToRect(box));
}

void DrawMapFrame(HDC dc, const RECT& view, Program& program, bool showReferencePoints, std::uint32_t tick) {
    SavedDcState saved(dc);
    IntersectClipRect(dc, 0, 0, view.right, view.bottom);
    FollowPlayer(program, view);
    DrawMapPicture(dc, view, program);
    DrawMapMarks(dc, program, showReferencePoints, tick);
}

void DrawMapView(HWND window, Program& program, bool showReferencePoints) {
    PaintMapView(window, program, showReferencePoints, false);
}

void DrawMapViewChanges(HWND window, Program& program, bool showReferencePoints) {
    PaintMapView(window, program, showReferencePoints, true);
}

void DrawPositionDisc(HDC dc, int x, int y, float dx, float dy, COLORREF colour, std::uint32_t tick,
                      FrameMemory* memory) {
    const int r = DiscRadius(tick);
    int endX = 0, endY = 0;
    if (HasHeading(dx, dy) && HeadingLineEnd(x, y, dx, dy, endX, endY)) {
        const POINT line[2] = {{endX, endY}, {x, y}};  // drawn from the second point toward the first
        DrawPulsingPath(dc, line, 2, 0, tick, memory);
    }
    UniqueBrush brush(CreateSolidBrush(colour));
    Selection selected(dc, brush.get());
    Ellipse(dc, x - r, y - r, x + r, y + r);
    TakeDrawnBounds(dc, memory);
}

void DrawReferenceSquare(HDC dc, int x, int y, COLORREF colour) {
    UniquePen pen(CreatePen(PS_SOLID, 2, colour));
    Selection brush(dc, GetStockObject(HOLLOW_BRUSH));
    {
        Selection colouredPen(dc, pen.get());
        Rectangle(dc, x - 5, y - 5, x + 6, y + 6);
    }
    Selection blackPen(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, x - 4, y - 4, x + 5, y + 5);
    Rectangle(dc, x - 6, y - 6, x + 7, y + 7);
}

void DrawPulsingPath(HDC dc, const POINT* points, int count, int channel, std::uint32_t tick,
                     FrameMemory* memory) {
    if (count < 2 || count > LocationTrail::kSlots) return;
    bool drawable[LocationTrail::kSlots];
    std::fill(std::begin(drawable), std::end(drawable), true);
    DrawPath(dc, points, drawable, count, channel, tick, memory);
}

POINT MainClientToMapView(HWND window, LPARAM position) {
    POINT mainOrigin{0, 0};
    POINT viewOrigin{0, 0};
    ClientToScreen(window, &mainOrigin);
    ClientToScreen(GetDlgItem(window, IDC_MAP_VIEW), &viewOrigin);
    const auto bits = static_cast<std::uint32_t>(position);
    POINT p;
    p.x = static_cast<LONG>(bits & 0xFFFFu) + mainOrigin.x - viewOrigin.x;
    p.y = static_cast<LONG>(bits >> 16) + mainOrigin.y - viewOrigin.y;
    return p;
}

void BeginDrag(HWND window, Program& program, LPARAM position) {
    SetCapture(window);
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    const POINT view = MainClientToMapView(window, position);
    RECT client{};
    GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &client);
    if (view.x < 0 || view.x >= client.right || view.y < 0 || view.y >= client.bottom) return;
    DragState& drag = program.app.drag;
    const auto bits = static_cast<std::uint32_t>(position);
    drag.startX = static_cast<int>(bits & 0xFFFFu);
    drag.startY = static_cast<int>(bits >> 16);
    drag.startPanX = program.app.map.panX;
    drag.startPanY = program.app.map.panY;
    drag.dragging = 1;
}

void ContinueDrag(HWND window, Program& program, LPARAM position) {
    const auto bits = static_cast<std::uint32_t>(position);
    const int x = static_cast<std::int16_t>(bits & 0xFFFFu);
    const int y = static_cast<std::int16_t>(bits >> 16);
    RECT client{};
    GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &client);
    const SIZE mapSize = BitmapSize(program.gdi.mapBitmap.get());
    const DragState& drag = program.app.drag;
    CurrentMap& map = program.app.map;
    map.panX = DragPan(x, drag.startX, drag.startPanX, mapSize.cx, client.right, map.zoomStep);
    map.panY = DragPan(y, drag.startY, drag.startPanY, mapSize.cy, client.bottom, map.zoomStep);
    DrawMapView(window, program, program.app.calibrationMode != 0);
}

void EndDrag(HWND window, Program& program) {
    ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    program.app.drag.dragging = 0;
}

}  // namespace tolvik
