#include "raster/map_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace tolvik {
namespace {

TEST(RasterMarkers, DiscRadiusShrinksEverySecond) {
    EXPECT_EQ(DiscRadius(0), 10);
    EXPECT_EQ(DiscRadius(512), 6);
    EXPECT_EQ(DiscRadius(1023), 2);
    EXPECT_EQ(DiscRadius(1024), 10);  // modulo 1024
    EXPECT_EQ(DiscRadius(1024 * 7 + 512), 6);
    int previous = DiscRadius(0);
    for (std::uint32_t t = 1; t < 1024; ++t) {
        const int r = DiscRadius(t);
        EXPECT_LE(r, previous) << t;
        EXPECT_GE(r, 2) << t;
        previous = r;
    }
}

TEST(RasterMarkers, ReturnDiscsDarkenWithAge) {
    EXPECT_EQ(ReturnDiscRed(0), 255);
    EXPECT_EQ(ReturnDiscRed(1), 245);
    EXPECT_EQ(ReturnDiscRed(2), 234);
    EXPECT_EQ(ReturnDiscRed(22), 22);
}

TEST(RasterPulse, StartPhaseFollowsTheClock) {
    EXPECT_EQ(StartPulseWave(0, 0).phase, 0.0f);
    EXPECT_EQ(StartPulseWave(49, 0).phase, 0.0f);
    EXPECT_EQ(StartPulseWave(50, 0).phase, 0.5f);
    EXPECT_EQ(StartPulseWave(49999, 0).phase, 499.5f);
    EXPECT_EQ(StartPulseWave(50000, 0).phase, 0.0f);  // back to 0 every 50 s
    EXPECT_EQ(StartPulseWave(50000, 2).channel, 2);
}

TEST(RasterPulse, ColourSequenceAlongThePath) {
    // 127 - trunc(-128 sin(phase)), phase falling by 0.5 per pixel.
    const int expected[] = {127, 66, 20, 0, 11, 51, 109};
    PulseWave green = StartPulseWave(0, 0);
    PulseWave blue = StartPulseWave(0, 1);
    PulseWave red = StartPulseWave(0, 2);
    for (int level : expected) {
        const unsigned c = static_cast<unsigned>(level);
        EXPECT_EQ(NextPulseColour(green), MakeColour(0, c, 0));
        EXPECT_EQ(NextPulseColour(blue), MakeColour(0, 0, c));
        EXPECT_EQ(NextPulseColour(red), MakeColour(c, 0, 0));
    }
    EXPECT_EQ(red.phase, -3.5f);
    EXPECT_EQ(PulseLevel(1.5f), 254);
    EXPECT_EQ(PulseLevel(3.0f), 145);
    EXPECT_EQ(PulseLevel(4.5f), 2);
    PulseWave other = StartPulseWave(0, 7);  // any other channel is red
    EXPECT_EQ(NextPulseColour(other), MakeColour(127, 0, 0));
}

TEST(RasterPulse, WaveMovesOnePixelTowardTheNewestEvery50ms) {
    std::vector<std::uint32_t> before, after;
    PulseWave a = StartPulseWave(1000, 2);
    PulseWave b = StartPulseWave(1050, 2);
    for (int i = 0; i < 40; ++i) {
        before.push_back(NextPulseColour(a));
        after.push_back(NextPulseColour(b));
    }
    for (int i = 1; i < 40; ++i) EXPECT_EQ(after[static_cast<size_t>(i)], before[static_cast<size_t>(i - 1)]) << i;
}

TEST(RasterPulse, SkippingPixelsKeepsThePhase) {
    PulseWave stepped = StartPulseWave(12345, 0);
    PulseWave skipped = stepped;
    for (int i = 0; i < 1000; ++i) NextPulseColour(stepped);
    SkipPulsePixels(skipped, 1000);
    EXPECT_EQ(skipped.phase, stepped.phase);
}

TEST(RasterPulse, SegmentPixelCountIsTheLongerSide) {
    EXPECT_EQ(SegmentPixelCount(0, 0, 5, 3), 5);
    EXPECT_EQ(SegmentPixelCount(0, 0, -3, -7), 7);
    EXPECT_EQ(SegmentPixelCount(4, 4, 4, 4), 0);
    EXPECT_EQ(SegmentPixelCount(INT_MIN, 0, INT_MAX, 0), 4294967295LL);
}

TEST(RasterMarkers, HeadingLine) {
    EXPECT_FALSE(HasHeading(0.0f, 0.0f));
    EXPECT_FALSE(HasHeading(1e-10f, -1e-10f));
    EXPECT_TRUE(HasHeading(1e-8f, 0.0f));
    EXPECT_TRUE(HasHeading(0.0f, -0.5f));
    int ex = 0, ey = 0;
    // Ten pixels per game unit, pointing back along the move.
    ASSERT_TRUE(HeadingLineEnd(100, 50, 2.0f, -1.55f, ex, ey));
    EXPECT_EQ(ex, 80);
    EXPECT_EQ(ey, 65);
    EXPECT_FALSE(HeadingLineEnd(100, 50, 3e37f, 0.0f, ex, ey));
    EXPECT_FALSE(HeadingLineEnd(100, 50, 1e8f, 0.0f, ex, ey));  // fits an int, not the drawing range
}

TEST(RasterView, ImageAndGameToView) {
    CurrentMap map;
    map.calibrated = 1;
    map.points = CalibrationPoints{0, 0, 100, 100, 0.0f, 0.0f, 100.0f, 100.0f};
    map.imageOffsetX = 640;
    map.imageOffsetY = 512;
    map.panX = -600;
    map.panY = -500;
    int vx = 0, vy = 0;
    ASSERT_TRUE(ImageToView(map, 10, 20, vx, vy));
    EXPECT_EQ(vx, 50);
    EXPECT_EQ(vy, 32);
    ASSERT_TRUE(GameToView(map, 10.0f, 20.0f, vx, vy));
    EXPECT_EQ(vx, 50);
    EXPECT_EQ(vy, 32);
    EXPECT_FALSE(ImageToView(map, INT_MAX, 0, vx, vy));
    EXPECT_FALSE(GameToView(map, 1e9f, 0.0f, vx, vy));
    map.points.logicalX2 = 0.0f;  // degenerate
    EXPECT_FALSE(GameToView(map, 5.0f, 5.0f, vx, vy));
}

TEST(RasterView, MapImageSitsInTheMiddleOfTheBitmap) {
    EXPECT_EQ(ImageOffsetInMap(1000 + kMapMarginWidth, 1000), 640);
    EXPECT_EQ(ImageOffsetInMap(1001 + kMapMarginWidth, 1001), 640);
    EXPECT_EQ(ImageOffsetInMap(1 + kMapMarginHeight, 1), 512);
    EXPECT_EQ(ImageOffsetInMap(777 + kMapMarginHeight, 777), 512);
}

TEST(RasterView, Centring) {
    // Picture centred in the view; divisions truncate toward zero.
    EXPECT_EQ(CentredPan(600, 2280), -840);
    EXPECT_EQ(CentredPan(601, 2281), -840);
    EXPECT_EQ(CentredPan(2000, 1281), 360);
    // Keep centred: the pixel lands in the middle of the view.
    int pan = 0;
    ASSERT_TRUE(KeepCentredPan(600, 1000, 2280, 250, pan));
    EXPECT_EQ(pan, -590);
    EXPECT_EQ(250 + ImageOffsetInMap(2280, 1000) + pan, 300);
    ASSERT_TRUE(KeepCentredPan(601, 999, 2279, -40, pan));
    EXPECT_EQ(-40 + ImageOffsetInMap(2279, 999) + pan, 300);
    // Not clamped: far outside the picture is fine as long as it can be drawn.
    ASSERT_TRUE(KeepCentredPan(600, 1000, 2280, 50000, pan));
    EXPECT_EQ(pan, 300 + 500 - 1140 - 50000);
    pan = 123;
    EXPECT_FALSE(KeepCentredPan(600, 1000, 2280, INT_MIN, pan));
    EXPECT_EQ(pan, 123);
}

TEST(RasterView, DragPanStopsAtTheEdges) {
    // Map bitmap 2280 wide in a view 600 wide; drag began at x 300 with pan -840.
    EXPECT_EQ(DragPan(350, 300, -840, 2280, 600), -790);
    EXPECT_EQ(DragPan(250, 300, -840, 2280, 600), -890);
    // To the right: stops when pan reaches 0.
    EXPECT_EQ(DragPan(1200, 300, -840, 2280, 600), 0);
    // To the left: stops when the right edge meets the view's right edge.
    EXPECT_EQ(DragPan(-2000, 300, -840, 2280, 600), 600 - 2280);
    // Mouse left of the window while captured (negative positions).
    EXPECT_EQ(DragPan(-30, 300, -840, 2280, 600), -1170);
    // A map narrower than the view is aligned to the view's right edge.
    EXPECT_EQ(DragPan(400, 300, 0, 500, 600), 100);
    EXPECT_EQ(DragPan(100, 300, 0, 500, 600), 100);
    // Extreme start pans cannot overflow.
    EXPECT_EQ(DragPan(0, 65535, INT_MIN, 2280, 600), 600 - 2280);
    EXPECT_EQ(DragPan(0, 0, INT_MAX, 2280, 600), 0);
}

TEST(RasterStandBy, TextBox) {
    const TextBox box = StandByTextBox(600, 480);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 80);
    EXPECT_EQ(box.right, 500);
    EXPECT_EQ(box.bottom, 480);
    const TextBox odd = StandByTextBox(7, 13);
    EXPECT_EQ(odd.left, 1);
    EXPECT_EQ(odd.top, 2);
    EXPECT_EQ(odd.right, 6);
    EXPECT_EQ(odd.bottom, 13);
}

}  // namespace
}  // namespace tolvik
