// The player's marks on Tolvik.exe's screen: a death in the log leaves a
// corpse marker that stays through zone changes and a restart, and a
// Ctrl+click sets a waypoint whose way the title tells.
#include <gtest/gtest.h>

#include "e2e/tolvik_process_win.h"
#include "raster/calibration.h"

namespace tolvik::e2e {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The demo zone: a 1200 x 900 picture, 0.3 pixels per game unit, +X to the left
// (data/demo/Zones/Greater Faydark.ini).
class MarksOnScreen : public ::testing::Test {
protected:
    StagedProgram staged{"marks"};
    std::string log = staged / "logs\\eqlog_Tester_P1999.txt";
    std::string ini = staged / "Tolvik.ini";
    static constexpr const char* kStart =
        "[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
        "[Sun Dec 06 20:00:01 2026] Your Location is -200.00, 100.00, 4.00\r\n";

    void SetUp() override {
        const std::string demo = std::string(TOLVIK_DATA_DIR) + "\\demo\\Zones\\";
        CopyFileA((demo + "Greater Faydark.jpg").c_str(), (staged / "Zones\\Greater Faydark.jpg").c_str(), FALSE);
        CopyFileA((demo + "Greater Faydark.ini").c_str(), (staged / "Zones\\Greater Faydark.ini").c_str(), FALSE);
        WriteFile(log, kStart);
        WritePrivateProfileStringA("Settings", "Log File", log.c_str(), ini.c_str());
    }

    // Screen position of a picture pixel while the map is centred in the view, as a new map is.
    static POINT ImageOnScreen(HWND window, int px, int py) {
        const HWND view = GetDlgItem(window, 1033);
        RECT client{};
        GetClientRect(view, &client);
        POINT p{px + 640 + client.right / 2 - (1200 + 1280) / 2, py + 512 + client.bottom / 2 - (900 + 1024) / 2};
        ClientToScreen(view, &p);
        return p;
    }
    static POINT GameOnScreen(HWND window, float x, float y) {
        CurrentMap map;
        map.calibrated = 1;
        map.points = CalibrationPoints{150, 150, 1050, 750, 1500.0f, 1000.0f, -1500.0f, -1000.0f};
        const PixelPoint p = GameToImage(map, x, y);
        return ImageOnScreen(window, p.x, p.y);
    }
    static bool PixelBecomes(POINT at, COLORREF colour) {
        return WaitFor([&] { return ScreenPixel(at) == colour; }, 3000);
    }
    static std::string Title(HWND window) {
        char text[128] = {};
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &result);
        return text;
    }
};

TEST_F(MarksOnScreen, CorpseStaysThroughAZoneChangeAwayAndBackAndARestart) {
    {
        RunningTolvik tolvik(staged);
        ASSERT_NE(tolvik.WaitForWindow(), nullptr);
        ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1014) == "100.00"; }, 3000));
        AppendFile(log,
                   "[Sun Dec 06 20:01:00 2026] Your Location is -300.00, 200.00, 6.50\r\n"
                   "[Sun Dec 06 20:01:05 2026] You have been slain by a lesser mummy!\r\n"
                   "[Sun Dec 06 20:01:09 2026] You have entered Butcherblock Mountains.\r\n");
        ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1060) == "Butcherblock Mountains"; }, 5000));
        EXPECT_EQ(Profile(ini, "Corpses", "Greater Faydark"), "200.00, -300.00, 6.50");
        AppendFile(log,
                   "[Sun Dec 06 20:03:00 2026] You have entered Greater Faydark.\r\n"
                   "[Sun Dec 06 20:03:01 2026] Your Location is -200.00, 100.00, 4.00\r\n");
        ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1060) == "Greater Faydark"; }, 5000));
        const POINT corpse = GameOnScreen(tolvik.window(), 200.0f, -300.0f);
        EXPECT_TRUE(PixelBecomes(corpse, kWhite)) << corpse.x << "," << corpse.y;
        EXPECT_EQ(ScreenPixel(POINT{corpse.x + 6, corpse.y + 6}), kWhite);
        EXPECT_EQ(ScreenPixel(POINT{corpse.x, corpse.y + 2}), kBlack);
        EXPECT_EQ(tolvik.Close(), 0u);
    }
    // A new day's log without the death: only the settings file knows the corpse.
    WriteFile(log, kStart);
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1014) == "100.00"; }, 3000));
    const POINT corpse = GameOnScreen(tolvik.window(), 200.0f, -300.0f);
    EXPECT_TRUE(PixelBecomes(corpse, kWhite)) << corpse.x << "," << corpse.y;
    EXPECT_EQ(ScreenPixel(POINT{corpse.x - 6, corpse.y + 6}), kWhite);
    EXPECT_EQ(tolvik.Close(), 0u);
}

TEST_F(MarksOnScreen, CtrlClickSetsAWaypointWhoseWayTheTitleTells) {
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    const HWND window = tolvik.window();
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1014) == "100.00"; }, 3000));

    // Picture pixel (510, 420) is game X 300, Y 100: 200 units west and 300 north of the player.
    const POINT screen = ImageOnScreen(window, 510, 420);
    POINT client = screen;
    ScreenToClient(window, &client);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(client.x + 80, client.y + 40));
    SendMessageA(window, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(client.x + 80, client.y + 40));
    EXPECT_EQ(Profile(ini, "Waypoints", "Greater Faydark"), "300.00, 100.00");
    EXPECT_TRUE(PixelBecomes(screen, kYellow)) << screen.x << "," << screen.y;
    EXPECT_EQ(ScreenPixel(POINT{screen.x + 7, screen.y}), kBlack);
    // The click started no drag: the move after it did not pan the map under the player.
    EXPECT_TRUE(PixelBecomes(ImageOnScreen(window, 570, 510), RGB(0, 255, 0)));

    // With the pointer away from the map the title tells the way.
    RECT frame{};
    GetWindowRect(window, &frame);
    SetCursorPos(frame.right < 1270 ? 1275 : 2, frame.bottom < 1015 ? 1020 : 2);
    EXPECT_TRUE(WaitFor([&] { return Title(window) == "Tolvik - waypoint 361 away, north-west"; }, 3000))
        << Title(window);

    // Within 15 units it is reached and cleared.
    AppendFile(log, "[Sun Dec 06 20:05:00 2026] Your Location is 91.00, 290.00, 4.00\r\n");
    EXPECT_TRUE(WaitFor([&] { return Title(window) == "Tolvik"; }, 4000)) << Title(window);
    EXPECT_EQ(Profile(ini, "Waypoints", "Greater Faydark"), "<missing>");
    EXPECT_EQ(tolvik.Close(), 0u);
}

}  // namespace
}  // namespace tolvik::e2e
