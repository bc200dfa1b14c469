#include "raster/calibration.h"
#include "raster/map_math.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <utility>

namespace tolvik {
namespace {

CurrentMap Calibrated(CalibrationPoints points) {
    CurrentMap map;
    map.calibrated = 1, map.points = points;
    return map;
}

// Picture covering game X 1500 .. -1300 (mirrored) and Y -200 .. 1800, view offset 640 - 700, 512 - 400.
CurrentMap SampleMap() {
    CurrentMap map = Calibrated(CalibrationPoints{120, 80, 940, 610, 1500.0f, -200.0f, -1300.0f, 1800.0f});
    map.imageOffsetX = 640, map.imageOffsetY = 512, map.panX = -700, map.panY = -400;
    return map;
}

TEST(RasterConversion, GameToImageAndBack) {
    CurrentMap map = SampleMap();
    const PixelPoint p1 = GameToImage(map, 1500.0f, -200.0f);  // reference point 1 exactly
    EXPECT_TRUE(p1.valid);
    EXPECT_EQ(std::pair(p1.x, p1.y), std::pair(120, 80));
    const GamePoint g1 = ViewToGame(map, 120 + 640 - 700, 80 + 512 - 400);
    EXPECT_TRUE(g1.valid);
    EXPECT_FLOAT_EQ(g1.x, 1500.0f);
    EXPECT_FLOAT_EQ(g1.y, -200.0f);
    const GamePoint g2 = ViewToGame(map, 940 + 640 - 700, 610 + 512 - 400);
    EXPECT_NEAR(g2.x, -1300.0f, 0.01f);
    EXPECT_NEAR(g2.y, 1800.0f, 0.01f);
    int vx = 0, vy = 0;  // in the view: placement and pan added
    ASSERT_TRUE(GameToView(map, 1500.0f, -200.0f, vx, vy));
    EXPECT_EQ(std::pair(vx, vy), std::pair(120 + 640 - 700, 80 + 512 - 400));

    // One pixel per unit: -3.7 truncates to -3 (not -4).
    map = Calibrated(CalibrationPoints{100, 100, 200, 0, 0.0f, 0.0f, -100.0f, 100.0f});
    EXPECT_EQ(GameToImage(map, 3.7f, 0.0f).x, 97);
    EXPECT_EQ(GameToImage(map, 0.0f, 3.7f).y, 97);
    EXPECT_EQ(GameToImage(map, 0.0f, -3.7f).y, 103);
    // Mirrored axes need nothing special.
    map = Calibrated(CalibrationPoints{0, 0, 100, 100, 50.0f, -50.0f, -50.0f, 50.0f});
    EXPECT_EQ(std::pair(GameToImage(map, -40.0f, 40.0f).x, GameToImage(map, -40.0f, 40.0f).y), std::pair(90, 90));
    map.calibrated = 0;  // uncalibrated: zeros
    EXPECT_EQ(GameToImage(map, -40.0f, 40.0f).x, 0);
    EXPECT_EQ(ViewToGame(map, 10, 10).x, 0.0f);
}

TEST(RasterConversion, DegenerateCalibrationsGiveNoPosition) {
    CurrentMap map = SampleMap();
    map.points.logicalX2 = map.points.logicalX1;  // division by zero; NaN at the reference point
    EXPECT_FALSE(GameToImage(map, 0.0f, 0.0f).valid);
    EXPECT_FALSE(GameToImage(map, 1500.0f, -200.0f).valid);
    map = SampleMap();
    map.points.physicalY2 = map.points.physicalY1;
    EXPECT_FALSE(ViewToGame(map, 5, 5).valid);
    map = SampleMap();
    map.points.logicalX2 = 1500.001f;  // huge scale, values beyond int
    EXPECT_FALSE(GameToImage(map, -30000.0f, 0.0f).valid);
    map = SampleMap();
    map.points.physicalX1 = INT_MAX, map.points.physicalX2 = INT_MAX - 1000;  // sum overflows int
    EXPECT_FALSE(GameToImage(map, 3000.0f, 0.0f).valid);
    EXPECT_TRUE(GameToImage(map, -1300.0f, 0.0f).valid);

    int v = 7;
    EXPECT_TRUE(TruncToInt(-2147483648.0f, v));
    EXPECT_EQ(v, INT_MIN);
    EXPECT_TRUE(TruncToInt(2147483520.0f, v));  // largest float below 2^31
    EXPECT_EQ(v, 2147483520);
    for (float bad : {2147483648.0f, -2147483904.0f, INFINITY, NAN, FLT_MAX}) EXPECT_FALSE(TruncToInt(bad, v)) << bad;
}

}  // namespace
}  // namespace tolvik
