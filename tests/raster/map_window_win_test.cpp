// The raster map in the real main window: the stand-by picture, refused
// calibration, and markers and trail drawn where the calibration says.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app/main_window_win.h"
#include "base/image_win.h"
#include "raster/map_math.h"
#include "app/map_select_win.h"
#include "raster/map_texts.h"
#include "raster/map_view_win.h"
#include "support/pictures_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::Canvas;
using test::MainWindowHarness;
using test::Picture;

constexpr std::uint32_t kBackdrop = 0x203040;  // BackgroundMap.jpg (written as PNG)
constexpr std::uint32_t kStandBy = 0x000060;   // MissingMap.jpg
constexpr std::uint32_t kMapColour = 0x808080;

class RasterMapWindow : public ::testing::Test {
protected:
    test::TempFolder folder{"rastermap"};

    void SetUp() override {
        test::MakeFolder(folder / "Zones");
        test::MakeFolder(folder / "Textures");
        ASSERT_TRUE(test::WritePicture(folder / "Textures\\BackgroundMap.jpg", test::SolidPicture(64, 64, 0xFF000000u | kBackdrop)));
        WritePicture("MissingMap", 600, 400, kStandBy);
        h = std::make_unique<MainWindowHarness>(folder.path());
        ASSERT_NE(h->window(), nullptr);
    }

    std::string Zones() const { return folder / "Zones\\"; }

    void WritePicture(const std::string& name, int width, int height, std::uint32_t rgb = kMapColour) {
        ASSERT_TRUE(test::WritePicture(Zones() + name + ".jpg", test::SolidPicture(width, height, 0xFF000000u | rgb)));
    }

    // The map image as it sits in the composed map bitmap.
    Picture ComposedImage() {
        Picture all = test::ReadPixels(h->program().gdi.mapBitmap.get());
        const CurrentMap& map = h->app().map;
        Picture out{map.imageWidth, map.imageHeight, {}};
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) out.argb.push_back(all.at(map.imageOffsetX + x, map.imageOffsetY + y));
        return out;
    }

    // The stand-by picture with `text` written as the program writes it.
    Picture ExpectedStandBy(const std::string& text) {
        HBITMAP picture = LoadImageBitmap(Zones() + "MissingMap.jpg");
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, picture);
        const Picture plain = test::ReadPixels(picture);
        RECT rect{plain.width / 6, plain.height / 6, plain.width - plain.width / 6, plain.height};
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER);
        SelectObject(dc, old);
        DeleteDC(dc);
        Picture p = test::ReadPixels(picture);
        DeleteObject(picture);
        return p;
    }

    std::unique_ptr<MainWindowHarness> h;
};

TEST_F(RasterMapWindow, StandByPictureWithGettingStartedThenMissingMapText) {
    EXPECT_EQ(h->app().map.imageWidth, 600);
    EXPECT_EQ(h->app().map.imageOffsetX, 640);
    EXPECT_EQ(ComposedImage().argb, ExpectedStandBy(GettingStartedText()).argb);
    Picture all = test::ReadPixels(h->program().gdi.mapBitmap.get());
    EXPECT_EQ(all.width, 600 + 1280);
    EXPECT_EQ(all.at(all.width - 1, all.height - 1), kBackdrop);

    SelectZoneMap(h->window(), h->program(), "Greater Faydark");  // a zone without picture
    EXPECT_EQ(GetListedZone(h->window()), "Greater Faydark");
    EXPECT_EQ(ComposedImage().argb, ExpectedStandBy(MissingMapText("Greater Faydark")).argb);
    EXPECT_EQ(h->app().map.calibrated, 0);
    EXPECT_EQ(h->Text(IDC_LOG2_Y), "0.00");
}

TEST_F(RasterMapWindow, MarkersLandWhereTheCalibrationSays) {
    // 400 x 300 picture, one pixel per game unit: game (0, 0) at pixel (100, 50), mirrored X.
    WritePicture("East Commonlands", 400, 300);
    test::WriteFile(Zones() + "East Commonlands.ini",
                    "[Physical]\r\nX1=100\r\nY1=50\r\nX2=300\r\nY2=250\r\n[Logical]\r\nX1=0.0000\r\nY1=0.0000\r\n"
                    "X2=-200.0000\r\nY2=200.0000\r\n");
    SelectZoneMap(h->window(), h->program(), "East Commonlands");
    ZoneRecord* record = h->app().zones.Current();
    ASSERT_NE(record, nullptr);
    const CurrentMap& map = h->app().map;
    ASSERT_EQ(map.calibrated, 1);
    record->current.slots[0] = Position{-20.0f, 30.0f, 0.0f}, record->current.slots[1] = Position{-20.0f, 60.0f, 0.0f};
    record->returns.slots[0] = Position{-150.0f, 150.0f, 0.0f};
    record->current.count = 2, record->returns.count = 1;
    RECT view{};
    GetClientRect(GetDlgItem(h->window(), IDC_MAP_VIEW), &view);
    Canvas canvas(view.right, view.bottom);
    DrawMapFrame(canvas.dc(), view, h->program(), true, 0);  // disc radius 10, reference squares shown
    Picture frame = canvas.pixels();
    auto viewOf = [&](float x, float y) {
        int vx = 0, vy = 0;
        EXPECT_TRUE(GameToView(map, x, y, vx, vy));
        return POINT{vx, vy};
    };
    const POINT here = viewOf(-20.0f, 30.0f);
    EXPECT_EQ(here.x, 120 + 640 + map.panX);
    EXPECT_EQ(here.y, 80 + 512 + map.panY);
    EXPECT_EQ(frame.at(here.x + 8, here.y), 0x00FF00u);
    EXPECT_EQ(frame.at(here.x + 13, here.y), kMapColour);
    const POINT back = viewOf(-150.0f, 150.0f);
    EXPECT_EQ(frame.at(back.x, back.y), 0xFF0000u);
    // Trail in shades of red below the disc.
    int redOnly = 0;
    for (int y = here.y + 11; y < viewOf(-20.0f, 60.0f).y; ++y) redOnly += (frame.at(here.x, y) & 0x00FFFFu) == 0;
    EXPECT_GT(redOnly, 10);
}

TEST_F(RasterMapWindow, CalibrateIsRefusedWithReasons) {
    const std::string refused = "Error: Unable to Calibrate";
    SelectZoneInList(h->window(), "Befallen");
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    test::MakeFolder(folder / "test.tmp");  // stops the write test as a read-only folder would
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(h->rec().messages.size(), 1u);
    EXPECT_EQ(h->rec().messages[0].text,
              "Calibration Unavailable\n\nIn order to perform calibration, Tolvik requires the ability to write to "
              "the folder where it stores its maps.\n\nEither re-run Tolvik as an Administrator or move Tolvik to "
              "another folder.");
    EXPECT_EQ(h->rec().messages[0].caption, refused);
    EXPECT_TRUE(h->rec().messages[0].type & MB_ICONERROR);
    RemoveDirectoryA((folder / "test.tmp").c_str());

    h->app().logFile = "";
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(h->rec().messages.size(), 2u);
    EXPECT_EQ(h->rec().messages[1].text,
              "Calibration Unavailable\n\nEither you haven't selected a log file or a zone change hasn't been spotted "
              "in the log.");
    EXPECT_EQ(h->rec().messages[1].caption, refused);
    EXPECT_EQ(h->app().calibrationMode, 0);

    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(h->rec().messages.size(), 2u);
    EXPECT_EQ(h->app().calibrationMode, 1);
    EXPECT_EQ(GetFileAttributesA((folder / "test.tmp").c_str()), INVALID_FILE_ATTRIBUTES);  // test file removed
}

TEST(RasterPath, PulsingPathCarriesThePhaseAcrossSegments) {
    const std::uint32_t tick = 2 * 50;
    // Drawn from the last point toward the first; the end point is not drawn. A segment far
    // outside still moves the wave on, so what is visible is the same.
    for (int count : {3, 4}) {
        Canvas canvas(100, 20);
        const POINT points[4] = {{60, 5}, {30, 5}, {10, 5}, {10, 100000}};
        DrawPulsingPath(canvas.dc(), points, count, 1, tick);
        Picture p = canvas.pixels();
        PulseWave wave = StartPulseWave(tick, 1);
        if (count == 4) SkipPulsePixels(wave, 100000 - 5);
        for (int x = 10; x < 60; ++x) EXPECT_EQ(p.at(x, 5), test::Rgb(NextPulseColour(wave))) << count << " " << x;
        EXPECT_EQ(p.at(60, 5), 0u);
        EXPECT_EQ(p.at(9, 5), 0u);
        for (int x = 0; x < 100; ++x) EXPECT_EQ(p.at(x, 4), 0u);
    }
}

}  // namespace
}  // namespace tolvik
