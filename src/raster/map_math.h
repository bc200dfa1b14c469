// The arithmetic of the Map View: marker sizes and colours, the pulsing
// path's colour wave, panning and centring, and the stand-by text box.
#pragma once

#include <cstdint>

#include "base/colour.h"
#include "base/rect.h"
#include "raster/calibration.h"

namespace tolvik {

// The map bitmap is this much wider and taller than the map image.
constexpr int kMapMarginWidth = 1280;
constexpr int kMapMarginHeight = 1024;

// View coordinates farther out than this are not drawn: the drawing
// functions of the window system cannot take them.
constexpr std::int64_t kMaxViewCoordinate = std::int64_t{1} << 26;

// Longest path segment, in pixels, that is drawn; longer ones come only from
// degenerate calibrations and are skipped (the colour wave still runs on).
constexpr std::int64_t kMaxPathSegmentPixels = std::int64_t{1} << 20;

// Radius of the position disc at tick count `tick`: 10 down to 2 every 1024 ms.
int DiscRadius(std::uint32_t tick);

// Red level of the return-trail disc in slot `slot` (255 for the newest).
int ReturnDiscRed(int slot);

// Colour wave along a pulsing path.
struct PulseWave {
    float phase = 0.0f;
    int channel = 0;  // 0 green, 1 blue, anything else red
};

// The wave at the start of a path drawn at tick count `tick`.
PulseWave StartPulseWave(std::uint32_t tick, int channel);

// Brightness of the wave at `phase`: low 8 bits of 127 - trunc(-128 sin(phase)).
int PulseLevel(float phase);

// Colour of the next pixel of the path; moves the wave on by one pixel.
std::uint32_t NextPulseColour(PulseWave& wave);

// Moves the wave on by `pixels` pixels without drawing them.
void SkipPulsePixels(PulseWave& wave, std::int64_t pixels);

// Number of pixels a line from (x0, y0) to (x1, y1) reports, end point excluded.
std::int64_t SegmentPixelCount(int x0, int y0, int x1, int y1);

// Whether the move (dx, dy) in game units is big enough for a heading line.
bool HasHeading(float dx, float dy);

// End of the heading line from (x, y) for a move of (dx, dy): ten pixels
// per game unit, pointing back along the move. False when it does not fit.
bool HeadingLineEnd(int x, int y, float dx, float dy, int& endX, int& endY);

// View position of image pixel (px, py) at the map's pan and zoom (the view
// pixel under the centre of the zoomed picture pixel); false when it is too
// far out to draw.
bool ImageToView(const CurrentMap& map, int px, int py, int& vx, int& vy);

// View position of a game position at the map's pan and zoom: the view
// pixel of reference point 1 plus the calibration's offset scaled by z and
// truncated (at the actual size, GameToImage plus offset and pan). False
// when not drawable.
bool GameToView(const CurrentMap& map, float x, float y, int& vx, int& vy);

// Whether the map bitmap for a picture of this size may be made: the
// picture plus the margins within the bitmap size limit.
bool ComposedMapSizeAllowed(std::int64_t imageWidth, std::int64_t imageHeight);
// Picture pixel under view pixel (vx, vy) at the map's pan and zoom (not
// necessarily inside the picture); invalid when it does not fit an int.
PixelPoint ViewToImage(const CurrentMap& map, int vx, int vy);

// Offset of the map image inside the map bitmap along one axis.
int ImageOffsetInMap(int mapSize, int imageSize);

// Length in view pixels that `length` map pixels fully cover at a zoom step:
// floor(z length), `length` itself at the actual size.
int ScaledLength(int length, int step);

// Pan that centres the map bitmap, shown at `step`, in the view along one axis.
int CentredPan(int viewSize, int mapSize, int step = 0);

// Pans that put game position (x, y) in the middle of a view of viewWidth x
// viewHeight at the map's zoom; false (pans unchanged) when it does not fit.
bool KeepCentredPan(const CurrentMap& map, int viewWidth, int viewHeight, float x, float y, int& panX, int& panY);

// Pan while dragging: the mouse at `mouse`, the drag began at `start` with
// pan `startPan`; the map bitmap of `mapSize` pixels is shown at `step`.
// Never above 0; the map's far edge never inside the view (a map narrower
// than the view is aligned to the view's far edge). When zoomed, a map
// narrower than the view instead stays wholly inside it.
int DragPan(int mouse, int start, int startPan, int mapSize, int viewSize, int step = 0);

// Pan after the zoom changes from `fromStep` to `toStep` such that the map
// point under view pixel `anchor` stays under it (to within half a pixel).
// `exact` is the pan before rounding: used when it rounds to `pan`, and
// replaced by the new one, so that rounding does not add up over many steps.
int ZoomAnchorPan(int pan, double& exact, int anchor, int fromStep, int toStep);

// Changes the map's zoom to `toStep` (clamped) about view pixel (anchorX,
// anchorY). False when the step does not change.
bool ZoomAbout(CurrentMap& map, int toStep, int anchorX, int anchorY);

// Mouse wheel: adds `delta` (120 per notch, positive away from the user) to
// `remainder` and takes out the whole notches, which are returned. Turning
// the other way first drops what was left over.
int WheelNotches(int& remainder, int delta);

// The zoom step `notches` steps on from `step`, kept within its range.
int StepZoom(int step, int notches);

// The part of the map bitmap a view shows along one axis: map pixels
// [first, first + count) stretched onto view pixels [viewFirst, viewFirst +
// viewCount), which cover the view where the map reaches it.
struct VisibleSpan {
    int first = 0;
    int count = 0;
    int viewFirst = 0;
    int viewCount = 0;
};
// False when no map pixel is in view.
bool VisibleMapSpan(int pan, int mapSize, int viewSize, int step, VisibleSpan& span);

// Rectangle of the text on the stand-by picture of size width x height.
Rect StandByTextBox(int width, int height);

}  // namespace tolvik
