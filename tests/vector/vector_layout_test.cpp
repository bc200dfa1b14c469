#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <utility>

#include "vector/settings_controls.h"
#include "vector/vector_layout.h"

namespace tolvik {
namespace {

TEST(VectorBitmapSize, LongerSideGetsTheResolutionWithoutOverflow) {
    struct Case { MapBounds bounds; int resolution, width, height; };
    const Case cases[] = {
        {MapBounds{-1000, 1000, 0, 1000}, 800, 800, 400},  // 2000 x 1000 at 800
        {MapBounds{0, 1000, -1000, 1000}, 800, 400, 800},  // and swapped
        {MapBounds{0, 1000, 0, 333}, 800, 800, 266},  // 800 x 333 / 1000 cuts toward zero
        {MapBounds{}, 800, 800, 800},  // reset bounds (an empty map): a square
        {MapBounds{-1e6f, 1e6f, 0, 1e6f}, 5000, 5000, 2500},  // product beyond 32 bits
        {MapBounds{0, 0.9f, 0, 100}, 800, 0, 0},  // less than one unit wide
        {MapBounds{0, 10000, 0, 1}, 800, 0, 0},  // 800 x 1 / 10000 = 0
        {MapBounds{0, 100, 0, 100}, -800, 0, 0},
        {MapBounds{-FLT_MAX, FLT_MAX, 0, 100}, 800, 0, 0},  // extents beyond the 32-bit range
        {MapBounds{0, 100, 0, 100}, 7040, 7040, 7040},  // 8320 x 8064 with the map's margins: the largest made
        {MapBounds{0, 100, 0, 100}, 7041, 0, 0},
        {MapBounds{0, 100, 0, 99}, 40000, 0, 0},  // 40000 x 39600: refused, not made
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        EXPECT_EQ(VectorBitmapSize(c.bounds, c.resolution, w, h), c.width > 0) << c.bounds.maxX << " " << c.resolution;
        if (c.width > 0) {
            EXPECT_EQ(std::pair(w, h), std::pair(c.width, c.height)) << c.bounds.maxX;
        }
    }
}

TEST(LabelPlacement, FirstPlaceStraightBelowNoPlaceForAnOversizedLabel) {
    LabelPlacement p(800, 600, 2);
    Rect box{0, 0, 41, 11};
    ASSERT_TRUE(PlaceLabel(p, box, 400, 300));
    EXPECT_EQ(box, (Rect{400, 321, 441, 332}));  // bh + 10 below the anchor
    ASSERT_EQ(p.occupied().size(), 1u);               // recorded widened by the spacing
    EXPECT_EQ(p.occupied()[0], (Rect{400, 321, 443, 334}));
    box = Rect{0, 0, 801, 5};
    EXPECT_FALSE(PlaceLabel(p, box, 50, 50));
    EXPECT_EQ(p.occupied().size(), 1u);
}

TEST(HeightFilter, DrawsLinesWithinTheBandAroundThePlayer) {
    VectorMapSettings s;
    s.FilterLow = 10, s.FilterHigh = 30;  // a line of mean height 10 shows for players between 0 and 40
    for (auto [h, shown] : {std::pair{39.9f, true}, {40.0f, false}, {0.1f, true}, {0.0f, false}, {-500.0f, true}}) {
        s.UseHeightFilter = h > -500.0f;
        EXPECT_EQ(PassesHeightFilter(s, 0.0f, 20.0f, h), shown) << h;
    }
}

TEST(LabelFont, PointsWithTheAdjustmentAndCharacterHeightAtTheScreensDpi) {
    VectorMapSettings s;
    s.FontAdjust = 5;
    EXPECT_EQ(LabelPoints(s, 2), 7);
    EXPECT_EQ(LabelFontHeight(7, 96), -9);  // -trunc(7 x 96 / 72)
    EXPECT_EQ(LabelFontHeight(12, 120), -20);
    EXPECT_EQ(LabelFontHeight(2000000000, 96), INT_MIN);
}

TEST(VectorSettingsControls, DeadlineIsPassedOnlyAfterItsTickAcrossTheWrap) {
    EXPECT_FALSE(TickPastDeadline(1200, 1200));
    EXPECT_TRUE(TickPastDeadline(1201, 1200));
    EXPECT_FALSE(TickPastDeadline(0xFFFFFFF0u, 0x00000050u));
    EXPECT_TRUE(TickPastDeadline(0x00000010u, 0xFFFFFFF0u));
}

// Values from a settings file anyone can edit end up where the window's
// trackbars and fields could have put them.
TEST(VectorSettingsControls, SettingsFromTheFileAreBroughtIntoTheWindowsRanges) {
    struct Case { int given, resolution, font, spacing, filter; };
    for (const Case& c : {Case{40000, 1600, 10, 16, 40000}, {INT_MAX, 1600, 10, 16, INT_MAX}, {1601, 1600, 10, 16, 1601},
                          {1600, 1600, 10, 16, 1600}, {11, 400, 10, 11, 11}, {9, 400, 9, 9, 9}, {2, 400, 2, 2, 2},
                          {1, 400, 2, 1, 1}, {0, 400, 2, 0, 0}, {-1, 400, 2, 0, 0}, {INT_MIN, 400, 2, 0, 0},
                          {400, 400, 10, 16, 400}, {399, 400, 10, 16, 399}, {800, 800, 10, 16, 800}}) {
        VectorMapSettings v;
        v.MapResolution = v.FontAdjust = v.LabelSpacing = v.FilterLow = v.FilterHigh = c.given;
        ClampVectorSettings(v);
        EXPECT_EQ(v.MapResolution, c.resolution) << c.given;
        EXPECT_EQ(v.FontAdjust, c.font) << c.given;
        EXPECT_EQ(v.LabelSpacing, c.spacing) << c.given;
        EXPECT_EQ(v.FilterLow, c.filter) << c.given;
        EXPECT_EQ(v.FilterHigh, c.filter) << c.given;
    }
}

}  // namespace
}  // namespace tolvik
