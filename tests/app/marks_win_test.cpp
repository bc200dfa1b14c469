// Waypoints and corpse markers in the real main window: set by Ctrl+click
// and the context menu, drawn where the calibration says, cleared, reached,
// and kept in the settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app/marks_win.h"
#include "base/profile_win.h"
#include "chrome/context_menu_win.h"
#include "chrome/marks_menu_win.h"
#include "raster/map_math.h"
#include "raster/map_view_win.h"
#include "raster/test_pictures_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;
using test::Picture;

constexpr std::uint32_t kMapColour = 0x808080;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr const char* kZone = "East Commonlands";

class MarksWindow : public ::testing::Test {
protected:
    test::TempFolder folder{"marks"};
    std::string log = folder / "eqlog_A_P1999.txt";
    std::unique_ptr<MainWindowHarness> h;

    void SetUp() override {
        // 400 x 300 picture, one pixel per game unit: game (0, 0) at pixel (100, 50); +X is west, so
        // the picture's X runs the other way.
        test::MakeFolder(folder / "Zones");
        ASSERT_TRUE(test::WritePicture(folder / "Zones\\East Commonlands.jpg",
                                       test::SolidPicture(400, 300, 0xFF000000u | kMapColour)));
        test::WriteFile(folder / "Zones\\East Commonlands.ini",
                        "[Physical]\r\nX1=100\r\nY1=50\r\nX2=300\r\nY2=250\r\n[Logical]\r\nX1=0.0000\r\n"
                        "Y1=0.0000\r\nX2=-200.0000\r\nY2=200.0000\r\n");
        test::WriteFile(log, "You have entered East Commonlands.\r\nYour Location is 30, -20, 0\r\n");
        WritePrivateProfileStringA("Settings", "Log File", log.c_str(), Ini().c_str());
        h = std::make_unique<MainWindowHarness>(folder.path());
        ASSERT_EQ(h->app().map.calibrated, 1);
    }

    std::string Ini() const { return folder / "Tolvik.ini"; }
    std::string Stored(const char* section) const { return ReadProfileText(section, kZone, "<missing>", Ini()); }

    POINT ViewOf(float x, float y) {
        int vx = 0, vy = 0;
        EXPECT_TRUE(GameToView(h->app().map, x, y, vx, vy));
        return POINT{vx, vy};
    }
    // Main window client position of a game position, as a mouse message carries it.
    LPARAM ClientOf(float x, float y) {
        POINT p = ViewOf(x, y);
        MapWindowPoints(GetDlgItem(h->window(), IDC_MAP_VIEW), h->window(), &p, 1);
        return MAKELPARAM(p.x, p.y);
    }
    Picture Frame() {
        RECT view{};
        GetClientRect(GetDlgItem(h->window(), IDC_MAP_VIEW), &view);
        test::Canvas canvas(view.right, view.bottom);
        DrawMapFrame(canvas.dc(), view, h->program(), false, 0);
        return canvas.pixels();
    }
    std::vector<std::string> MenuTexts() {
        HMENU menu = BuildContextMenu(h->app());
        std::vector<std::string> texts;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            texts.emplace_back(text);
        }
        DestroyMenu(menu);
        return texts;
    }
    std::string Title() const {
        char text[128] = {};
        GetWindowTextA(h->window(), text, sizeof text);
        return text;
    }
};

TEST_F(MarksWindow, CtrlClickSetsTheWaypointWithoutDraggingAndMarksLandWhereTheCalibrationSays) {
    SendMessageA(h->window(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, ClientOf(-100.0f, 100.0f));
    EXPECT_EQ(h->app().drag.dragging, 0);
    SendMessageA(h->window(), WM_LBUTTONUP, 0, ClientOf(-100.0f, 100.0f));
    EXPECT_EQ(Stored("Waypoints"), "-100.00, 100.00");
    SendMessageA(h->window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientOf(-50.0f, 50.0f));  // a plain click drags
    EXPECT_EQ(h->app().drag.dragging, 1);
    SendMessageA(h->window(), WM_LBUTTONUP, 0, ClientOf(-50.0f, 50.0f));
    EXPECT_EQ(Stored("Waypoints"), "-100.00, 100.00");

    TakeDeaths(h->program(), {Death{kZone, {-150.0f, 200.0f, 5.0f}}}, false);
    EXPECT_EQ(Stored("Corpses"), "-150.00, 200.00, 5.00");

    Picture frame = Frame();
    const POINT w = ViewOf(-100.0f, 100.0f), c = ViewOf(-150.0f, 200.0f), me = ViewOf(-20.0f, 30.0f);
    EXPECT_EQ(w.x, 200 + 640 + h->app().map.panX);
    EXPECT_EQ(frame.at(w.x, w.y), kYellow);
    EXPECT_EQ(frame.at(w.x, w.y - 6), kYellow);
    EXPECT_EQ(frame.at(w.x, w.y - 7), 0u);   // outline
    EXPECT_EQ(frame.at(w.x - 4, w.y + 3), 0u);
    EXPECT_EQ(frame.at(w.x, w.y - 8), kMapColour);
    EXPECT_EQ(frame.at(c.x, c.y), kWhite);
    EXPECT_EQ(frame.at(c.x + 6, c.y - 5), kWhite);
    EXPECT_EQ(frame.at(c.x - 3, c.y + 3), kWhite);
    EXPECT_EQ(frame.at(c.x, c.y + 2), 0u);  // outline between the strokes
    EXPECT_EQ(frame.at(c.x, c.y + 3), kMapColour);
    // The dotted line runs from the player (80 by 70 pixels away) to the waypoint: half of its
    // pixels, less those under the disc and the diamond.
    int dots = 0;
    for (int y = me.y; y <= w.y; ++y)
        for (int x = me.x; x <= w.x; ++x) dots += frame.at(x, y) == kYellow && std::abs(x - w.x) + std::abs(y - w.y) > 7;
    EXPECT_GE(dots, 28);
    EXPECT_LE(dots, 40);
}

TEST_F(MarksWindow, ContextMenuOffersTheMarksOnlyWhereTheyApply) {
    const std::vector<std::string> plain = MenuTexts();
    NoteMenuPoint(h->window(), h->app(), MAKELPARAM(0, 0));  // over the buttons, not the map
    EXPECT_EQ(MenuTexts(), plain);

    NoteMenuPoint(h->window(), h->app(), ClientOf(40.0f, -30.0f));
    std::vector<std::string> texts = MenuTexts();
    ASSERT_EQ(texts.size(), plain.size() + 2);
    EXPECT_EQ(texts[plain.size()], "");
    EXPECT_EQ(texts.back(), "Set Waypoint Here");
    h->Command(IDM_SET_WAYPOINT);
    EXPECT_EQ(Stored("Waypoints"), "40.00, -30.00");

    TakeDeaths(h->program(), {Death{kZone, {1.0f, 2.0f, 3.0f}}}, false);
    texts = MenuTexts();
    ASSERT_EQ(texts.size(), plain.size() + 4);
    EXPECT_EQ(texts[plain.size() + 2], "Clear Waypoint");
    EXPECT_EQ(texts[plain.size() + 3], "Clear Corpse Marker");

    h->Command(IDM_CLEAR_WAYPOINT);
    h->Command(IDM_CLEAR_CORPSE);
    EXPECT_EQ(Stored("Waypoints"), "<missing>");
    EXPECT_EQ(Stored("Corpses"), "<missing>");
    NoteMenuPoint(h->window(), h->app(), MAKELPARAM(0, 0));
    EXPECT_EQ(MenuTexts(), plain);
}

TEST_F(MarksWindow, ReachedWaypointIsClearedAndTheTitleShowsTheWayUntilThen) {
    SetWaypoint(h->program(), 0.0f, 0.0f);
    SetWindowPos(h->window(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetCursorPos(0, 0);
    h->Tick();
    EXPECT_EQ(Title(), "Tolvik - waypoint 36 away, south-west");  // from X -20 (east), Y 30 (north)

    test::AppendFile(log, "Your Location is 11, 11, 0\r\n");  // 15.56 away
    h->Poll();
    EXPECT_EQ(Stored("Waypoints"), "0.00, 0.00");
    EXPECT_EQ(Title(), "Tolvik - waypoint 16 away, south-east");
    test::AppendFile(log, "Your Location is -10.6, 10.6, 0\r\n");  // 14.99 away
    h->Poll();
    EXPECT_EQ(Stored("Waypoints"), "<missing>");
    EXPECT_EQ(Title(), "Tolvik");
}

TEST_F(MarksWindow, CorpsesSurviveARestartAndAClearedOneStaysClearedWhenTheLogIsReadAgain) {
    const Death old{kZone, {-150.0f, 200.0f, 5.0f}}, newer{kZone, {-10.0f, 20.0f, -3.0f}};
    TakeDeaths(h->program(), {old}, false);
    TakeDeaths(h->program(), {Death{"[Evil] =", {1.0f, 1.0f, 1.0f}}}, false);  // not a safe key: kept in memory only
    EXPECT_EQ(h->app().marks.corpses.size(), 2u);
    h.reset();

    h = std::make_unique<MainWindowHarness>(folder.path());
    ASSERT_EQ(h->app().marks.corpses.size(), 1u);
    EXPECT_FLOAT_EQ(h->app().marks.corpses[kZone].y, 200.0f);
    h->Command(IDM_CLEAR_CORPSE);
    h.reset();

    h = std::make_unique<MainWindowHarness>(folder.path());
    TakeDeaths(h->program(), {old}, true);  // the same log read again from its start
    EXPECT_TRUE(h->app().marks.corpses.empty());
    TakeDeaths(h->program(), {old, newer}, true);
    EXPECT_EQ(Stored("Corpses"), "-10.00, 20.00, -3.00");
    EXPECT_EQ(Stored("ClearedCorpses"), "<missing>");
}

}  // namespace
}  // namespace tolvik
