// Vector map layout: bitmap size, label places and fonts, the height
// filter and its levels, and the settings window's controls.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <random>

#include "res/resource.h"
#include "vector/follow_height.h"
#include "vector/height_levels.h"
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
        EXPECT_TRUE(c.width <= 0 || std::pair(w, h) == std::pair(c.width, c.height)) << c.bounds.maxX << " " << w << "x" << h;
    }
}

TEST(LabelPlacement, FirstPlaceStraightBelowNoPlaceForAnOversizedLabel) {
    LabelPlacement p(800, 600, 2);
    Rect box{0, 0, 41, 11};
    ASSERT_TRUE(PlaceLabel(p, box, 400, 300));
    EXPECT_EQ(box, (Rect{400, 321, 441, 332}));  // bh + 10 below the anchor, recorded widened by the spacing
    EXPECT_EQ(p.occupied(), (std::vector{Rect{400, 321, 443, 334}}));
    // Its last pixel is taken; a box just beside it, down to the bitmap's bottom, is free.
    EXPECT_TRUE(!IsLabelSpotFree(p, Rect{442, 333, 443, 334}) && IsLabelSpotFree(p, Rect{443, 300, 800, 600}));
    box = Rect{0, 0, 801, 5};
    EXPECT_TRUE(!PlaceLabel(p, box, 50, 50) && p.occupied().size() == 1u);
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
    // -trunc(7 x 96 / 72), and cut to the int range.
    EXPECT_EQ(std::tuple(LabelPoints(s, 2), LabelFontHeight(7, 96), LabelFontHeight(12, 120), LabelFontHeight(2000000000, 96)),
              std::tuple(7, -9, -20, INT_MIN));
}

TEST(VectorSettingsControls, DeadlineIsPassedOnlyAfterItsTickAcrossTheWrap) {
    EXPECT_FALSE(TickPastDeadline(1200, 1200) || TickPastDeadline(0xFFFFFFF0u, 0x00000050u));
    EXPECT_TRUE(TickPastDeadline(1201, 1200) && TickPastDeadline(0x00000010u, 0xFFFFFFF0u));
}

// Values from a settings file anyone can edit end up where the window's trackbars and fields could have put them.
TEST(VectorSettingsControls, SettingsFromTheFileAreBroughtIntoTheWindowsRanges) {
    struct Case { int given, resolution, font, spacing, filter; };
    for (const Case& c : {Case{INT_MAX, 1600, 10, 16, INT_MAX}, {1601, 1600, 10, 16, 1601}, {1600, 1600, 10, 16, 1600},
                          {11, 400, 10, 11, 11}, {9, 400, 9, 9, 9}, {2, 400, 2, 2, 2}, {1, 400, 2, 1, 1}, {-1, 400, 2, 0, 0},
                          {INT_MIN, 400, 2, 0, 0}, {400, 400, 10, 16, 400}, {399, 400, 10, 16, 399}}) {
        VectorMapSettings v;
        v.MapResolution = v.FontAdjust = v.LabelSpacing = v.FilterLow = v.FilterHigh = c.given;
        ClampVectorSettings(v);
        EXPECT_EQ(std::tuple(v.MapResolution, v.FontAdjust, v.LabelSpacing, v.FilterLow, v.FilterHigh),
                  std::tuple(c.resolution, c.font, c.spacing, c.filter, c.filter)) << c.given;
    }
}


HeightLevels Levels(const std::vector<float>& middles) {
    HeightLevels levels;
    for (float m : middles) AddLineHeight(levels, m);
    SealHeightLevels(levels);
    return levels;
}

// Which lines pass changes exactly when one line passes at one height and not at the other.
TEST(HeightLevels, AgreesWithComparingTheFilterLineByLine) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<float> middles;
        for (int i = 0, count = static_cast<int>(random() % 12); i < count; ++i)
            middles.push_back(static_cast<float>(static_cast<int>(random() % 41) - 20) * 0.5f);
        const int low = static_cast<int>(random() % 13) - 2, high = static_cast<int>(random() % 13) - 2;
        const HeightLevels levels = Levels(middles);
        // Heights on, just below and just above the band edges.
        std::vector<float> heights{-1000.0f, 1000.0f};
        for (float m : middles)
            for (float edge : {m - static_cast<float>(low), m + static_cast<float>(high)})
                heights.insert(heights.end(), {edge, std::nextafter(edge, -1e9f), std::nextafter(edge, 1e9f)});
        for (float a : heights)
            for (float b : heights) {
                bool differ = false;
                for (float m : middles) differ |= WithinHeightBand(m, low, high, a) != WithinHeightBand(m, low, high, b);
                ASSERT_EQ(FilterPassesOtherLines(levels, low, high, a, b), differ) << a << " " << b << " " << low << " " << high;
            }
    }
    // Lines without a number for a height never pass.
    EXPECT_TRUE(!FilterPassesOtherLines(Levels({std::nanf("")}), 20, 20, 0, 1000) &&
                FilterPassesOtherLines(Levels({std::nanf(""), 0.0f}), 20, 20, 10, 30));
}

TEST(HeightLevels, RenderOnlyWhileFilteringAndFollowing) {
    VectorMapSettings s;
    s.levels = Levels({0.0f});
    s.UseHeightFilter = 1, s.FilterHigh = 21;  // the filter's own distances: 0 + 21 > 21 fails
    EXPECT_TRUE(HeightCallsForRender(s, 21.0f) && !HeightCallsForRender(s, 20.0f));
    s.FollowHeight = 0;
    const bool unfollowed = HeightCallsForRender(s, 50.0f);
    s.FollowHeight = 1, s.UseHeightFilter = 0;
    EXPECT_FALSE(unfollowed || HeightCallsForRender(s, 50.0f));
}


TEST(VectorSettingsControls, EachToggleFlipsItsOwnFlagAndNamesItsState) {
    VectorMapSettings s;
    s.ShowBase = 10, s.ShowLayer1 = 11, s.ShowLayer2 = 12, s.ShowLayer3 = 13, s.ShowLabels = 14, s.UseHeightFilter = 15;
    const struct { int id, flag; const char *on, *off; } toggles[] = {
        {IDC_VM_BASE, 10, "[Base]", "Base"}, {IDC_VM_LAYER1, 11, "[1]", "1"}, {IDC_VM_LAYER2, 12, "[2]", "2"},
        {IDC_VM_LAYER3, 13, "[3]", "3"}, {IDC_VM_LABELS, 14, "Hide", "Show"}, {IDC_VM_FILTER_ENABLE, 15, "Disable", "Enable"}};
    for (const auto& t : toggles) {
        int* flag = VectorToggleFlag(s, t.id);
        ASSERT_TRUE(flag && *flag == t.flag) << t.id;
        EXPECT_EQ(VectorSettingsButtonText(t.id, s, "x"), t.on) << t.id;
        *flag = 0;
        EXPECT_EQ(VectorSettingsButtonText(t.id, s, "x"), t.off) << t.id;
    }
    EXPECT_EQ(VectorToggleFlag(s, IDC_VM_SEARCH), nullptr);
    EXPECT_EQ(VectorSettingsButtonText(IDC_VM_SEARCH, s, std::string(200, 'c')), std::string(126, 'c'));
}

TEST(VectorSettingsControls, FilterFieldsTakePlainNumbersUpToTheIntRange) {
    int value = -1;
    EXPECT_TRUE(ParseFilterField("2147483647", value) && value == 2147483647);
    EXPECT_TRUE(ParseFilterField("0", value) && value == 0);
    for (const char* refused : {"", "2147483648", "99999999999999999999", "-1", "+5", "12a", " 7"})
        EXPECT_TRUE(!ParseFilterField(refused, value) && value == 0) << refused;
}

}  // namespace
}  // namespace tolvik
