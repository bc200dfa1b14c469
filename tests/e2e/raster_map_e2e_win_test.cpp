// The demo zone's calibrated picture, with the player's disc where the
// calibration puts it, panning by dragging that stops at the edges, and one
// notch of the wheel that zooms about the pointer.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/tolvik_process_win.h"
#include "base/number_text.h"
#include "raster/calibration.h"
#include "raster/map_math.h"

namespace tolvik::e2e {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);

// The demo zone's calibration (data/demo/Zones/Greater Faydark.ini).
CurrentMap DemoCalibration() {
    const std::string ini = std::string(TOLVIK_DATA_DIR) + "\\demo\\Zones\\Greater Faydark.ini";
    const auto real = [&](const char* section, const char* key) { return ParseLeadingReal(Profile(ini, section, key)); };
    const auto pixel = [&](const char* key) { return static_cast<int>(real("Physical", key)); };
    CurrentMap map;
    map.calibrated = 1;
    map.points = {pixel("X1"),         pixel("Y1"),         pixel("X2"),         pixel("Y2"),
                  real("Logical", "X1"), real("Logical", "Y1"), real("Logical", "X2"), real("Logical", "Y2")};
    return map;
}

class RasterMapOnScreen : public ::testing::Test {
protected:
    StagedProgram staged{"raster"};
    std::string log = staged / "logs\\eqlog_Tester_P1999.txt";
    static constexpr float kX = 100.0f;   // game position of the player
    static constexpr float kY = -200.0f;
    int imageWidth = 1200;
    int imageHeight = 900;

    void SetUp() override {
        const std::string demo = std::string(TOLVIK_DATA_DIR) + "\\demo\\Zones\\";
        CopyFileA((demo + "Greater Faydark.jpg").c_str(), (staged / "Zones\\Greater Faydark.jpg").c_str(), FALSE);
        CopyFileA((demo + "Greater Faydark.ini").c_str(), (staged / "Zones\\Greater Faydark.ini").c_str(), FALSE);
        WriteFile(log,
                   "[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
                   "[Sun Dec 06 20:00:01 2026] Your Location is -200.00, 100.00, 4.00\r\n");
        WritePrivateProfileStringA("Settings", "Log File", log.c_str(), (staged / "Tolvik.ini").c_str());
    }

    // Screen position of a view pixel of the Map View.
    static POINT ViewToScreen(HWND window, POINT view) {
        ClientToScreen(GetDlgItem(window, IDC_MAP_VIEW), &view);
        return view;
    }

    // Where the disc's centre is in the view for a given pan.
    POINT DiscInView(int panX, int panY) const {
        const PixelPoint p = GameToImage(DemoCalibration(), kX, kY);
        const int bitmapWidth = imageWidth + 1280;
        const int bitmapHeight = imageHeight + 1024;
        const int offsetX = bitmapWidth / 2 - imageWidth / 2;
        const int offsetY = bitmapHeight / 2 - imageHeight / 2;
        return POINT{p.x + offsetX + panX, p.y + offsetY + panY};
    }

    // True when the disc is drawn at `view` in the next second's frames.
    static bool DiscAt(HWND window, POINT view) {
        return WaitFor([&] { return ScreenPixel(ViewToScreen(window, view)) == kGreen; }, 4000);
    }

    static void Drag(HWND window, POINT fromClient, int dx) {
        const auto lp = [](int x, int y) {
            return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
        };
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, lp(fromClient.x, fromClient.y));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, lp(fromClient.x + dx / 2, fromClient.y));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, lp(fromClient.x + dx, fromClient.y));
        SendMessageA(window, WM_LBUTTONUP, 0, lp(fromClient.x + dx, fromClient.y));
    }
};

TEST_F(RasterMapOnScreen, DiscSitsWhereTheCalibrationSaysAndPanningStopsAtTheEdges) {
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    const HWND window = tolvik.window();
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(IDC_POS_X) == "100.00"; }, 3000));

    RECT view{};
    GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &view);
    const int viewWidth = view.right;
    const int viewHeight = view.bottom;
    // A new map is centred in the view.
    const int panX = viewWidth / 2 - (imageWidth + 1280) / 2;
    const int panY = viewHeight / 2 - (imageHeight + 1024) / 2;
    const POINT disc = DiscInView(panX, panY);
    ASSERT_GT(disc.x, 10);
    ASSERT_LT(disc.x, viewWidth - 110);
    EXPECT_TRUE(DiscAt(window, disc)) << disc.x << "," << disc.y;
    // Well away from the disc the picture shows no marker green.
    EXPECT_NE(ScreenPixel(ViewToScreen(window, POINT{disc.x + 40, disc.y + 40})), kGreen);

    // The drag starts over the view, in main window client coordinates.
    POINT start{viewWidth / 2, viewHeight / 2};
    MapWindowPoints(GetDlgItem(window, IDC_MAP_VIEW), window, &start, 1);

    Drag(window, start, 100);
    EXPECT_TRUE(DiscAt(window, POINT{disc.x + 100, disc.y}));

    // Far to the right: the map bitmap's left edge stops at the view's left edge.
    Drag(window, start, 30000);
    Drag(window, start, -900);
    EXPECT_TRUE(DiscAt(window, DiscInView(-900, panY)));

    // Far to the left: its right edge stops at the view's right edge.
    Drag(window, start, -30000);
    Drag(window, start, 900);
    const int leftmost = viewWidth - (imageWidth + 1280);
    EXPECT_TRUE(DiscAt(window, DiscInView(leftmost + 900, panY)));

    EXPECT_EQ(tolvik.Close(), 0u);
}


TEST_F(RasterMapOnScreen, OneWheelNotchPutsTheDiscWhereTheZoomedCalibrationSays) {
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    const HWND window = tolvik.window();
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1014) == "100.00"; }, 3000));
    RECT view{};
    GetClientRect(GetDlgItem(window, 1033), &view);
    CurrentMap map = DemoCalibration();
    map.imageOffsetX = 640, map.imageOffsetY = 512;
    map.panX = CentredPan(view.right, imageWidth + 1280);
    map.panY = CentredPan(view.bottom, imageHeight + 1024);

    // The real wheel, one notch away from the user, with the pointer a quarter into the view.
    const POINT anchor{view.right / 4, view.bottom / 4};
    const POINT pointer = ViewToScreen(window, anchor);
    SetCursorPos(pointer.x, pointer.y);
    INPUT wheel{};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = WHEEL_DELTA;
    ASSERT_EQ(SendInput(1, &wheel, sizeof wheel), 1u);

    ASSERT_TRUE(ZoomAbout(map, 1, anchor.x, anchor.y));
    int x = 0, y = 0;
    ASSERT_TRUE(GameToView(map, kX, kY, x, y));
    ASSERT_GT(std::abs(x - DiscInView(CentredPan(view.right, imageWidth + 1280), 0).x), 12);  // it moved
    EXPECT_TRUE(DiscAt(window, POINT{x, y})) << x << "," << y;
    EXPECT_NE(ScreenPixel(ViewToScreen(window, POINT{x + 40, y + 40})), kGreen);
    EXPECT_EQ(tolvik.Close(), 0u);
    EXPECT_EQ(Profile(staged / "Tolvik.ini", "Zoom", "Greater Faydark"), "1");
}

}  // namespace
}  // namespace tolvik::e2e
