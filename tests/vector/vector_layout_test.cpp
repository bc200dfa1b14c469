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

TEST(VectorBitmapSize, LongerSideGetsTheResolution) {
    int w = 0;
    int h = 0;
    ASSERT_TRUE(VectorBitmapSize(Span(-1000, 1000, 0, 1000), 800, w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 400);
    ASSERT_TRUE(VectorBitmapSize(Span(0, 1000, -1000, 1000), 800, w, h));
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 800);
    ASSERT_TRUE(VectorBitmapSize(Span(0, 999.9f, 0, 999.2f), 800, w, h));  // both extents 999
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 800);
    // 800 × 333 ÷ 1000 cuts toward zero.
    ASSERT_TRUE(VectorBitmapSize(Span(0, 1000, 0, 333), 800, w, h));
    EXPECT_EQ(h, 266);
}

TEST(VectorBitmapSize, EmptyMapAndLargeProductsDoNotOverflow) {
    int w = 0;
    int h = 0;
    // The reset bounds: extents of 2,000,000 units, a square.
    ASSERT_TRUE(VectorBitmapSize(MapBounds{}, 800, w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 800);
    // 5000 × 1,000,000 exceeds 32 bits before the division.
    ASSERT_TRUE(VectorBitmapSize(Span(-1e6f, 1e6f, 0, 1e6f), 5000, w, h));
    EXPECT_EQ(w, 5000);
    EXPECT_EQ(h, 2500);
}

TEST(VectorBitmapSize, NoAreaNoBitmap) {
    int w = 0;
    int h = 0;
    EXPECT_FALSE(VectorBitmapSize(Span(0, 0.9f, 0, 100), 800, w, h));  // less than one unit wide
    EXPECT_FALSE(VectorBitmapSize(Span(0, 10000, 0, 1), 800, w, h));   // 800 × 1 ÷ 10000 = 0
    EXPECT_FALSE(VectorBitmapSize(Span(0, 100, 0, 100), 0, w, h));
    EXPECT_FALSE(VectorBitmapSize(Span(0, 100, 0, 100), -800, w, h));
    // Extents beyond the 32-bit range (or not finite).
    EXPECT_FALSE(VectorBitmapSize(Span(-3e9f, 3e9f, 0, 100), 800, w, h));
    EXPECT_FALSE(VectorBitmapSize(Span(-FLT_MAX, FLT_MAX, 0, 100), 800, w, h));
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

TEST(VectorTransform, PointsFarOutsideTheBoundsAreRefused) {
    const VectorMapSettings s = Rendering(0, 1, 0, 1, 800, 800);
    int px = 0;
    int py = 0;
    EXPECT_TRUE(MapToPixel(s, -10, 0.5f, px, py));
    EXPECT_EQ(px, -8000);
    EXPECT_FALSE(MapToPixel(s, -1e7f, 0.5f, px, py));
    EXPECT_FALSE(MapToPixel(s, 0.5f, 3e38f, px, py));
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

TEST(LabelPlacement, PlacedLabelsDoNotOverlapAndStayInside) {
    LabelPlacement p(300, 200, 2);
    std::vector<PixelRect> placed;
    for (int i = 0; i < 40; ++i) {
        PixelRect box{0, 0, 30 + (i % 5) * 7, 12};
        if (!PlaceLabel(p, box, 150 + (i % 3), 100)) continue;
        EXPECT_GE(box.left, 0);
        EXPECT_GE(box.top, 0);
        EXPECT_LE(box.right, 300);
        EXPECT_LE(box.bottom, 200);
        for (const PixelRect& other : placed) {
            const bool overlap = std::max(box.left, other.left) < std::min(box.right, other.right) &&
                                 std::max(box.top, other.top) < std::min(box.bottom, other.bottom);
            EXPECT_FALSE(overlap);
        }
        placed.push_back(box);
    }
    EXPECT_GT(placed.size(), 10u);
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
