// The demo zone's vector map rendered by Tolvik.exe, with the player's disc
// where the calibration from the map's bounds puts it.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "e2e/tolvik_process_win.h"
#include "raster/calibration.h"
#include "vector/vector_file.h"
#include "vector/vector_layout.h"

namespace tolvik::e2e {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr float kX = 100.0f;   // game position of the player
constexpr float kY = -200.0f;

TEST(VectorMapOnScreen, DiscSitsWhereTheMapBoundsPutIt) {
    StagedProgram staged("vector");
    const std::string demo = std::string(TOLVIK_DATA_DIR) + "\\demo\\VURavaZiro\\";
    for (const char* name : {"gfaydark.txt", "gfaydark_1.txt", "gfaydark_2.txt", "gfaydark_3.txt"}) {
        CopyFileA((demo + name).c_str(), (staged / (std::string("VURavaZiro\\") + name)).c_str(), FALSE);
    }
    const std::string log = staged / "logs\\eqlog_Tester_P1999.txt";
    WriteFile(log,
               "[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
               "[Sun Dec 06 20:00:01 2026] Your Location is -200.00, 100.00, 4.00\r\n");
    const std::string ini = staged / "Tolvik.ini";
    WritePrivateProfileStringA("Settings", "Log File", log.c_str(), ini.c_str());
    WritePrivateProfileStringA("VURavaZiro", "UseVURavaZiro", "1", ini.c_str());
    WritePrivateProfileStringA("VURavaZiro", "MapResolution", "800", ini.c_str());

    // Where the program must put the player: the bitmap from the bounds, its
    // corners tied to the bounds' game positions.
    VectorMapSettings settings;
    ASSERT_TRUE(MeasureVectorMap(settings, demo + "gfaydark.txt"));
    const MapBounds bounds = WorkingBounds(settings.working);
    int width = 0, height = 0;
    ASSERT_TRUE(VectorBitmapSize(bounds, 800, width, height));
    CurrentMap map;
    map.calibrated = 1;
    map.points.physicalX2 = width;
    map.points.physicalY2 = height;
    map.points.logicalX1 = -bounds.minX;
    map.points.logicalY1 = -bounds.minY;
    map.points.logicalX2 = -bounds.maxX;
    map.points.logicalY2 = -bounds.maxY;
    const PixelPoint p = GameToImage(map, kX, kY);
    ASSERT_TRUE(p.valid);

    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    const HWND window = tolvik.window();
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(IDC_POS_X) == "100.00"; }, 3000));

    RECT view{};
    GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &view);
    const int bitmapWidth = width + 1280;
    const int bitmapHeight = height + 1024;
    const int panX = view.right / 2 - bitmapWidth / 2;
    const int panY = view.bottom / 2 - bitmapHeight / 2;
    POINT disc{p.x + bitmapWidth / 2 - width / 2 + panX, p.y + bitmapHeight / 2 - height / 2 + panY};
    ASSERT_GT(disc.x, 0);
    ASSERT_LT(disc.x, view.right);
    ASSERT_GT(disc.y, 0);
    ASSERT_LT(disc.y, view.bottom);
    ClientToScreen(GetDlgItem(window, IDC_MAP_VIEW), &disc);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(disc) == kGreen; }, 3000)) << disc.x << "," << disc.y;
    EXPECT_NE(ScreenPixel(POINT{disc.x + 40, disc.y + 40}), kGreen);
    EXPECT_EQ(tolvik.Close(), 0u);
}


// A map of two floors in the demo zone: floor A at height 0 (rows of lines in
// kFloorA), floor B at height −100 (columns in kFloorB).
namespace levels {

// Background RGB(40, 80, 120), in the settings file 40 + 256 × 80 + 65536 × 120.
constexpr COLORREF kFloorA = RGB(200, 40, 0);
constexpr COLORREF kFloorB = RGB(0, 160, 240);
constexpr COLORREF kFadedA = RGB(80, 70, 90);    // (c + 3 × background) / 4
constexpr COLORREF kFadedB = RGB(30, 100, 150);

std::string TwoFloors() {
    std::string text;
    for (int k = 0; k <= 32; ++k) {
        const int at = -400 + 25 * k;
        text += "L -500, " + std::to_string(at) + ", 0, 500, " + std::to_string(at) + ", 0, 200, 40, 0\r\n";
        text += "L " + std::to_string(at) + ", -400, -100, " + std::to_string(at) + ", 400, -100, 0, 160, 240\r\n";
    }
    return text;
}

// The Map View as the user sees it: pixels per colour and, along one row,
// where floor B's columns are (in either colour).
struct ViewShot {
    std::map<COLORREF, int> count;
    std::vector<int> columnsB;
};

ViewShot TakeShot(HWND window) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, 1033), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::uint32_t* px = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0);
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    ViewShot shot;
    for (int i = 0; i < w * h; ++i) {
        const COLORREF c = RGB((px[i] >> 16) & 0xFF, (px[i] >> 8) & 0xFF, px[i] & 0xFF);
        ++shot.count[c];
        if (i / w == h / 2 + 7 && (c == kFloorB || c == kFadedB)) shot.columnsB.push_back(i % w);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DeleteObject(dib);
    return shot;
}

}  // namespace levels

TEST(VectorMapOnScreen, TheFloorYouStandOnInItsColourTheOtherFadedAndTheySwapWhenYouGoDown) {
    using namespace levels;
    StagedProgram staged("levels");
    WriteFile(staged / "VURavaZiro\\gfaydark.txt", TwoFloors());
    const std::string log = staged / "logs\\eqlog_Tester_P1999.txt";
    WriteFile(log,
               "[Sun Dec 06 20:00:00 2026] You have entered Greater Faydark.\r\n"
               "[Sun Dec 06 20:00:01 2026] Your Location is 0.00, 0.00, 0.00\r\n");
    const std::string ini = staged / "Tolvik.ini";
    WritePrivateProfileStringA("Settings", "Log File", log.c_str(), ini.c_str());
    for (const auto& [key, value] : {std::pair{"UseVURavaZiro", "1"}, {"MapResolution", "1600"}, {"UseHeightFilter", "1"},
                                     {"FadeOtherLevels", "1"}, {"Color", "7884840"}}) {
        WritePrivateProfileStringA("VURavaZiro", key, value, ini.c_str());
    }

    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    const HWND window = tolvik.window();
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1024) == "0.00"; }, 3000));

    // Pan the map away from where a new map is placed: the renders that
    // follow the player keep the view where the user left it.
    RECT view{};
    GetClientRect(GetDlgItem(window, 1033), &view);
    POINT start{view.right / 2, view.bottom / 2};
    MapWindowPoints(GetDlgItem(window, 1033), window, &start, 1);
    const auto lp = [](int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); };
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, lp(start.x, start.y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, lp(start.x + 9, start.y + 31));
    SendMessageA(window, WM_LBUTTONUP, 0, lp(start.x + 9, start.y + 31));

    ViewShot onA;
    ASSERT_TRUE(WaitFor([&] { onA = TakeShot(window); return onA.count[kFloorA] > 1000; }, 3000));
    EXPECT_GT(onA.count[kFadedB], 1000);
    EXPECT_EQ(onA.count[kFloorB] + onA.count[kFadedA], 0);
    ASSERT_GT(onA.columnsB.size(), 10u);

    AppendFile(log, "[Sun Dec 06 20:00:05 2026] Your Location is 0.00, 0.00, -100.00\r\n");
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1024) == "-100.00"; }, 3000));
    // The render comes with the tick that read the position, well before the next read.
    ViewShot onB;
    EXPECT_TRUE(WaitFor([&] { onB = TakeShot(window); return onB.count[kFloorB] > 1000; }, 300));
    EXPECT_GT(onB.count[kFadedA], 1000);
    EXPECT_EQ(onB.count[kFloorA] + onB.count[kFadedB], 0);
    EXPECT_EQ(onB.columnsB, onA.columnsB);  // same pan, same scale

    // Without fading the other floor is gone; without following the map stays
    // drawn for the height it was drawn for.
    SendMessageA(window, WM_COMMAND, 40202, 0);
    ASSERT_TRUE(WaitFor([&] { onB = TakeShot(window); return onB.count[kFadedA] == 0; }, 3000));
    EXPECT_GT(onB.count[kFloorB], 1000);
    EXPECT_EQ(onB.count[kFloorA], 0);
    SendMessageA(window, WM_COMMAND, 40201, 0);
    AppendFile(log, "[Sun Dec 06 20:00:09 2026] Your Location is 0.00, 0.00, 0.00\r\n");
    ASSERT_TRUE(WaitFor([&] { return tolvik.Text(1024) == "0.00"; }, 3000));
    Sleep(300);
    EXPECT_GT(TakeShot(window).count[kFloorB], 1000);

    EXPECT_EQ(tolvik.Close(), 0u);
    EXPECT_EQ(Profile(ini, "VURavaZiro", "FollowHeight"), "0");
    EXPECT_EQ(Profile(ini, "VURavaZiro", "FadeOtherLevels"), "0");
}

}  // namespace
}  // namespace tolvik::e2e
