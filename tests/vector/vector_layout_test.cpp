#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "vector/vector_layout.h"

namespace tolvik {
namespace {

MapBounds Span(float minX, float maxX, float minY, float maxY) {
    MapBounds b;
    b.minX = minX;
    b.maxX = maxX;
    b.minY = minY;
    b.maxY = maxY;
    return b;
}

TEST(VectorBitmapSize, LongerSideGetsTheResolutionWithoutOverflow) {
    struct Case { MapBounds bounds; int resolution, width, height; };
    const Case cases[] = {
        {Span(-1000, 1000, 0, 1000), 800, 800, 400},       // 2000 x 1000 at 800
        {Span(0, 1000, -1000, 1000), 800, 400, 800},       // and swapped
        {Span(0, 999.9f, 0, 999.2f), 800, 800, 800},       // both extents 999
        {Span(0, 1000, 0, 333), 800, 800, 266},            // 800 x 333 / 1000 cuts toward zero
        {MapBounds{}, 800, 800, 800},                      // reset bounds: a square
        {Span(-1e6f, 1e6f, 0, 1e6f), 5000, 5000, 2500},    // product beyond 32 bits
        {Span(0, 0.9f, 0, 100), 800, 0, 0},                // less than one unit wide
        {Span(0, 10000, 0, 1), 800, 0, 0},                 // 800 x 1 / 10000 = 0
        {Span(0, 100, 0, 100), -800, 0, 0},
        {Span(-3e9f, 3e9f, 0, 100), 800, 0, 0},            // extents beyond the 32-bit range
        {Span(-FLT_MAX, FLT_MAX, 0, 100), 800, 0, 0},
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        EXPECT_EQ(VectorBitmapSize(c.bounds, c.resolution, w, h), c.width > 0) << c.bounds.maxX << " " << c.resolution;
        if (c.width > 0) EXPECT_EQ(std::pair(w, h), std::pair(c.width, c.height)) << c.bounds.maxX;
    }
}

VectorMapSettings Rendering(float minX, float maxX, float minY, float maxY, int w, int h) {
    VectorMapSettings s;
    s.working.logicalX1 = maxX;
    s.working.logicalY1 = maxY;
    s.working.logicalX2 = minX;
    s.working.logicalY2 = minY;
    s.BitmapWidth = w;
    s.BitmapHeight = h;
    return s;
}

TEST(VectorTransform, BoundsMapToTheBitmapEdges) {
    const VectorMapSettings s = Rendering(-1000, 1000, 0, 1000, 800, 400);
    int px = -1;
    int py = -1;
    ASSERT_TRUE(MapToPixel(s, -1000, 0, px, py));
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);
    ASSERT_TRUE(MapToPixel(s, 1000, 1000, px, py));
    EXPECT_EQ(px, 800);
    EXPECT_EQ(py, 400);
    // (1000 − 1) ÷ 2000 × 800 = 399.6, cut to 399: 800 − 399.
    ASSERT_TRUE(MapToPixel(s, 1, 500, px, py));
    EXPECT_EQ(px, 401);
    EXPECT_EQ(py, 200);
}

TEST(VectorHeightFilter, StrictDistancesAroundTheMiddleHeight) {
    VectorMapSettings s;
    s.UseHeightFilter = 1;
    s.FilterLow = 20;
    s.FilterHigh = 20;
    const float h = 10.0f;
    EXPECT_TRUE(PassesHeightFilter(s, 20, 30, h));     // m = 25
    EXPECT_FALSE(PassesHeightFilter(s, 31, 31, h));    // m = 31: 10 > 11 fails
    EXPECT_FALSE(PassesHeightFilter(s, -10, -10, h));  // m = −10: −10 + 20 > 10 fails
    EXPECT_TRUE(PassesHeightFilter(s, -9, -9, h));
    s.UseHeightFilter = 0;
    EXPECT_TRUE(PassesHeightFilter(s, 5000, 5000, h));
}

TEST(LabelFont, HeightFromPointsAndScreenResolution) {
    VectorMapSettings s;
    s.FontAdjust = 5;
    EXPECT_EQ(LabelFontHeight(LabelPoints(s, 2), 96), -9);  // 7 × 96 ÷ 72 = 9.33
    EXPECT_EQ(LabelFontHeight(10, 120), -16);
    EXPECT_EQ(LabelFontHeight(-7, 96), 9);
    s.FontAdjust = 10;
    EXPECT_EQ(LabelPoints(s, std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
    EXPECT_EQ(LabelFontHeight(std::numeric_limits<int>::max(), 96), std::numeric_limits<int>::min());
}

TEST(LabelPlacement, FirstPlaceIsStraightBelowTheAnchor) {
    LabelPlacement p(800, 600, 2);
    PixelRect box{0, 0, 41, 11};
    ASSERT_TRUE(PlaceLabel(p, box, 400, 300));
    EXPECT_EQ(box, (PixelRect{400, 321, 441, 332}));
    // Recorded widened by the spacing.
    ASSERT_EQ(p.occupied().size(), 1u);
    EXPECT_EQ(p.occupied()[0], (PixelRect{400, 321, 443, 334}));
}

TEST(LabelPlacement, TheEightyPixelRuleCarriesAcrossRings) {
    // A label of height 10 starts on a ring of radius 20. With its first spot
    // taken, the rings of radius 20, 30 and 40 hold no corner more than 80
    // pixels (x plus y) from the first corner tried, so the next one tried
    // lies on the ring of radius 50, up and to the right.
    LabelPlacement p(1000, 1000, 0);
    p.AddOccupied(PixelRect{500, 520, 540, 530});
    PixelRect box{0, 0, 40, 10};
    ASSERT_TRUE(PlaceLabel(p, box, 500, 500));
    const double dx = box.left - 500;
    const double dy = box.top - 500;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 50.0, 1.5);
    EXPECT_GT(dx, 0);
    EXPECT_LT(dy, 0);
    EXPECT_GT(std::abs(box.left - 500) + std::abs(box.top - 520), 80);
}

TEST(LabelPlacement, NoPlaceForALabelLargerThanTheBitmap) {
    LabelPlacement p(100, 100, 2);
    PixelRect box{0, 0, 101, 5};
    EXPECT_FALSE(PlaceLabel(p, box, 50, 50));
    EXPECT_EQ(box, (PixelRect{0, 0, 101, 5}));
    EXPECT_TRUE(p.occupied().empty());
    // Huge boxes and far anchors end the search without overflow.
    box = PixelRect{0, 0, 1 << 29, 1 << 29};
    EXPECT_FALSE(PlaceLabel(p, box, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()));
}

TEST(LabelPlacement, SpotsTouchingOthersAreFreeOverlapsAreNot) {
    LabelPlacement p(100, 100, 0);
    p.AddOccupied(PixelRect{10, 10, 20, 20});
    EXPECT_TRUE(IsLabelSpotFree(p, PixelRect{20, 10, 30, 20}));
    EXPECT_TRUE(IsLabelSpotFree(p, PixelRect{0, 0, 10, 10}));
    EXPECT_FALSE(IsLabelSpotFree(p, PixelRect{19, 19, 30, 30}));
    EXPECT_FALSE(IsLabelSpotFree(p, PixelRect{-1, 50, 5, 60}));
    EXPECT_FALSE(IsLabelSpotFree(p, PixelRect{90, 50, 101, 60}));
    EXPECT_TRUE(IsLabelSpotFree(p, PixelRect{90, 90, 100, 100}));
}

TEST(LabelPlacement, QuickLookUpAgreesWithTheWholeList) {
    std::mt19937 random(7);
    for (const auto& [w, h] : {std::pair{300, 200}, std::pair{1600, 37}, std::pair{5000, 4000}}) {
        LabelPlacement p(w, h, 0);
        std::uniform_int_distribution<int> xs(-50, w + 50);
        std::uniform_int_distribution<int> ys(-50, h + 50);
        std::uniform_int_distribution<int> sizes(-5, 120);
        std::vector<PixelRect> all;
        for (int i = 0; i < 300; ++i) {
            const int x = xs(random);
            const int y = ys(random);
            const PixelRect r{x, y, x + sizes(random), y + sizes(random)};
            p.AddOccupied(r);
            all.push_back(r);
        }
        for (int i = 0; i < 2000; ++i) {
            const int x = xs(random);
            const int y = ys(random);
            const PixelRect q{x, y, x + sizes(random), y + sizes(random)};
            bool expected = q.left >= 0 && q.top >= 0 && q.right <= w && q.bottom <= h;
            for (const PixelRect& o : all) {
                if (std::max(q.left, o.left) < std::min(q.right, o.right) &&
                    std::max(q.top, o.top) < std::min(q.bottom, o.bottom)) {
                    expected = false;
                }
            }
            ASSERT_EQ(IsLabelSpotFree(p, q), expected) << w << " " << q.left << "," << q.top;
        }
    }
}

TEST(LabelPlacement, OccupiedListHoldsAtMost1024) {
    LabelPlacement p(100000, 100000, 0);
    for (int i = 0; i < 1100; ++i) p.AddOccupied(PixelRect{i * 10, 0, i * 10 + 5, 5});
    EXPECT_EQ(p.occupied().size(), 1024u);
    // Later labels are placed but no longer recorded.
    PixelRect box{0, 0, 10, 10};
    EXPECT_TRUE(PlaceLabel(p, box, 50000, 50000));
    EXPECT_EQ(p.occupied().size(), 1024u);
    PixelRect again{0, 0, 10, 10};
    EXPECT_TRUE(PlaceLabel(p, again, 50000, 50000));
    EXPECT_EQ(again, box);
}

}  // namespace
}  // namespace tolvik
