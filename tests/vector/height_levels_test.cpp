#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "vector/follow_height.h"
#include "vector/height_levels.h"
#include "vector/vector_layout.h"

namespace tolvik {
namespace {

HeightLevels Levels(const std::vector<float>& middles) {
    HeightLevels levels;
    for (float m : middles) AddLineHeight(levels, m);
    SealHeightLevels(levels);
    return levels;
}

TEST(HeightLevels, OnlyHeightsThatCrossABandEdgeChangeThePassingLines) {
    // Low 5, high 30: the line at 0 passes for −5 < h < 30, the one at 50
    // for 45 < h < 80.
    const HeightLevels levels = Levels({50.0f, 0.0f});
    struct Case { float from, to; bool changes; };
    const Case cases[] = {
        {10, 29.9f, false}, {10, 30, true},    // the top edge is excluded
        {10, -4.9f, false}, {10, -5, true},    // and so is the bottom edge
        {30, 45, false},    {30, 45.01f, true},  // between the bands nothing passes
        {-50, 100, false},  // below and above everything: nothing either way
        {10, 50, true},     {50, 79, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterPassesOtherLines(levels, 5, 30, c.from, c.to), c.changes) << c.from << " -> " << c.to;
        EXPECT_EQ(FilterPassesOtherLines(levels, 5, 30, c.to, c.from), c.changes) << c.to << " -> " << c.from;
    }
    // Lines without a number for a height never pass.
    EXPECT_FALSE(FilterPassesOtherLines(Levels({std::nanf("")}), 20, 20, 0, 1000));
    EXPECT_TRUE(FilterPassesOtherLines(Levels({std::nanf(""), 0.0f}), 20, 20, 10, 30));
    EXPECT_FALSE(FilterPassesOtherLines(Levels({}), 20, 20, 0, 1000));
}

TEST(HeightLevels, AgreesWithComparingTheFilterLineByLine) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<float> middles;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) middles.push_back(static_cast<float>(static_cast<int>(random() % 41) - 20) * 0.5f);
        const int low = static_cast<int>(random() % 13) - 2;
        const int high = static_cast<int>(random() % 13) - 2;
        const HeightLevels levels = Levels(middles);
        // Heights on, just below and just above the band edges.
        std::vector<float> heights{-1000.0f, 1000.0f};
        for (float m : middles) {
            for (float edge : {m - static_cast<float>(low), m + static_cast<float>(high)}) {
                heights.insert(heights.end(), {edge, std::nextafter(edge, -1e9f), std::nextafter(edge, 1e9f)});
            }
        }
        for (float a : heights) {
            for (float b : heights) {
                bool differ = false;
                for (float m : middles) differ |= WithinHeightBand(m, low, high, a) != WithinHeightBand(m, low, high, b);
                ASSERT_EQ(FilterPassesOtherLines(levels, low, high, a, b), differ) << a << " " << b << " low " << low << " high " << high;
            }
        }
    }
}

TEST(HeightLevels, RenderOnlyWhileFilteringAndFollowing) {
    VectorMapSettings s;
    s.levels = Levels({0.0f});
    s.UseHeightFilter = 1;
    EXPECT_TRUE(HeightCallsForRender(s, 20.0f));   // 0 + 20 > 20 fails
    EXPECT_FALSE(HeightCallsForRender(s, 19.0f));
    s.FilterHigh = 21;
    EXPECT_FALSE(HeightCallsForRender(s, 20.0f));  // the filter's own distances
    s.FollowHeight = 0;
    EXPECT_FALSE(HeightCallsForRender(s, 50.0f));
    s.FollowHeight = 1;
    s.UseHeightFilter = 0;
    EXPECT_FALSE(HeightCallsForRender(s, 50.0f));
}

TEST(FadedColour, EachChannelAQuarterOfTheWayFromTheBackground) {
    // (c + 3b) / 4 per channel, cut toward zero.
    EXPECT_EQ(FadedColour(MakeColour(200, 100, 40), MakeColour(10, 20, 30)), MakeColour(57, 40, 32));
    EXPECT_EQ(FadedColour(MakeColour(0, 255, 3), MakeColour(255, 0, 1)), MakeColour(191, 63, 1));
    EXPECT_EQ(FadedColour(0xFF000000u | MakeColour(4, 8, 12), MakeColour(0, 0, 0)), MakeColour(1, 2, 3));
}

}  // namespace
}  // namespace tolvik
