// Waypoints and corpse markers in the real main window: the context menu
// items and their commands, and corpses kept in the settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/marks_win.h"
#include "base/profile_win.h"
#include "chrome/context_menu_win.h"
#include "chrome/marks_menu_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

constexpr const char* kZone = "East Commonlands";

class MarksWindow : public ::testing::Test {
protected:
    test::TempFolder folder{"marks"};
    std::string Stored(const char* section) const {
        return ReadProfileText(section, kZone, "<missing>", folder / "Tolvik.ini");
    }
    static std::vector<std::string> MenuTexts(const AppState& app) {
        HMENU menu = BuildContextMenu(app);
        std::vector<std::string> texts;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            texts.emplace_back(text);
        }
        DestroyMenu(menu);
        return texts;
    }
};

TEST_F(MarksWindow, ContextMenuOffersTheMarksOnlyWhereTheyApply) {
    test::MainWindowHarness h(folder.path());
    AppState& app = h.app();
    app.map.zoneName = kZone;
    const std::vector<std::string> plain = MenuTexts(app);
    // One game unit per view pixel, game (0, 0) at the view's top-left corner.
    app.map.calibrated = 1;
    app.map.points = CalibrationPoints{0, 0, 100, 100, 0.0f, 0.0f, -100.0f, 100.0f};
    app.map.imageOffsetX = app.map.imageOffsetY = app.map.panX = app.map.panY = 0;
    NoteMenuPoint(h.window(), app, MAKELPARAM(0, 0));  // over the buttons, not the map
    EXPECT_EQ(MenuTexts(app), plain);

    POINT press{40, 30};
    MapWindowPoints(GetDlgItem(h.window(), IDC_MAP_VIEW), h.window(), &press, 1);
    NoteMenuPoint(h.window(), app, MAKELPARAM(press.x, press.y));
    TakeDeaths(h.program(), {Death{kZone, {1.0f, 2.0f, 3.0f}}}, false);
    std::vector<std::string> texts = MenuTexts(app);
    ASSERT_EQ(texts.size(), plain.size() + 3);
    EXPECT_EQ(texts[plain.size()], "");  // separator
    EXPECT_EQ(texts[plain.size() + 1], "Set Waypoint Here");
    EXPECT_EQ(texts[plain.size() + 2], "Clear Corpse Marker");
    h.Command(IDM_SET_WAYPOINT);
    EXPECT_EQ(Stored("Waypoints"), "-40.00, 30.00");
    EXPECT_EQ(MenuTexts(app)[plain.size() + 2], "Clear Waypoint");

    h.Command(IDM_CLEAR_WAYPOINT);
    h.Command(IDM_CLEAR_CORPSE);
    EXPECT_EQ(Stored("Waypoints"), "<missing>");
    EXPECT_EQ(Stored("Corpses"), "<missing>");
    NoteMenuPoint(h.window(), app, MAKELPARAM(0, 0));
    EXPECT_EQ(MenuTexts(app), plain);
}

TEST_F(MarksWindow, CorpsesSurviveARestartAndAClearedOneStaysClearedWhenTheLogIsReadAgain) {
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
    EXPECT_EQ(Stored("Corpses"), "-10.00, 20.00, -3.00");
    EXPECT_EQ(Stored("ClearedCorpses"), "<missing>");
}

}  // namespace
}  // namespace tolvik
