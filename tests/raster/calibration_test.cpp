#include "raster/calibration.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

namespace tolvik {
namespace {

// Picture 1000 x 800 covering game X 1500 .. -1300 (mirrored) and Y -200 .. 1800.
CurrentMap SampleMap() {
    CurrentMap map;
    map.calibrated = 1;
    map.points = CalibrationPoints{120, 80, 940, 610, 1500.0f, -200.0f, -1300.0f, 1800.0f};
    map.imageOffsetX = 640;
    map.imageOffsetY = 512;
    map.imageWidth = 1000;
    map.imageHeight = 800;
    map.panX = -700;
    map.panY = -400;
    return map;
}

TEST(RasterConversion, ReferencePointsMapToTheirPixels) {
    const CurrentMap map = SampleMap();
    const PixelPoint p1 = GameToImage(map, 1500.0f, -200.0f);
    EXPECT_TRUE(p1.valid);
    EXPECT_EQ(p1.x, 120);
    EXPECT_EQ(p1.y, 80);
    // Point 2 up to the truncation toward zero.
    const PixelPoint p2 = GameToImage(map, -1300.0f, 1800.0f);
    EXPECT_TRUE(p2.valid);
    EXPECT_NEAR(p2.x, 940, 1);
    EXPECT_NEAR(p2.y, 610, 1);
}

TEST(RasterConversion, OffsetsTruncateTowardZero) {
    CurrentMap map;
    map.calibrated = 1;
    // One pixel per game unit on X, with X running the normal way; Y mirrored.
    map.points = CalibrationPoints{100, 100, 200, 0, 0.0f, 0.0f, -100.0f, 100.0f};
    // X: sx = (100 - 200) / (0 - -100) = -1, so X = 3.7 gives -3.7 -> -3.
    EXPECT_EQ(GameToImage(map, 3.7f, 0.0f).x, 97);
    // Y: sy = (100 - 0) / (0 - 100) = -1, Y = 3.7 gives -3.7 -> -3 (not -4).
    EXPECT_EQ(GameToImage(map, 0.0f, 3.7f).y, 97);
    EXPECT_EQ(GameToImage(map, 0.0f, -3.7f).y, 103);
}

TEST(RasterConversion, MirroredAxesNeedNothingSpecial) {
    CurrentMap map;
    map.calibrated = 1;
    // Picture X grows as game X shrinks; picture Y grows with game Y.
    map.points = CalibrationPoints{0, 0, 100, 100, 50.0f, -50.0f, -50.0f, 50.0f};
    const PixelPoint p = GameToImage(map, 0.0f, 0.0f);
    EXPECT_EQ(p.x, 50);
    EXPECT_EQ(p.y, 50);
    const PixelPoint q = GameToImage(map, -40.0f, 40.0f);
    EXPECT_EQ(q.x, 90);
    EXPECT_EQ(q.y, 90);
}

TEST(RasterConversion, UncalibratedGivesZeros) {
    CurrentMap map = SampleMap();
    map.calibrated = 0;
    const PixelPoint p = GameToImage(map, 1500.0f, -200.0f);
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    const GamePoint g = ViewToGame(map, 10, 10);
    EXPECT_TRUE(g.valid);
    EXPECT_EQ(g.x, 0.0f);
    EXPECT_EQ(g.y, 0.0f);
}

TEST(RasterConversion, ViewToGameInvertsGameToImage) {
    const CurrentMap map = SampleMap();
    // Physical point 1 sits in the view at 120 + 640 - 700, 80 + 512 - 400.
    const GamePoint g1 = ViewToGame(map, 60, 192);
    EXPECT_TRUE(g1.valid);
    EXPECT_FLOAT_EQ(g1.x, 1500.0f);
    EXPECT_FLOAT_EQ(g1.y, -200.0f);
    const GamePoint g2 = ViewToGame(map, 940 + 640 - 700, 610 + 512 - 400);
    EXPECT_NEAR(g2.x, -1300.0f, 0.01f);
    EXPECT_NEAR(g2.y, 1800.0f, 0.01f);
}

TEST(RasterConversion, DegenerateCalibrationsGiveNoPosition) {
    CurrentMap map = SampleMap();
    map.points.logicalX2 = map.points.logicalX1;  // division by zero on X
    EXPECT_FALSE(GameToImage(map, 0.0f, 0.0f).valid);
    // At the reference point itself the product is NaN (infinity times zero).
    EXPECT_FALSE(GameToImage(map, 1500.0f, -200.0f).valid);

    map = SampleMap();
    map.points.physicalY2 = map.points.physicalY1;  // hover division by zero on Y
    const GamePoint g = ViewToGame(map, 5, 5);
    EXPECT_FALSE(g.valid);

    map = SampleMap();
    map.points.logicalX2 = 1500.001f;  // nearly equal: huge scale, values beyond int
    EXPECT_FALSE(GameToImage(map, -30000.0f, 0.0f).valid);

    map = SampleMap();
    map.points.physicalX1 = INT_MAX;  // sum overflows int
    map.points.physicalX2 = INT_MAX - 1000;
    EXPECT_FALSE(GameToImage(map, 3000.0f, 0.0f).valid);
    EXPECT_TRUE(GameToImage(map, 1500.0f, 0.0f).valid);
    EXPECT_TRUE(GameToImage(map, -1300.0f, 0.0f).valid);
}

TEST(RasterConversion, TruncationIsGuarded) {
    int v = 7;
    EXPECT_TRUE(TruncToInt(-3.7f, v));
    EXPECT_EQ(v, -3);
    EXPECT_TRUE(TruncToInt(-2147483648.0f, v));
    EXPECT_EQ(v, INT_MIN);
    EXPECT_TRUE(TruncToInt(2147483520.0f, v));  // largest float below 2^31
    EXPECT_EQ(v, 2147483520);
    EXPECT_FALSE(TruncToInt(2147483648.0f, v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(TruncToInt(-2147483904.0f, v));
    EXPECT_FALSE(TruncToInt(INFINITY, v));
    EXPECT_FALSE(TruncToInt(-INFINITY, v));
    EXPECT_FALSE(TruncToInt(NAN, v));
    EXPECT_FALSE(TruncToInt(FLT_MAX, v));
}

}  // namespace
}  // namespace tolvik
