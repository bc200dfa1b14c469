#include "raster/map_math.h"

#include <gtest/gtest.h>

#include <climits>

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

}  // namespace
}  // namespace tolvik
