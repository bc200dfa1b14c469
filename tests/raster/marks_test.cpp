#include "raster/marks.h"

#include <gtest/gtest.h>

#include <climits>

namespace tolvik {
namespace {

// The game's /loc prints Y, X, Z: +Y is north, +X is west.
TEST(Waypoint, DirectionDistanceAndReach) {
    const Position me{100.0f, -200.0f, 5.0f};
    struct Case { float x, y; const char* text; };
    for (const Case& c : {Case{100, 0, "200 away, north"}, {0, -100, "141 away, north-east"},
                          {0, -200, "100 away, east"}, {70, -240, "50 away, south-east"},
                          {100, -203.5f, "4 away, south"}, {103, -204, "5 away, south-west"},
                          {102.5f, -200, "3 away, west"}, {114.49f, -185.51f, "20 away, north-west"}})
        EXPECT_EQ(WaypointAwayText(me, {c.x, c.y, 0.0f}), c.text) << c.x << ", " << c.y;
    // Each word covers 22.5 degrees either side of its direction.
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {-0.4040f, 1.0f, 0}), "north");  // 22.0 degrees east of north
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {-0.4245f, 1.0f, 0}), "north-east");
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {0.4245f, -1.0f, 0}), "south-west");

    EXPECT_TRUE(WaypointReached(me, {100.0f, -185.0f, 0.0f}));
    EXPECT_TRUE(WaypointReached(me, {109.0f, -212.0f, 900.0f}));  // 9, 12: 15 away; height does not count
    EXPECT_FALSE(WaypointReached(me, {100.0f, -184.99f, 0.0f}));
    EXPECT_FALSE(WaypointReached(me, {88.0f, -209.01f, 0.0f}));
}

TEST(MarkValues, WrittenWithTwoDecimalsAndReadBack) {
    EXPECT_EQ(FormatWaypointValue({-220.13f, 1534.56f, 7.0f}), "-220.13, 1534.56");
    EXPECT_EQ(FormatCorpseValue({-220.13f, 1534.56f, 3.75f}), "-220.13, 1534.56, 3.75");
    for (const Position& p : {Position{0.5f, -0.25f, -12.0f}, Position{3e38f, -3e38f, 1e-3f}}) {
        Position waypoint, corpse;
        ASSERT_TRUE(ParseWaypointValue(FormatWaypointValue(p), waypoint));
        ASSERT_TRUE(ParseCorpseValue(FormatCorpseValue(p), corpse));
        EXPECT_FLOAT_EQ(waypoint.y, p.y);
        EXPECT_FLOAT_EQ(corpse.x, p.x);
        EXPECT_NEAR(corpse.z, p.z, 0.005f);
    }
    Position p;
    ASSERT_TRUE(ParseWaypointValue("  +1.5 ,-2e2\t", p));  // edited by hand
    EXPECT_EQ(p.x, 1.5f);
    EXPECT_EQ(p.y, -200.0f);
    for (const char* bad : {"", "1", "1, 2, 3", "1,, 2", "1, 2,", "a, 2", "1, 2x", "1 2, 3", "inf, 2", "0x10, 2",
                            "1e39, 2", "-, 2"}) {
        p = Position{9.0f, 8.0f, 7.0f};
        EXPECT_FALSE(ParseWaypointValue(bad, p)) << bad;
        EXPECT_EQ(p.x, 9.0f) << bad;
    }
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
    for (int dy = -9; dy <= 9; ++dy) {
        for (int dx = -9; dx <= 9; ++dx) {
            diamond += WaypointPixel(dx, dy) == MarkPixel::Fill;
            cross += CorpsePixel(dx, dy) == MarkPixel::Fill;
            const bool beyondReach = std::max(std::abs(dx), std::abs(dy)) > kMarkReach;
            if (beyondReach) {
                EXPECT_EQ(CorpsePixel(dx, dy), MarkPixel::None);
            }
        }
    }
    EXPECT_EQ(diamond, 85);  // |dx| + |dy| <= 6
    EXPECT_EQ(cross, 69);    // two strokes three pixels across a row, 13 rows, sharing the centre
    EXPECT_EQ(WaypointPixel(7, 0), MarkPixel::Outline);
    EXPECT_EQ(WaypointPixel(-3, 4), MarkPixel::Outline);
    EXPECT_EQ(WaypointPixel(4, 4), MarkPixel::None);
    for (int dx : {-6, -4, -2, 2, 4, 6}) EXPECT_EQ(CorpsePixel(dx, std::abs(dx) == 6 ? -6 : 3), MarkPixel::Fill) << dx;
    EXPECT_EQ(CorpsePixel(0, 2), MarkPixel::Outline);
    EXPECT_EQ(CorpsePixel(-7, 6), MarkPixel::Outline);  // end caps framed too
    EXPECT_EQ(CorpsePixel(6, 3), MarkPixel::None);

    const Rect big{-100, -100, 200, 200};
    std::vector<int> xs;
    for (const PixelPoint& p : DottedLinePixels(10, 5, 0, 5, big)) xs.push_back(p.x);
    EXPECT_EQ(xs, (std::vector<int>{10, 9, 6, 5, 2, 1}));
    // A clip box keeps exactly the dots of the whole line that fall inside it.
    const Rect box{20, 5, 60, 40};
    std::vector<std::pair<int, int>> expected, clipped;
    for (const PixelPoint& p : DottedLinePixels(0, 0, 100, 47, big)) {
        if (p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom) expected.emplace_back(p.x, p.y);
    }
    for (const PixelPoint& p : DottedLinePixels(0, 0, 100, 47, box)) clipped.emplace_back(p.x, p.y);
    EXPECT_EQ(clipped, expected);
    EXPECT_EQ(DottedLinePixels(INT_MIN, 7, INT_MAX, 7, Rect{0, 0, 400, 300}).size(), 200u);
}

}  // namespace
}  // namespace tolvik
