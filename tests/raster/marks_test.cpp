#include "raster/marks.h"

#include <gtest/gtest.h>

#include <climits>

#include "chrome/hover_text.h"

namespace tolvik {
namespace {

// The game's /loc prints Y, X, Z: +Y is north, +X is west.
TEST(Waypoint, DirectionAndDistanceFollowTheGamesAxes) {
    const Position player{100.0f, -200.0f, 5.0f};
    struct Case { float x, y; const char* word; const char* text; };
    for (const Case& c : {Case{100, 0, "north", "200 away, north"},
                          {0, -100, "north-east", "141 away, north-east"},
                          {0, -200, "east", "100 away, east"},
                          {70, -240, "south-east", "50 away, south-east"},
                          {100, -203.5f, "south", "4 away, south"},
                          {103, -204, "south-west", "5 away, south-west"},
                          {102.5f, -200, "west", "3 away, west"},  // 2.5 rounds up
                          {114.49f, -185.51f, "north-west", "20 away, north-west"}}) {
        const Position waypoint{c.x, c.y, 0.0f};
        EXPECT_STREQ(CompassDirection(player, waypoint), c.word) << c.x << ", " << c.y;
        EXPECT_EQ(WaypointAwayText(player, waypoint), c.text) << c.x << ", " << c.y;
    }
    // Sector edges lie 22.5 degrees either side of each word.
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {-0.4040f, 1.0f, 0}), "north");       // 22.0 degrees east of north
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {-0.4245f, 1.0f, 0}), "north-east");  // 23.0 degrees
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {0.4040f, 1.0f, 0}), "north");
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {0.4245f, 1.0f, 0}), "north-west");
    EXPECT_STREQ(CompassDirection({0, 0, 0}, {0.4245f, -1.0f, 0}), "south-west");
}

TEST(Waypoint, ReachedWithinFifteenUnitsHorizontally) {
    const Position player{10.0f, 20.0f, 0.0f};
    EXPECT_TRUE(WaypointReached(player, {10.0f, 35.0f, 0.0f}));
    EXPECT_TRUE(WaypointReached(player, {19.0f, 8.0f, 900.0f}));  // 9, 12: 15 away; height does not count
    EXPECT_FALSE(WaypointReached(player, {10.0f, 35.01f, 0.0f}));
    EXPECT_FALSE(WaypointReached(player, {-2.0f, 29.01f, 0.0f}));  // 12, 9.01
}

TEST(Waypoint, TitleNamesTheShownZonesWaypointFromTheNewestPosition) {
    AppState app;
    app.map.zoneName = "Greater Faydark";
    EXPECT_EQ(IdleTitleText(app), "Tolvik");
    app.zones.table.storage.resize(2);
    app.zones.table.storage[0].name = "Greater Faydark";
    app.zones.table.storage[1].name = "Butcherblock Mountains";
    app.zones.currentRecord = 0;
    app.marks.waypoints["Greater Faydark"] = Position{-50.0f, 300.0f, 0.0f};
    EXPECT_EQ(IdleTitleText(app), "Tolvik");  // no position yet
    LocationTrail& trail = app.zones.table.storage[0].current;
    trail.slots[0] = Position{0.0f, 0.0f, 0.0f};
    trail.slots[1] = Position{-50.0f, 0.0f, 0.0f};
    trail.count = 2;
    EXPECT_EQ(IdleTitleText(app), "Tolvik - waypoint 304 away, north");
    app.zones.currentRecord = 1;
    EXPECT_EQ(IdleTitleText(app), "Tolvik");
}

TEST(MarkValues, WrittenWithTwoDecimalsAndReadBack) {
    EXPECT_EQ(FormatWaypointValue({-220.13f, 1534.56f, 7.0f}), "-220.13, 1534.56");
    EXPECT_EQ(FormatCorpseValue({-220.13f, 1534.56f, 3.75f}), "-220.13, 1534.56, 3.75");

    for (const Position& p : {Position{-220.13f, 1534.56f, 3.75f}, Position{0.5f, -0.25f, -12.0f},
                              Position{3e38f, -3e38f, 1e-3f}}) {
        Position waypoint, corpse;
        ASSERT_TRUE(ParseWaypointValue(FormatWaypointValue(p), waypoint));
        ASSERT_TRUE(ParseCorpseValue(FormatCorpseValue(p), corpse));
        EXPECT_FLOAT_EQ(waypoint.x, p.x);
        EXPECT_FLOAT_EQ(waypoint.y, p.y);
        EXPECT_EQ(waypoint.z, 0.0f);
        EXPECT_FLOAT_EQ(corpse.x, p.x);
        EXPECT_FLOAT_EQ(corpse.y, p.y);
        EXPECT_NEAR(corpse.z, p.z, 0.005f);
    }
    Position p;
    ASSERT_TRUE(ParseWaypointValue("  +1.5 ,-2e2\t", p));  // edited by hand
    EXPECT_EQ(p.x, 1.5f);
    EXPECT_EQ(p.y, -200.0f);

    const Position untouched{9.0f, 8.0f, 7.0f};
    for (const char* bad : {"", "1", "1, 2, 3", "1,, 2", "1, 2,", ", 1", "a, 2", "1, 2x", "1 2, 3", "inf, 2",
                            "nan, 1", "0x10, 2", "1e39, 2", "-", "."}) {
        p = untouched;
        EXPECT_FALSE(ParseWaypointValue(bad, p)) << bad;
        EXPECT_EQ(p.x, 9.0f) << bad;
    }
    EXPECT_FALSE(ParseCorpseValue("1, 2", p));
    EXPECT_FALSE(ParseCorpseValue("1, 2, 3, 4", p));
}

TEST(MarkValues, AWholeLogReadAgainBringsOnlyNewerDeaths) {
    const Position a{1.0f, 2.0f, 3.0f}, b{4.0f, 5.0f, 6.0f}, c{7.0f, 8.0f, 9.0f};
    const std::vector<Death> deaths{{"Cave", a}, {"Field", b}, {"Cave", b}, {"Cave", c}, {"Field", c}};
    const auto zonesAndXs = [](const std::vector<Death>& news) {
        std::string s;
        for (const Death& d : news) s += d.zone + "@" + std::to_string(static_cast<int>(d.where.x)) + " ";
        return s;
    };
    EXPECT_EQ(zonesAndXs(NewDeaths(deaths, {})), "Cave@7 Field@7 ");
    // The known corpse is the last in its zone: nothing new there.
    EXPECT_EQ(zonesAndXs(NewDeaths(deaths, {{"Cave", c}})), "Field@7 ");
    // Deaths after the known one count; those before it do not.
    EXPECT_EQ(zonesAndXs(NewDeaths(deaths, {{"Cave", b}, {"Field", b}})), "Cave@7 Field@7 ");
    EXPECT_EQ(zonesAndXs(NewDeaths({{"Cave", c}, {"Cave", a}, {"Cave", c}}, {{"Cave", c}})), "");
    // Known to two decimals, as the settings file keeps it.
    EXPECT_EQ(zonesAndXs(NewDeaths({{"Cave", {7.001f, 8.0f, 9.0f}}}, {{"Cave", c}})), "");
}

TEST(MarkShapes, DiamondAndCross) {
    int diamond = 0, cross = 0, crossWidth = 0, crossHeight = 0;
    for (int dy = -kMarkReach - 1; dy <= kMarkReach + 1; ++dy) {
        for (int dx = -kMarkReach - 1; dx <= kMarkReach + 1; ++dx) {
            if (WaypointPixel(dx, dy) == MarkPixel::Fill) ++diamond;
            if (CorpsePixel(dx, dy) == MarkPixel::Fill) {
                ++cross;
                crossWidth = std::max(crossWidth, 2 * std::abs(dx) + 1);
                crossHeight = std::max(crossHeight, 2 * std::abs(dy) + 1);
            }
            if (std::abs(dx) > kMarkReach || std::abs(dy) > kMarkReach) {
                EXPECT_EQ(WaypointPixel(dx, dy), MarkPixel::None);
                EXPECT_EQ(CorpsePixel(dx, dy), MarkPixel::None);
            }
        }
    }
    EXPECT_EQ(diamond, 85);  // radius 6
    EXPECT_EQ(WaypointPixel(0, 0), MarkPixel::Fill);
    EXPECT_EQ(WaypointPixel(0, -6), MarkPixel::Fill);
    EXPECT_EQ(WaypointPixel(3, -3), MarkPixel::Fill);
    EXPECT_EQ(WaypointPixel(7, 0), MarkPixel::Outline);
    EXPECT_EQ(WaypointPixel(-3, 4), MarkPixel::Outline);
    EXPECT_EQ(WaypointPixel(4, 4), MarkPixel::None);

    EXPECT_EQ(crossWidth, 13);
    EXPECT_EQ(crossHeight, 13);
    EXPECT_EQ(CorpsePixel(0, 0), MarkPixel::Fill);
    for (int dx : {2, 3, 4}) EXPECT_EQ(CorpsePixel(dx, 3), MarkPixel::Fill) << dx;      // a row crosses a stroke
    for (int dx : {-4, -3, -2}) EXPECT_EQ(CorpsePixel(dx, 3), MarkPixel::Fill) << dx;  // and the other
    EXPECT_EQ(CorpsePixel(1, 3), MarkPixel::Outline);
    EXPECT_EQ(CorpsePixel(0, 2), MarkPixel::Outline);
    EXPECT_EQ(CorpsePixel(0, 3), MarkPixel::None);
    EXPECT_EQ(CorpsePixel(-6, 6), MarkPixel::Fill);
    EXPECT_EQ(CorpsePixel(-7, 6), MarkPixel::Outline);  // end caps framed too
    EXPECT_EQ(CorpsePixel(6, 4), MarkPixel::Outline);
    EXPECT_EQ(CorpsePixel(6, 3), MarkPixel::None);
}

TEST(MarkShapes, DottedLineStepsOnlyThroughTheClipBox) {
    const Rect big{-100, -100, 200, 200};
    const auto xs = [](const std::vector<PixelPoint>& dots) {
        std::vector<int> v;
        for (const PixelPoint& p : dots) v.push_back(p.x);
        return v;
    };
    EXPECT_EQ(xs(DottedLinePixels(0, 5, 10, 5, big)), (std::vector<int>{0, 1, 4, 5, 8, 9}));
    EXPECT_EQ(xs(DottedLinePixels(10, 5, 0, 5, big)), (std::vector<int>{10, 9, 6, 5, 2, 1}));
    EXPECT_TRUE(DottedLinePixels(3, 3, 3, 3, big).empty());

    // A clip box keeps exactly the dots of the whole line that fall inside it.
    const Rect box{20, 5, 60, 40};
    std::vector<PixelPoint> expected;
    for (const PixelPoint& p : DottedLinePixels(0, 0, 100, 47, Rect{-10, -10, 200, 200}))
        if (p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom) expected.push_back(p);
    const std::vector<PixelPoint> clipped = DottedLinePixels(0, 0, 100, 47, box);
    ASSERT_EQ(clipped.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(clipped[i].x, expected[i].x) << i;
        EXPECT_EQ(clipped[i].y, expected[i].y) << i;
    }

    // Ends far outside: only the visible stretch, dotted half of its pixels.
    EXPECT_EQ(DottedLinePixels(INT_MIN, 7, INT_MAX, 7, Rect{0, 0, 400, 300}).size(), 200u);
    EXPECT_TRUE(DottedLinePixels(INT_MIN, -5, INT_MAX, -5, Rect{0, 0, 400, 300}).empty());
}

}  // namespace
}  // namespace tolvik
