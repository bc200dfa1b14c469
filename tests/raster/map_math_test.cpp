#include "raster/map_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace tolvik {
namespace {

TEST(RasterMarkers, DiscReturnDiscsAndHeading) {
    for (auto [tick, radius] : {std::pair{0u, 10}, {512u, 6}, {1023u, 2}, {1024u, 10}, {1024u * 7 + 512, 6}})
        EXPECT_EQ(DiscRadius(tick), radius) << tick;
    for (auto [age, red] : {std::pair{0, 255}, {1, 245}, {2, 234}, {22, 22}}) EXPECT_EQ(ReturnDiscRed(age), red) << age;
    EXPECT_FALSE(HasHeading(1e-10f, -1e-10f));
    EXPECT_TRUE(HasHeading(1e-8f, 0.0f));
    int ex = 0, ey = 0;
    ASSERT_TRUE(HeadingLineEnd(100, 50, 2.0f, -1.55f, ex, ey));  // ten pixels per unit, back along the move
    EXPECT_EQ(ex, 80);
    EXPECT_EQ(ey, 65);
    EXPECT_FALSE(HeadingLineEnd(100, 50, 1e8f, 0.0f, ex, ey));  // fits an int, not the drawing range
}

TEST(RasterPulse, ColourSequenceAndStepping) {
    // 127 - trunc(-128 sin(phase)), phase falling by 0.5 per pixel; channel 0 green, 1 blue, other red.
    PulseWave green = StartPulseWave(0, 0), blue = StartPulseWave(0, 1), red = StartPulseWave(0, 7);
    for (unsigned c : {127u, 66u, 20u, 0u, 11u, 51u, 109u}) {
        EXPECT_EQ(NextPulseColour(green), MakeColour(0, c, 0));
        EXPECT_EQ(NextPulseColour(blue), MakeColour(0, 0, c));
        EXPECT_EQ(NextPulseColour(red), MakeColour(c, 0, 0));
    }
    EXPECT_EQ(StartPulseWave(49999, 0).phase, 499.5f);
    EXPECT_EQ(StartPulseWave(50000, 0).phase, 0.0f);  // back to 0 every 50 s

    // 50 ms later the wave has moved one pixel toward the newest point.
    PulseWave a = StartPulseWave(1000, 2), b = StartPulseWave(1050, 2);
    std::uint32_t previous = NextPulseColour(a);
    NextPulseColour(b);
    for (int i = 1; i < 40; ++i) {
        EXPECT_EQ(NextPulseColour(b), previous) << i;
        previous = NextPulseColour(a);
    }
    PulseWave stepped = StartPulseWave(12345, 0), skipped = stepped;
    for (int i = 0; i < 1000; ++i) NextPulseColour(stepped);
    SkipPulsePixels(skipped, 1000);
    EXPECT_EQ(skipped.phase, stepped.phase);
    EXPECT_EQ(SegmentPixelCount(0, 0, -3, -7), 7);
    EXPECT_EQ(SegmentPixelCount(INT_MIN, 0, INT_MAX, 0), 4294967295LL);
}

TEST(RasterView, PictureInTheMapBitmapAndTheMapInTheView) {
    // A 600 x 400 picture in its 1880 x 1424 map bitmap, shown in a 500 x 300 view.
    EXPECT_EQ(std::pair(ImageOffsetInMap(1880, 600), ImageOffsetInMap(1424, 400)), std::pair(640, 512));
    EXPECT_EQ(CentredPan(500, 1880), 250 - 940);
    EXPECT_EQ(StandByTextBox(600, 400), (Rect{100, 66, 500, 400}));  // a sixth in, down to the bottom
}

TEST(RasterView, DragPanStopsAtTheEdges) {
    // Map bitmap 2280 wide in a view 600 wide; drag began at x 300 with pan -840.
    struct Case { int x, startX, startPan, mapWidth, expected; };
    for (const Case& c : {Case{350, 300, -840, 2280, -790}, {1200, 300, -840, 2280, 0},
                          {-2000, 300, -840, 2280, 600 - 2280}, {-30, 300, -840, 2280, -1170},
                          {400, 300, 0, 500, 100},  // narrower than the view: right-aligned
                          {0, 65535, INT_MIN, 2280, 600 - 2280}, {0, 0, INT_MAX, 2280, 0}})
        EXPECT_EQ(DragPan(c.x, c.startX, c.startPan, c.mapWidth, 600), c.expected) << c.x << " " << c.startPan;
}

// The map bitmap is the picture plus 1280 x 1024 of margins, at most 64
// megapixels (8192 x 8192).
TEST(RasterView, ComposedMapSizeIncludesTheMargins) {
    EXPECT_TRUE(ComposedMapSizeAllowed(8192 - 1280, 8192 - 1024));
    EXPECT_FALSE(ComposedMapSizeAllowed(8192 - 1280 + 1, 8192 - 1024));
    EXPECT_FALSE(ComposedMapSizeAllowed(8192 - 1280, 8192 - 1024 + 1));
    EXPECT_TRUE(ComposedMapSizeAllowed(1, 52387 - 1024));  // 1281 x 52387 fits, 1281 x 52388 does not
    EXPECT_FALSE(ComposedMapSizeAllowed(1, 52388 - 1024));
    EXPECT_FALSE(ComposedMapSizeAllowed(8000, 8000));
    EXPECT_FALSE(ComposedMapSizeAllowed(INT64_MAX, 1));
    EXPECT_FALSE(ComposedMapSizeAllowed(0, 100));
}

// A mirrored picture of 2000 x 1500 pixels with its reference points, panned.
CurrentMap ZoomSample(int step) {
    CurrentMap map;
    map.calibrated = 1;
    map.points = CalibrationPoints{120, 80, 1940, 1410, 1500.0f, -200.0f, -1300.0f, 1800.0f};
    map.imageOffsetX = 640, map.imageOffsetY = 512;
    map.panX = -700, map.panY = -400;
    map.zoomStep = step;
    return map;
}

TEST(MapZoom, StepsAndTheActualSize) {
    EXPECT_EQ(ZoomFactor(1), 1.25);
    EXPECT_EQ(ZoomFactor(8), 5.9604644775390625);
    EXPECT_DOUBLE_EQ(ZoomFactor(-1), 0.8);
    EXPECT_EQ(ZoomFactor(12), ZoomFactor(8));
    for (auto [step, notches, next] : {std::tuple{7, 3, 8}, {-8, -1, -8}, {0, -20, -8}, {3, INT_MIN, -8}, {99, 0, 8}})
        EXPECT_EQ(StepZoom(step, notches), next) << step << " " << notches;
    // At the actual size every conversion gives the integers of the unzoomed formulas.
    const CurrentMap map = ZoomSample(0);
    for (auto [x, y] : {std::pair{7.3f, -3.7f}, {-2999.9f, 2500.5f}}) {
        const PixelPoint p = GameToImage(map, x, y);
        int vx = 0, vy = 0, px = 0, py = 0;
        ASSERT_TRUE(GameToView(map, x, y, vx, vy));
        EXPECT_EQ(std::pair(vx, vy), std::pair(p.x + 640 - 700, p.y + 512 - 400)) << x;
        ASSERT_TRUE(KeepCentredPan(map, 601, 399, x, y, px, py));  // view/2 + image/2 - map/2 - pixel
        EXPECT_EQ(std::pair(px, py), std::pair(300 + 1000 - 1640 - p.x, 199 + 750 - 1262 - p.y)) << x;
    }
    const PixelPoint under = ViewToImage(map, 31, 42);
    EXPECT_EQ(std::pair(under.x, under.y), std::pair(31 + 700 - 640, 42 + 400 - 512));
    CurrentMap out;  // 0.8x: view pixel 2 covers picture 2.5 .. 3.75, its centre lies on pixel 3
    out.zoomStep = -1;
    EXPECT_EQ(ViewToImage(out, 2, 2).x, 3);
    EXPECT_EQ(ViewToImage(out, 2, 2).y, 3);
    EXPECT_EQ(CentredPan(600, 3281, 2), 300 - 5126 / 2);  // floor(3281 x 1.5625) = 5126
}

TEST(MapZoom, ConversionsAgreeAtEveryZoom) {
    for (int step = kMinZoomStep; step <= kMaxZoomStep; ++step) {
        const CurrentMap map = ZoomSample(step);
        const double z = ZoomFactor(step);
        // Reference point 1 lands on the centre of its zoomed picture pixel, point 2 within a pixel of it.
        int r1x = 0, r1y = 0, r2x = 0, r2y = 0, gx = 0, gy = 0;
        ASSERT_TRUE(ImageToView(map, 120, 80, r1x, r1y));
        EXPECT_EQ(r1x, -700 + static_cast<int>(std::floor(z * (640 + 120 + 0.5)))) << step;
        EXPECT_EQ(r1y, -400 + static_cast<int>(std::floor(z * (512 + 80 + 0.5)))) << step;
        ASSERT_TRUE(GameToView(map, 1500.0f, -200.0f, gx, gy));
        EXPECT_EQ(std::pair(gx, gy), std::pair(r1x, r1y)) << step;
        ASSERT_TRUE(ImageToView(map, 1940, 1410, r2x, r2y));
        ASSERT_TRUE(GameToView(map, -1300.0f, 1800.0f, gx, gy));
        EXPECT_NEAR(gx, r2x, 1) << step;
        EXPECT_NEAR(gy, r2y, 1) << step;
        // View -> game -> view comes back to the same pixel (within one where a view pixel spans less).
        for (auto [vx, vy] : {std::pair{311, 207}, {-40, 900}}) {
            const GamePoint g = ViewToGame(map, vx, vy);
            ASSERT_TRUE(g.valid && GameToView(map, g.x, g.y, gx, gy));
            EXPECT_NEAR(gx, vx, 1) << step << " " << vx;
            EXPECT_NEAR(gy, vy, 1) << step << " " << vy;
        }
        // The picture pixel under a zoomed pixel is that pixel (at and above the actual size).
        const PixelPoint back = ViewToImage(map, r1x, r1y);
        if (step >= 0) {
            EXPECT_EQ(std::pair(back.x, back.y), std::pair(120, 80)) << step;
        }
        // Keep-centred puts the position on the view's middle pixel.
        CurrentMap centred = map;
        ASSERT_TRUE(KeepCentredPan(map, 601, 400, 123.4f, 567.8f, centred.panX, centred.panY));
        ASSERT_TRUE(GameToView(centred, 123.4f, 567.8f, gx, gy));
        EXPECT_EQ(std::pair(gx, gy), std::pair(300, 200)) << step;
    }
}

TEST(MapZoom, PointerAnchorHoldsAndReturns) {
    for (auto [anchorX, anchorY] : {std::pair{0, 0}, {300, 211}, {599, 399}}) {
        CurrentMap map = ZoomSample(0);
        const GamePoint under = ViewToGame(map, anchorX, anchorY);
        std::vector<std::pair<int, int>> pans;
        // In to the top, out to the bottom, back: one notch at a time.
        for (int to : {1, 2, 3, 4, 5, 6, 7, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1, -2, -3, -4, -5, -6, -7, -8, -7, -6, -5,
                       -4, -3, -2, -1, 0}) {
            pans.emplace_back(map.panX, map.panY);
            ASSERT_TRUE(ZoomAbout(map, to, anchorX, anchorY));
            int vx = 0, vy = 0;
            ASSERT_TRUE(GameToView(map, under.x, under.y, vx, vy));
            EXPECT_NEAR(vx, anchorX, 1) << to;
            EXPECT_NEAR(vy, anchorY, 1) << to;
        }
        EXPECT_EQ(std::pair(map.panX, map.panY), std::pair(-700, -400));  // back at 1x exactly where it began
        EXPECT_EQ(pans[10], pans[6]);  // step 4 on the way out equals step 4 on the way in
        EXPECT_FALSE(ZoomAbout(map, 0, 50, 50));
    }
    CurrentMap top = ZoomSample(8);
    EXPECT_FALSE(ZoomAbout(top, 9, 50, 50));
    double exact = 0.25;  // a stale exact pan (the map was dragged since) is not used
    EXPECT_EQ(ZoomAnchorPan(-100, exact, 0, 0, 1), static_cast<int>(std::floor(0.5 - 1.25 * 100.5 + 0.5)));
}

TEST(MapZoom, WheelDragAndTheVisiblePart) {
    int remainder = 0;  // 120 a notch; small turns add up; turning back drops the rest
    for (auto [delta, notches] : {std::pair{40, 0}, {40, 0}, {40, 1}, {240, 2}, {-360, -3}, {90, 0}, {-30, 0},
                                  {-90, -1}, {-60, 0}, {30, 0}, {120, 1}})
        EXPECT_EQ(WheelNotches(remainder, delta), notches) << delta;
    EXPECT_EQ(remainder, 30);

    // Map 2280 wide at 1.5625x is 3562 wide: the same clamps with that width.
    EXPECT_EQ(DragPan(-5000, 300, -840, 2280, 600, 2), 600 - 3562);
    EXPECT_EQ(DragPan(1200, 300, -840, 2280, 600, 2), 0);
    // Zoomed out below the view's size the map stays inside the view; at 1x it keeps to the right edge.
    EXPECT_EQ(DragPan(350, 300, 40, 2280, 600, -8), 90);  // 2280 x 0.1678 = 382 wide
    EXPECT_EQ(DragPan(900, 300, 40, 2280, 600, -8), 600 - 382);
    EXPECT_EQ(DragPan(0, 300, 40, 2280, 600, -8), 0);

    VisibleSpan span;
    ASSERT_TRUE(VisibleMapSpan(-700, 2280, 600, 0, span));  // the actual size: a plain copy
    EXPECT_EQ(std::tuple(span.first, span.count, span.viewFirst, span.viewCount), std::tuple(700, 600, 0, 600));
    ASSERT_TRUE(VisibleMapSpan(-101, 2280, 600, 3, span));  // 1.953125x
    EXPECT_EQ(span.first, 51);                             // floor(101 / 1.953125)
    EXPECT_LE(span.viewFirst, 0);
    EXPECT_GE(span.viewFirst + span.viewCount, 600);
    EXPECT_NEAR(span.viewCount, span.count * 1.953125, 1.0);
    ASSERT_TRUE(VisibleMapSpan(50, 2280, 600, -8, span));  // the whole map, smaller than the view
    EXPECT_EQ(std::tuple(span.first, span.count, span.viewFirst), std::tuple(0, 2280, 50));
    EXPECT_FALSE(VisibleMapSpan(600, 2280, 600, 2, span));
}

}  // namespace
}  // namespace tolvik
