#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "raster/calibration.h"
#include "raster/map_math.h"
#include "raster/map_texts.h"
#include "raster/marks.h"
#include "raster/touched_boxes.h"

namespace tolvik {
namespace {

TEST(RasterMarkers, DiscReturnDiscsAndHeading) {
    for (auto [tick, radius] : {std::pair{0u, 10}, {512u, 6}, {1023u, 2}, {1024u, 10}, {1024u * 7 + 512, 6}})
        EXPECT_EQ(DiscRadius(tick), radius) << tick;
    for (auto [age, red] : {std::pair{0, 255}, {1, 245}, {2, 234}, {22, 22}}) EXPECT_EQ(ReturnDiscRed(age), red) << age;
    EXPECT_TRUE(!HasHeading(1e-10f, -1e-10f) && HasHeading(1e-8f, 0.0f));
    int ex = 0, ey = 0;
    ASSERT_TRUE(HeadingLineEnd(100, 50, 2.0f, -1.55f, ex, ey));  // ten pixels per unit, back along the move
    EXPECT_EQ(std::pair(ex, ey), std::pair(80, 65));
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
    EXPECT_EQ(std::pair(StartPulseWave(49999, 0).phase, StartPulseWave(50000, 0).phase), std::pair(499.5f, 0.0f));  // every 50 s

    PulseWave stepped = StartPulseWave(12345, 0), skipped = stepped;
    for (int i = 0; i < 1000; ++i) NextPulseColour(stepped);
    SkipPulsePixels(skipped, 1000);
    EXPECT_EQ(skipped.phase, stepped.phase);
    // Each pixel of a path too long for any view has the wave's level at its phase.
    PulseWave along = StartPulseWave(49999, 2);
    for (int i = 0; i < 40000; ++i) {
        const float phase = along.phase;
        ASSERT_EQ(NextPulseColour(along), MakeColour(static_cast<unsigned>(PulseLevel(phase)), 0, 0)) << phase;
    }
    EXPECT_TRUE(SegmentPixelCount(0, 0, -3, -7) == 7 && SegmentPixelCount(INT_MIN, 0, INT_MAX, 0) == 4294967295LL);
}

TEST(RasterTouchedBoxes, ATrailKeepsTheBoxesOfItsBend) {
    TouchedBoxes t;
    t.Add(Rect{5, 5, 5, 9});  // empty
    EXPECT_TRUE(t.boxes.empty());
    EXPECT_EQ(t.Bounds(), Rect{});
    // Short steps of a trail merge while their union wastes little...
    t.Add(Rect{0, 0, 8, 6});
    t.Add(Rect{7, 5, 15, 11});
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0], (Rect{0, 0, 15, 11}));
    // ...a long diagonal step does not: its box and the one before stay apart.
    t.Add(Rect{14, 10, 60, 56});
    ASSERT_EQ(t.boxes.size(), 2u);
    EXPECT_EQ(t.boxes[1], (Rect{14, 10, 60, 56}));
    // A union just at the slack merges, one pixel past it does not.
    TouchedBoxes edge;
    edge.Add(Rect{0, 0, 1, 1});
    edge.Add(Rect{0, 1025, 1, 1026});  // union 1 x 1026 = 1 + 1 + 1024
    EXPECT_EQ(edge.boxes.size(), 1u);
    edge.Add(Rect{0, 2052, 1, 2053});  // union 1 x 2053 > 1026 + 1 + 1024
    EXPECT_EQ(edge.boxes.size(), 2u);
    // Past the most boxes kept, they become the one around all of them.
    TouchedBoxes many;
    for (int i = 0; i <= kMaxTouchedBoxes; ++i) many.Add(Rect{i * 100, i * 90, i * 100 + 2, i * 90 + 3});
    ASSERT_EQ(many.boxes.size(), 1u);
    EXPECT_EQ(many.boxes[0], (Rect{0, 0, kMaxTouchedBoxes * 100 + 2, kMaxTouchedBoxes * 90 + 3}));
    EXPECT_EQ(Intersection(Rect{-5, 2, 10, 30}, Rect{0, 0, 8, 20}), (Rect{0, 2, 8, 20}));
    EXPECT_EQ(Intersection(Rect{0, 0, 4, 4}, Rect{4, 0, 8, 4}), Rect{});
}

TEST(RasterView, PictureInTheMapBitmapAndTheMapInTheView) {
    // A 600 x 400 picture in its 1880 x 1424 map bitmap, shown in a 500 x 300 view.
    EXPECT_EQ(std::pair(ImageOffsetInMap(1880, 600), ImageOffsetInMap(1424, 400)), std::pair(640, 512));
    EXPECT_EQ(StandByTextBox(600, 400), (Rect{100, 66, 500, 400}));  // a sixth in, down to the bottom
    // The map bitmap is the picture plus 1280 x 1024 of margins, at most 64 megapixels (8192 x 8192).
    EXPECT_TRUE(ComposedMapSizeAllowed(8192 - 1280, 8192 - 1024) && ComposedMapSizeAllowed(1, 52387 - 1024));
    EXPECT_FALSE(ComposedMapSizeAllowed(8192 - 1280 + 1, 8192 - 1024) || ComposedMapSizeAllowed(8192 - 1280, 8192 - 1024 + 1) ||
                 ComposedMapSizeAllowed(1, 52388 - 1024) || ComposedMapSizeAllowed(INT64_MAX, 1) ||
                 ComposedMapSizeAllowed(0, 100));
    // Drag pan in a view 600 wide, the drag begun at x 300 with pan -840.
    struct Case { int x, startX, startPan, mapWidth, expected; };
    for (const Case& c : {Case{350, 300, -840, 2280, -790}, {1200, 300, -840, 2280, 0},
                          {-2000, 300, -840, 2280, 600 - 2280}, {-30, 300, -840, 2280, -1170},
                          {400, 300, 0, 500, 100},  // narrower than the view: right-aligned
                          {0, 65535, INT_MIN, 2280, 600 - 2280}, {0, 0, INT_MAX, 2280, 0}})
        EXPECT_EQ(DragPan(c.x, c.startX, c.startPan, c.mapWidth, 600), c.expected) << c.x << " " << c.startPan;
}

// A mirrored picture of 2000 x 1500 pixels with its reference points, panned.
CurrentMap ZoomSample(int step) {
    CurrentMap map;
    map.calibrated = 1, map.points = CalibrationPoints{120, 80, 1940, 1410, 1500.0f, -200.0f, -1300.0f, 1800.0f};
    map.imageOffsetX = 640, map.imageOffsetY = 512, map.panX = -700, map.panY = -400, map.zoomStep = step;
    return map;
}

TEST(MapZoom, StepsAndTheActualSize) {
    EXPECT_EQ(std::tuple(ZoomFactor(1), ZoomFactor(8), ZoomFactor(12)), std::tuple(1.25, 5.9604644775390625, 5.9604644775390625));
    EXPECT_DOUBLE_EQ(ZoomFactor(-1), 0.8);
    for (auto [step, notches, next] : {std::tuple{7, 3, 8}, {-8, -1, -8}, {0, -20, -8}, {3, INT_MIN, -8}, {99, 0, 8}})
        EXPECT_EQ(StepZoom(step, notches), next) << step << " " << notches;
    CurrentMap out;  // 0.8x: view pixel 2 covers picture 2.5 .. 3.75, its centre lies on pixel 3
    out.zoomStep = -1;
    EXPECT_EQ(std::pair(ViewToImage(out, 2, 2).x, ViewToImage(out, 2, 2).y), std::pair(3, 3));
    EXPECT_EQ(CentredPan(600, 3281, 2), 300 - 5126 / 2);  // floor(3281 x 1.5625) = 5126
}

TEST(MapZoom, ConversionsAgreeAtEveryZoom) {
    for (int step = kMinZoomStep; step <= kMaxZoomStep; ++step) {
        const CurrentMap map = ZoomSample(step);
        const double z = ZoomFactor(step);
        // Reference point 1 lands on the centre of its zoomed picture pixel, point 2 within a pixel of it.
        int r1x = 0, r1y = 0, r2x = 0, r2y = 0, gx = 0, gy = 0;
        ASSERT_TRUE(ImageToView(map, 120, 80, r1x, r1y));
        EXPECT_EQ(std::pair(r1x, r1y), std::pair(-700 + static_cast<int>(std::floor(z * (640 + 120 + 0.5))),
                                                 -400 + static_cast<int>(std::floor(z * (512 + 80 + 0.5))))) << step;
        ASSERT_TRUE(GameToView(map, 1500.0f, -200.0f, gx, gy));
        EXPECT_EQ(std::pair(gx, gy), std::pair(r1x, r1y)) << step;
        ASSERT_TRUE(ImageToView(map, 1940, 1410, r2x, r2y) && GameToView(map, -1300.0f, 1800.0f, gx, gy));
        EXPECT_TRUE(std::abs(gx - r2x) <= 1 && std::abs(gy - r2y) <= 1) << step;
        // View -> game -> view comes back to the same pixel (within one where a view pixel spans less).
        for (auto [vx, vy] : {std::pair{311, 207}, {-40, 900}}) {
            const GamePoint g = ViewToGame(map, vx, vy);
            ASSERT_TRUE(g.valid && GameToView(map, g.x, g.y, gx, gy));
            EXPECT_TRUE(std::abs(gx - vx) <= 1 && std::abs(gy - vy) <= 1) << step << " " << vx;
        }
        // The picture pixel under a zoomed pixel is that pixel (at and above the actual size).
        const PixelPoint back = ViewToImage(map, r1x, r1y);
        EXPECT_TRUE(step < 0 || std::pair(back.x, back.y) == std::pair(120, 80)) << step;
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
        for (int i = 1, vx = 0, vy = 0; i <= 32; ++i) {  // one notch at a time: in to 8, out to -8, back to 0
            pans.emplace_back(map.panX, map.panY);
            ASSERT_TRUE(ZoomAbout(map, i <= 8 ? i : i <= 24 ? 16 - i : i - 32, anchorX, anchorY)) << i;
            ASSERT_TRUE(GameToView(map, under.x, under.y, vx, vy));
            EXPECT_TRUE(std::abs(vx - anchorX) <= 1 && std::abs(vy - anchorY) <= 1) << i;
        }
        EXPECT_EQ(std::pair(map.panX, map.panY), std::pair(-700, -400));  // back at 1x exactly where it began
        EXPECT_EQ(pans[10], pans[6]);  // step 6 on the way out equals step 6 on the way in
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

    // Map 2280 wide at 1.5625x is 3562 wide; zoomed out to 382 wide it stays inside the view.
    for (auto [x, step, pan] : {std::tuple{-5000, 2, 600 - 3562}, {1200, 2, 0}, {350, -8, 90}, {900, -8, 600 - 382}, {0, -8, 0}})
        EXPECT_EQ(DragPan(x, 300, step == 2 ? -840 : 40, 2280, 600, step), pan) << x << " " << step;

    VisibleSpan span;
    ASSERT_TRUE(VisibleMapSpan(-700, 2280, 600, 0, span));  // the actual size: a plain copy
    EXPECT_EQ(std::tuple(span.first, span.count, span.viewFirst, span.viewCount), std::tuple(700, 600, 0, 600));
    ASSERT_TRUE(VisibleMapSpan(-101, 2280, 600, 3, span));  // 1.953125x: from floor(101 / 1.953125), over the whole view
    EXPECT_TRUE(span.first == 51 && span.viewFirst <= 0 && span.viewFirst + span.viewCount >= 600 &&
                std::abs(span.viewCount - span.count * 1.953125) <= 1.0);
    ASSERT_TRUE(VisibleMapSpan(50, 2280, 600, -8, span));  // the whole map, smaller than the view
    EXPECT_EQ(std::tuple(span.first, span.count, span.viewFirst), std::tuple(0, 2280, 50));
    EXPECT_FALSE(VisibleMapSpan(600, 2280, 600, 2, span));
}


// One pixel per unit: -3.7 truncates to -3 (not -4); mirrored axes need nothing special; 0 / 0 gives no position.
TEST(RasterConversion, TruncationMirroringAndDegenerateCalibrations) {
    CurrentMap map;
    map.calibrated = 1, map.points = CalibrationPoints{100, 100, 200, 0, 0.0f, 0.0f, -100.0f, 100.0f};
    EXPECT_EQ(std::tuple(GameToImage(map, 3.7f, 0.0f).x, GameToImage(map, 0.0f, 3.7f).y, GameToImage(map, 0.0f, -3.7f).y),
              std::tuple(97, 97, 103));
    map.points = CalibrationPoints{0, 0, 100, 100, 50.0f, -50.0f, -50.0f, 50.0f};
    EXPECT_EQ(std::pair(GameToImage(map, -40.0f, 40.0f).x, GameToImage(map, -40.0f, 40.0f).y), std::pair(90, 90));
    map.calibrated = 0;  // uncalibrated: zeros
    EXPECT_TRUE(GameToImage(map, -40.0f, 40.0f).x == 0 && ViewToGame(map, 10, 10).x == 0.0f);

    map = ZoomSample(0);
    map.points.physicalX1 = INT_MAX, map.points.physicalX2 = INT_MAX - 1000;  // sum overflows int
    EXPECT_TRUE(!GameToImage(map, 3000.0f, 0.0f).valid && GameToImage(map, -1300.0f, 0.0f).valid);
    map.points.physicalY2 = map.points.physicalY1, map.points.logicalY2 = map.points.logicalY1;
    EXPECT_FALSE(ViewToGame(map, 5, 5).valid || GameToImage(map, 1500.0f, -200.0f).valid);

    int v = 7;
    EXPECT_TRUE(TruncToInt(-2147483648.0f, v) && v == INT_MIN);
    EXPECT_TRUE(TruncToInt(2147483520.0f, v) && v == 2147483520);  // largest float below 2^31
    for (float bad : {2147483648.0f, -2147483904.0f, INFINITY, NAN, FLT_MAX}) EXPECT_FALSE(TruncToInt(bad, v)) << bad;
}

TEST(MapTexts, MissingMapTextNamesTheZoneThenHowToCalibrateCutAt1023) {
    const std::string text = MissingMapText("Guk");
    EXPECT_EQ(text, "No map presently exists for Guk.\n\n" + CalibrationInstructionsText());
    EXPECT_EQ(MissingMapText(std::string(2000, 'z')), "No map presently exists for " + std::string(995, 'z'));
    const std::string longest(1023 - text.size() + 3, 'n');  // just fits whole
    EXPECT_EQ(MissingMapText(longest), "No map presently exists for " + longest + ".\n\n" + CalibrationInstructionsText());
}

// The game's /loc prints Y, X, Z: +Y is north, +X is west.
TEST(Waypoint, DirectionDistanceAndReach) {
    const Position me{100.0f, -200.0f, 5.0f};
    struct Case { float x, y; const char* text; };
    for (const Case& c : {Case{100, 0, "200 away, north"}, {0, -100, "141 away, north-east"}, {0, -200, "100 away, east"},
                          {70, -240, "50 away, south-east"}, {100, -203.5f, "4 away, south"}, {103, -204, "5 away, south-west"},
                          {102.5f, -200, "3 away, west"}, {114.49f, -185.51f, "20 away, north-west"}})
        EXPECT_EQ(WaypointAwayText(me, {c.x, c.y, 0.0f}), c.text) << c.x << ", " << c.y;
    // Each word covers 22.5 degrees either side of its direction.
    EXPECT_EQ(std::string(CompassDirection({0, 0, 0}, {-0.4040f, 1.0f, 0})) + CompassDirection({0, 0, 0}, {-0.4245f, 1.0f, 0}) +
                  CompassDirection({0, 0, 0}, {0.4245f, -1.0f, 0}), "northnorth-eastsouth-west");  // 22.0, 23.0 and 203.0 degrees

    // 9, 12: 15 away; height does not count.
    EXPECT_TRUE(WaypointReached(me, {100.0f, -185.0f, 0.0f}) && WaypointReached(me, {109.0f, -212.0f, 900.0f}));
    EXPECT_FALSE(WaypointReached(me, {100.0f, -184.99f, 0.0f}) || WaypointReached(me, {88.0f, -209.01f, 0.0f}));
}

TEST(MarkValues, WrittenWithTwoDecimalsAndReadBack) {
    for (const Position& p : {Position{0.5f, -0.25f, -12.0f}, Position{3e38f, -3e38f, 1e-3f}}) {
        Position waypoint, corpse;
        ASSERT_TRUE(ParseWaypointValue(FormatWaypointValue(p), waypoint) && ParseCorpseValue(FormatCorpseValue(p), corpse));
        EXPECT_FLOAT_EQ(waypoint.y, p.y);
        EXPECT_FLOAT_EQ(corpse.x, p.x);
        EXPECT_NEAR(corpse.z, p.z, 0.005f);
    }
    Position p;
    ASSERT_TRUE(ParseWaypointValue("  +1.5 ,-2e2\t", p));  // edited by hand
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(1.5f, -200.0f));
    for (const char* bad : {"", "1", "1, 2, 3", "1,, 2", "1, 2,", "a, 2", "1, 2x", "1 2, 3", "inf, 2", "0x10, 2",
                            "1e39, 2", "-, 2"})
        EXPECT_TRUE(!ParseWaypointValue(bad, p) && p.x == 1.5f) << bad;  // a refused value leaves the mark alone
    EXPECT_FALSE(ParseCorpseValue("1, 2", p));
}

TEST(MarkValues, AWholeLogReadAgainBringsOnlyNewerDeaths) {
    const Position a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9};
    const std::vector<Death> deaths{{"Cave", a}, {"Field", b}, {"Cave", b}, {"Cave", c}, {"Field", c}};
    const auto text = [](const std::vector<Death>& news) {
        std::string s;
        for (const Death& d : news) s += d.zone + std::to_string(static_cast<int>(d.where.x)) + " ";
        return s;
    };
    EXPECT_EQ(text(NewDeaths(deaths, {})), "Cave7 Field7 ");
    EXPECT_EQ(text(NewDeaths(deaths, {{"Cave", c}})), "Field7 ");  // the known corpse is the last there
    EXPECT_EQ(text(NewDeaths(deaths, {{"Cave", b}, {"Field", b}})), "Cave7 Field7 ");
    EXPECT_EQ(text(NewDeaths({{"Cave", c}, {"Cave", a}, {"Cave", c}}, {{"Cave", c}})), "");
    EXPECT_EQ(text(NewDeaths({{"Cave", {7.001f, 8, 9}}}, {{"Cave", c}})), "");  // known to two decimals
}

TEST(MarkShapes, DiamondCrossAndDottedLine) {
    int diamond = 0, cross = 0;
    for (int dy = -9; dy <= 9; ++dy)
        for (int dx = -9; dx <= 9; ++dx) {
            diamond += WaypointPixel(dx, dy) == MarkPixel::Fill;
            cross += CorpsePixel(dx, dy) == MarkPixel::Fill;
            EXPECT_TRUE(std::max(std::abs(dx), std::abs(dy)) <= kMarkReach || CorpsePixel(dx, dy) == MarkPixel::None);
        }
    EXPECT_EQ(diamond, 85);  // |dx| + |dy| <= 6
    EXPECT_EQ(cross, 69);    // two strokes three pixels across a row, 13 rows, sharing the centre
    EXPECT_EQ(std::tuple(WaypointPixel(-3, 4), CorpsePixel(-7, 6), CorpsePixel(6, 3)),  // end caps framed too
              std::tuple(MarkPixel::Outline, MarkPixel::Outline, MarkPixel::None));
    const Rect big{-100, -100, 200, 200};
    std::vector<int> xs;
    for (const PixelPoint& p : DottedLinePixels(10, 5, 0, 5, big)) xs.push_back(p.x);
    EXPECT_EQ(xs, (std::vector<int>{10, 9, 6, 5, 2, 1}));
    std::vector<int> inside, clipped;  // a clip box keeps exactly the dots of the whole line that fall inside it
    for (const PixelPoint& p : DottedLinePixels(0, 0, 100, 47, big))
        inside.push_back(p.x >= 20 && p.x < 60 && p.y >= 5 && p.y < 40 ? p.x : -1);  // x tells the dots apart here
    for (const PixelPoint& p : DottedLinePixels(0, 0, 100, 47, Rect{20, 5, 60, 40})) clipped.push_back(p.x);
    EXPECT_EQ(clipped, (std::erase(inside, -1), inside));
    EXPECT_EQ(DottedLinePixels(INT_MIN, 7, INT_MAX, 7, Rect{0, 0, 400, 300}).size(), 200u);
}

}  // namespace
}  // namespace tolvik
