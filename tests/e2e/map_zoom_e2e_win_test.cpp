// One notch of the real mouse wheel over Tolvik.exe's map: the player's disc
// moves to where the zoomed calibration puts it, and the zone's zoom is
// written to the settings file.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/tolvik_process_win.h"
#include "raster/map_math.h"

namespace tolvik::e2e {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr float kX = 100.0f;  // game position of the player
constexpr float kY = -200.0f;

// The demo zone's calibration (data/demo/Zones/Greater Faydark.ini) on its
// 1200 x 900 picture, placed in the map bitmap.
CurrentMap DemoMap() {
    const std::string ini = std::string(TOLVIK_DATA_DIR) + "\\demo\\Zones\\Greater Faydark.ini";
    const auto real = [&](const char* key) { return static_cast<float>(std::atof(Profile(ini, "Logical", key).c_str())); };
    CurrentMap map;
    map.calibrated = 1;
    map.points = CalibrationPoints{static_cast<int>(GetPrivateProfileIntA("Physical", "X1", 0, ini.c_str())),
                                   static_cast<int>(GetPrivateProfileIntA("Physical", "Y1", 0, ini.c_str())),
                                   static_cast<int>(GetPrivateProfileIntA("Physical", "X2", 0, ini.c_str())),
                                   static_cast<int>(GetPrivateProfileIntA("Physical", "Y2", 0, ini.c_str())),
                                   real("X1"), real("Y1"), real("X2"), real("Y2")};
    map.imageWidth = 1200, map.imageHeight = 900;
    map.imageOffsetX = ImageOffsetInMap(1200 + kMapMarginWidth, 1200);
    map.imageOffsetY = ImageOffsetInMap(900 + kMapMarginHeight, 900);
    return map;
}

TEST(MapZoomOnScreen, OneNotchPutsTheDiscWhereTheZoomedCalibrationSays) {
    StagedProgram staged("zoom");
    const std::string demo = std::string(TOLVIK_DATA_DIR) + "\\demo\\Zones\\";
    CopyFileA((demo + "Greater Faydark.jpg").c_str(), (staged / "Zones\\Greater Faydark.jpg").c_str(), FALSE);
    CopyFileA((demo + "Greater Faydark.ini").c_str(), (staged / "Zones\\Greater Faydark.ini").c_str(), FALSE);
    const std::string log = staged / "logs\\eqlog_Tester_P1999.txt";
    WriteBytes(log,
               "[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
               "[Sun Dec 06 20:00:01 2026] Your Location is -200.00, 100.00, 4.00\r\n");
    const std::string ini = staged / "Tolvik.ini";
    WritePrivateProfileStringA("Settings", "Log File", log.c_str(), ini.c_str());

    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    const HWND window = tolvik.window();
    const HWND view = GetDlgItem(window, 1033);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1014) == "100.00"; }, 3000));

    RECT client{};
    GetClientRect(view, &client);
    CurrentMap map = DemoMap();
    map.panX = CentredPan(client.right, map.imageWidth + kMapMarginWidth);
    map.panY = CentredPan(client.bottom, map.imageHeight + kMapMarginHeight);
    int before = 0, unused = 0;
    ASSERT_TRUE(GameToView(map, kX, kY, before, unused));

    // The pointer a quarter into the view; one notch away from the user.
    const POINT anchor{client.right / 4, client.bottom / 4};
    POINT pointer = anchor;
    ClientToScreen(view, &pointer);
    SetCursorPos(pointer.x, pointer.y);
    INPUT wheel{};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = WHEEL_DELTA;
    ASSERT_EQ(SendInput(1, &wheel, sizeof wheel), 1u);

    ASSERT_TRUE(ZoomAbout(map, 1, anchor.x, anchor.y));
    int discX = 0, discY = 0;
    ASSERT_TRUE(GameToView(map, kX, kY, discX, discY));
    const POINT disc{discX, discY};
    ASSERT_GT(std::abs(disc.x - before), 12);  // far enough to tell the zoomed place from the old one
    ASSERT_GT(disc.x, 10);
    ASSERT_LT(disc.x, client.right - 10);
    POINT screen = disc;
    ClientToScreen(view, &screen);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(screen) == kGreen; }, 3000)) << disc.x << "," << disc.y;
    EXPECT_NE(ScreenPixel(POINT{screen.x + 40, screen.y + 40}), kGreen);

    EXPECT_EQ(tolvik.Close(), 0u);
    EXPECT_EQ(Profile(ini, "Zoom", "Greater Faydark"), "1");
}

}  // namespace
}  // namespace tolvik::e2e
