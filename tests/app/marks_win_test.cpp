// Waypoints and corpse markers: the context menu items and commands, and corpses in the settings file.
#include <gtest/gtest.h>

#include "app/marks_win.h"
#include "chrome/marks_menu_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MenuItem;
using test::MenuItems;
constexpr const char* kZone = "East Commonlands";

TEST(MarksWindow, ContextMenuOffersTheMarksOnlyWhereTheyApply) {
    test::TempFolder folder{"marks"};
    test::MainWindowHarness h(folder.path());
    AppState& app = h.app();
    app.map.zoneName = kZone;
    std::vector<std::string> plain = MenuItems(app);
    // One game unit per view pixel, game (0, 0) at the view's top-left corner.
    app.map.calibrated = 1;
    app.map.points = CalibrationPoints{0, 0, 100, 100, 0.0f, 0.0f, -100.0f, 100.0f};
    app.map.imageOffsetX = app.map.imageOffsetY = app.map.panX = app.map.panY = 0;
    NoteMenuPoint(h.window(), app, MAKELPARAM(0, 0));  // over the buttons, not the map
    EXPECT_EQ(MenuItems(app), plain);

    POINT press{40, 30};
    MapWindowPoints(h.Item(IDC_MAP_VIEW), h.window(), &press, 1);
    NoteMenuPoint(h.window(), app, MAKELPARAM(press.x, press.y));
    TakeDeaths(h.program(), {Death{kZone, {1.0f, 2.0f, 3.0f}}}, false);
    std::vector<std::string> marks = plain;
    marks.insert(marks.end(), {"-", MenuItem(IDM_SET_WAYPOINT, "Set Waypoint Here"),
                               MenuItem(IDM_CLEAR_CORPSE, "Clear Corpse Marker")});
    EXPECT_EQ(MenuItems(app), marks);
    h.Command(IDM_SET_WAYPOINT);
    EXPECT_EQ(h.Stored("Waypoints", kZone), "-40.00, 30.00");
    marks.insert(marks.end() - 1, MenuItem(IDM_CLEAR_WAYPOINT, "Clear Waypoint"));
    EXPECT_EQ(MenuItems(app), marks);

    h.Command(IDM_CLEAR_WAYPOINT);
    h.Command(IDM_CLEAR_CORPSE);
    EXPECT_EQ(h.Stored("Waypoints", kZone) + h.Stored("Corpses", kZone), "<missing><missing>");
    NoteMenuPoint(h.window(), app, MAKELPARAM(0, 0));
    EXPECT_EQ(MenuItems(app), plain);
}

TEST(MarksWindow, CorpsesSurviveARestartAndAClearedOneStaysClearedWhenTheLogIsReadAgain) {
    test::TempFolder folder{"marks"};
    const Death old{kZone, {-150.0f, 200.0f, 5.0f}}, newer{kZone, {-10.0f, 20.0f, -3.0f}};
    {
        test::MainWindowHarness h(folder.path());
        TakeDeaths(h.program(), {old, Death{"[Evil] =", {1, 1, 1}}}, false);  // an unsafe key stays in memory
        EXPECT_EQ(h.app().marks.corpses.size(), 2u);
    }
    {
        test::MainWindowHarness h(folder.path());
        ASSERT_EQ(h.app().marks.corpses.size(), 1u);
        EXPECT_FLOAT_EQ(h.app().marks.corpses[kZone].y, 200.0f);
        h.app().map.zoneName = kZone;
        h.Command(IDM_CLEAR_CORPSE);
    }
    test::MainWindowHarness h(folder.path());
    TakeDeaths(h.program(), {old}, true);  // the same log read again from its start
    EXPECT_TRUE(h.app().marks.corpses.empty());
    TakeDeaths(h.program(), {old, newer}, true);
    EXPECT_EQ(h.Stored("Corpses", kZone), "-10.00, 20.00, -3.00");
    EXPECT_EQ(h.Stored("ClearedCorpses", kZone), "<missing>");
}

}  // namespace
}  // namespace tolvik
