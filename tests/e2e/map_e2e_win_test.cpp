// Maps on Tolvik.exe's screen: the demo zone's calibrated picture, panning, a corpse marker and a waypoint;
// a vector map with the disc where its bounds put it and its floors coloured by the player's height.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "e2e/tolvik_process_win.h"
#include "raster/calibration.h"
#include "raster/map_math.h"
#include "support/pictures_win.h"
#include "vector/vector_file.h"
#include "vector/vector_layout.h"

namespace tolvik::e2e {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0), kWhite = RGB(255, 255, 255), kYellow = RGB(255, 255, 0), kBlack = 0;
// The player at game (100, -200) in Greater Faydark.
constexpr float kX = 100.0f, kY = -200.0f;
constexpr const char* kStart =
    "[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
    "[Sun Dec 06 20:00:01 2026] Your Location is -200.00, 100.00, 4.00\r\n";

// The demo zone: a 1200 x 900 picture, 0.3 pixels per game unit, +X to the left.
constexpr int kDemoWidth = 1200, kDemoHeight = 900;
CurrentMap DemoMap() {
    CurrentMap map;
    map.calibrated = 1, map.points = CalibrationPoints{150, 150, 1050, 750, 1500.0f, 1000.0f, -1500.0f, -1000.0f};
    return map;
}

// Picture pixel `p` in the view, the map bitmap (picture and margins 1280 x 1024) panned to (panX, panY).
POINT ImageInView(PixelPoint p, int width, int height, int panX, int panY) {
    return POINT{p.x + (width + 1280) / 2 - width / 2 + panX, p.y + (height + 1024) / 2 - height / 2 + panY};
}
// The same with the map centred in the view, as a new map is.
POINT CentredInView(const RunningTolvik& tolvik, PixelPoint p, int width = kDemoWidth, int height = kDemoHeight) {
    const RECT view = tolvik.View();
    return ImageInView(p, width, height, view.right / 2 - (width + 1280) / 2, view.bottom / 2 - (height + 1024) / 2);
}
// True when the disc is drawn at view point `at` within four seconds.
bool DiscAt(const RunningTolvik& tolvik, POINT at) { return PixelBecomes(tolvik.ViewToScreen(at), kGreen, 4000); }

// The demo zone's picture and calibration, and a log that puts the player in it.
class DemoZoneOnScreen : public ::testing::Test {
protected:
    StagedProgram staged{"demo"};
    void SetUp() override {
        for (const char* file : {"Greater Faydark.jpg", "Greater Faydark.ini"})
            staged.Copy(DataFile(std::string("demo\\Zones\\") + file), std::string("Zones\\") + file);
        staged.StartLog(kStart);
    }
    // Starts Tolvik.exe and waits until it shows the player's position.
    bool Start() { return running.emplace(staged).window() && running->TextBecomes(IDC_POS_X, "100.00"); }
    std::optional<RunningTolvik> running;
};

TEST_F(DemoZoneOnScreen, DiscSitsWhereTheCalibrationSaysAndPanningStopsAtTheEdges) {
    ASSERT_TRUE(Start());
    RunningTolvik& tolvik = *running;
    SetForegroundWindow(tolvik.window());
    const RECT view = tolvik.View();
    const PixelPoint p = GameToImage(DemoMap(), kX, kY);
    const POINT disc = CentredInView(tolvik, p);
    ASSERT_TRUE(disc.x > 10 && disc.x < view.right - 110) << disc.x;
    EXPECT_TRUE(DiscAt(tolvik, disc)) << disc.x << "," << disc.y;
    const POINT middle{view.right / 2, view.bottom / 2};
    tolvik.Drag(middle, 100, 0);
    EXPECT_TRUE(DiscAt(tolvik, POINT{disc.x + 100, disc.y}));
    // Pushed far right the map bitmap's left edge stops at the view's left edge; far left, its right edge at the right.
    const int panY = view.bottom / 2 - (kDemoHeight + 1024) / 2;
    for (const int push : {30000, -30000}) {
        tolvik.Drag(middle, push, 0);
        tolvik.Drag(middle, push > 0 ? -900 : 900, 0);
        const int panX = push > 0 ? -900 : view.right - (kDemoWidth + 1280) + 900;
        EXPECT_TRUE(DiscAt(tolvik, ImageInView(p, kDemoWidth, kDemoHeight, panX, panY))) << push;
    }
    EXPECT_EQ(tolvik.Close(), 0u);
}

TEST_F(DemoZoneOnScreen, CorpseStaysThroughAZoneChangeAwayAndBack) {
    ASSERT_TRUE(Start());
    RunningTolvik& tolvik = *running;
    AppendFile(staged.log(), "[Sun Dec 06 20:01:00 2026] Your Location is -300.00, 200.00, 6.50\r\n"
                             "[Sun Dec 06 20:01:05 2026] You have been slain by a lesser mummy!\r\n"
                             "[Sun Dec 06 20:01:09 2026] You have entered Butcherblock Mountains.\r\n");
    ASSERT_TRUE(tolvik.TextBecomes(IDC_ZONE_FIELD, "Butcherblock Mountains", 5000));
    EXPECT_EQ(staged.Get("Corpses", "Greater Faydark"), "200.00, -300.00, 6.50");
    AppendFile(staged.log(), kStart);
    ASSERT_TRUE(tolvik.TextBecomes(IDC_ZONE_FIELD, "Greater Faydark", 5000));
    const POINT corpse = tolvik.ViewToScreen(CentredInView(tolvik, GameToImage(DemoMap(), 200.0f, -300.0f)));
    EXPECT_TRUE(PixelBecomes(corpse, kWhite)) << corpse.x << "," << corpse.y;
    EXPECT_EQ(ScreenPixel(POINT{corpse.x, corpse.y + 2}), kBlack);
    EXPECT_EQ(tolvik.Close(), 0u);
}

TEST_F(DemoZoneOnScreen, CtrlClickSetsAWaypointWhoseWayTheTitleTells) {
    ASSERT_TRUE(Start());
    RunningTolvik& tolvik = *running;
    // Picture pixel (510, 420) is game X 300, Y 100: 200 units west and 300 north of the player.
    const POINT click = CentredInView(tolvik, PixelPoint{510, 420, true});
    const POINT screen = tolvik.ViewToScreen(click);
    tolvik.Drag(click, 80, 40, MK_CONTROL);
    EXPECT_EQ(staged.Get("Waypoints", "Greater Faydark"), "300.00, 100.00");
    EXPECT_TRUE(PixelBecomes(screen, kYellow)) << screen.x << "," << screen.y;
    EXPECT_EQ(ScreenPixel(POINT{screen.x + 7, screen.y}), kBlack);
    // The click started no drag: the move after it did not pan the map under the player.
    EXPECT_TRUE(PixelBecomes(tolvik.ViewToScreen(CentredInView(tolvik, PixelPoint{570, 510, true})), kGreen));
    // With the pointer away from the map the title tells the way.
    RECT frame{};
    GetWindowRect(tolvik.window(), &frame);
    SetCursorPos(frame.right < 1270 ? 1275 : 2, frame.bottom < 1015 ? 1020 : 2);
    const auto title = [&] { return TextOf(tolvik.window()); };
    EXPECT_TRUE(WaitFor([&] { return title() == "Tolvik - waypoint 361 away, north-west"; })) << title();
    // Within 15 units it is reached and cleared.
    AppendFile(staged.log(), "[Sun Dec 06 20:05:00 2026] Your Location is 91.00, 290.00, 4.00\r\n");
    EXPECT_TRUE(WaitFor([&] { return title() == "Tolvik"; }, 4000)) << title();
    EXPECT_EQ(staged.Get("Waypoints", "Greater Faydark"), "<missing>");
    EXPECT_EQ(tolvik.Close(), 0u);
}

// Floor A at height 0 (rows of lines), floor B at -100 (columns), on RGB(40, 80, 120) (7884840 in the file).
constexpr COLORREF kFloorA = RGB(200, 40, 0), kFloorB = RGB(0, 160, 240);
constexpr COLORREF kFadedA = RGB(80, 70, 90), kFadedB = RGB(30, 100, 150);  // (c + 3 x background) / 4

// The Map View on screen: pixels per colour and, along one row, where floor B's columns are.
struct ViewShot { std::map<COLORREF, int> count; std::vector<int> columnsB; };

ViewShot TakeShot(const RunningTolvik& tolvik) {
    RECT r{};
    GetWindowRect(tolvik.Item(IDC_MAP_VIEW), &r);
    test::Canvas canvas(r.right - r.left, r.bottom - r.top);
    BitBlt(canvas.dc(), 0, 0, r.right - r.left, r.bottom - r.top, WindowDc(nullptr).get(), r.left, r.top, SRCCOPY);
    test::Picture p = canvas.pixels();
    ViewShot shot;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const COLORREF c = RGB(p.at(x, y) >> 16, (p.at(x, y) >> 8) & 0xFF, p.at(x, y) & 0xFF);
            ++shot.count[c];
            if (y == p.height / 2 + 7 && (c == kFloorB || c == kFadedB)) shot.columnsB.push_back(x);
        }
    return shot;
}

TEST(VectorMapOnScreen, DiscWhereTheBoundsPutItTheFloorYouStandOnInItsColourTheOtherFadedAndTheySwapWhenYouGoDown) {
    StagedProgram staged("levels");
    std::string floors;
    for (int k = 0; k <= 32; ++k) {
        const std::string at = std::to_string(-400 + 25 * k);
        floors += "L -500, " + at + ", 0, 500, " + at + ", 0, 200, 40, 0\r\n";
        floors += "L " + at + ", -400, -100, " + at + ", 400, -100, 0, 160, 240\r\n";
    }
    const std::string file = staged.folder() + "VURavaZiro\\gfaydark.txt";
    WriteFile(file, floors);
    staged.StartLog("[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
                    "[Sun Dec 06 20:00:01 2026] Your Location is 100.00, 50.00, 0.00\r\n");
    for (const auto& [key, value] : {std::pair{"UseVURavaZiro", "1"}, {"MapResolution", "1600"}, {"UseHeightFilter", "1"},
                                     {"FadeOtherLevels", "1"}, {"Color", "7884840"}})
        staged.Set("VURavaZiro", key, value);
    // Where the program must put the player: the bitmap from the bounds, its corners at the bounds' game positions.
    VectorMapSettings settings;
    ASSERT_TRUE(MeasureVectorMap(settings, file));
    const MapBounds bounds = WorkingBounds(settings.working);
    CurrentMap map;
    map.calibrated = 1;
    ASSERT_TRUE(VectorBitmapSize(bounds, 1600, map.imageWidth, map.imageHeight));
    map.points = CalibrationPoints{0, 0, map.imageWidth, map.imageHeight, -bounds.minX, -bounds.minY, -bounds.maxX, -bounds.maxY};
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.window(), nullptr);
    ASSERT_TRUE(tolvik.TextBecomes(IDC_POS_Z, "0.00"));
    const POINT disc = CentredInView(tolvik, GameToImage(map, 50.0f, 100.0f), map.imageWidth, map.imageHeight);
    EXPECT_TRUE(DiscAt(tolvik, disc)) << disc.x << "," << disc.y;
    // Panned away from where a new map is placed: the renders that follow keep the view there.
    tolvik.Drag(POINT{tolvik.View().right / 2, tolvik.View().bottom / 2}, 9, 31);
    ViewShot onA;
    ASSERT_TRUE(WaitFor([&] { onA = TakeShot(tolvik); return onA.count[kFloorA] > 1000; }));
    EXPECT_TRUE(onA.count[kFadedB] > 1000 && onA.count[kFloorB] + onA.count[kFadedA] == 0);
    ASSERT_GT(onA.columnsB.size(), 10u);

    AppendFile(staged.log(), "[Sun Dec 06 20:00:05 2026] Your Location is 0.00, 0.00, -100.00\r\n");
    ASSERT_TRUE(tolvik.TextBecomes(IDC_POS_Z, "-100.00"));
    // The render comes with the tick that read the position, well before the next read.
    ViewShot onB;
    EXPECT_TRUE(WaitFor([&] { onB = TakeShot(tolvik); return onB.count[kFloorB] > 1000; }, 300));
    EXPECT_TRUE(onB.count[kFadedA] > 1000 && onB.count[kFloorA] + onB.count[kFadedB] == 0);
    EXPECT_EQ(onB.columnsB, onA.columnsB);  // same pan, same scale

    // Without fading the other floor is gone; both commands are saved.
    SendMessageA(tolvik.window(), WM_COMMAND, IDM_FADE_OTHER_LEVELS, 0);
    ASSERT_TRUE(WaitFor([&] { onB = TakeShot(tolvik); return onB.count[kFadedA] == 0; }));
    EXPECT_TRUE(onB.count[kFloorB] > 1000 && onB.count[kFloorA] == 0);
    SendMessageA(tolvik.window(), WM_COMMAND, IDM_FOLLOW_HEIGHT, 0);
    EXPECT_EQ(tolvik.Close(), 0u);
    EXPECT_EQ(staged.Get("VURavaZiro", "FollowHeight") + staged.Get("VURavaZiro", "FadeOtherLevels"), "00");
}

}  // namespace
}  // namespace tolvik::e2e
