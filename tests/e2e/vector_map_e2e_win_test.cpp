// The demo zone's vector map rendered by Tolvik.exe, with the player's disc
// where the calibration from the map's bounds puts it.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tolvik::e2e
