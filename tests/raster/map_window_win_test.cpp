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
#include "support/picture_headers.h"

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

// Pictures that claim more pixels than can be held are refused by their
// header, and zone names from the log never reach outside the Zones Folder:
// each gets the stand-by picture, uncalibrated.
TEST_F(RasterMapWindow, HugePicturesAndUnsafeZoneNamesGetTheStandByPicture) {
    test::WriteFile(Zones() + "Greater Faydark.jpg", test_pictures::PngHeader(27000, 27000) + std::string(4096, 'x'));
    test::WriteFile(Zones() + "Befallen.jpg", test_pictures::JpegHeader(8000, 8000));  // map bitmap beyond the cap
    WritePicture("Butcherblock Mountains", 400, 300);
    ASSERT_TRUE(test::WritePicture(folder / "pwn.jpg", test::SolidPicture(400, 300, 0xFF808080u)));
    test::WriteFile(folder / "pwn.ini", "[Physical]\r\nX1=100\r\nX2=300\r\n");
    test::WriteFile(Zones() + "Befallen.ini", "[Physical]\r\nX1=100\r\nX2=300\r\n");
    for (const std::string zone : {"Greater Faydark", "Befallen", "..\\pwn", "../pwn", "Zones\\..\\..\\pwn"}) {
        SelectZoneMap(h->window(), h->program(), "Butcherblock Mountains");
        ASSERT_EQ(h->app().map.imageWidth, 400);
        SelectZoneMap(h->window(), h->program(), zone);
        EXPECT_EQ(h->app().map.imageWidth, 600) << zone;
        EXPECT_EQ(ComposedImage().argb, ExpectedStandBy(MissingMapText(zone)).argb) << zone;
        EXPECT_EQ(h->app().map.calibrated, 0) << zone;
        EXPECT_EQ(h->Text(IDC_PHYS2_X), "0") << zone;
    }
    // A picture that fits the bitmap limit but not with the map's margins
    // makes no map bitmap.
    HBITMAP big = CreateTopDownDib(7100, 7100);
    ASSERT_NE(big, nullptr);
    const HBITMAP shown = h->program().gdi.mapBitmap.get();
    EXPECT_EQ(ComposeMapPicture(h->program(), big), 0);
    EXPECT_EQ(h->program().gdi.mapBitmap.get(), shown);
    EXPECT_EQ(h->app().map.imageWidth, 600);
}

TEST_F(RasterMapWindow, CalibrationAndChosenPicturesStayInsideTheZonesFolder) {
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    ASSERT_TRUE(test::WritePicture(folder / "chosen.png", test::SolidPicture(40, 30, 0xFF808080u)));
    h->rec().pickAnswer = true;
    h->rec().pickPath = folder / "chosen.png";
    // A zone of the log whose name is a path: nothing is written anywhere.
    SelectZoneMap(h->window(), h->program(), "..\\pwn");
    ASSERT_EQ(GetListedZone(h->window()), "..\\pwn");
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(h->rec().messages.size(), 1u);
    EXPECT_EQ(h->rec().messages[0].text,
              "Calibration Unavailable\n\nEither you haven't selected a log file or a zone change hasn't been spotted "
              "in the log.");
    EXPECT_EQ(h->app().calibrationMode, 0);
    h->Command(IDC_SAVE_CAL);
    h->Command(IDC_CHOOSE_MAP);
    EXPECT_EQ(h->rec().pickCalls, 0);
    EXPECT_EQ(GetFileAttributesA((folder / "pwn.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((folder / "pwn.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(h->app().map.calibrated, 0);

    // A real zone: the chosen picture is copied in and shown, the
    // calibration saved beside it.
    SelectZoneMap(h->window(), h->program(), "Kael Drakkel");
    h->Command(IDC_CHOOSE_MAP);
    EXPECT_EQ(h->rec().pickCalls, 1);
    EXPECT_EQ(h->app().map.imageWidth, 40);
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(h->app().calibrationMode, 1);
    SetDlgItemTextA(h->window(), IDC_PHYS2_X, "25");
    h->Command(IDC_SAVE_CAL);
    EXPECT_EQ(h->app().map.calibrated, 1);
    EXPECT_NE(test::ReadFile(Zones() + "Kael Drakkel.ini").find("X2=25"), std::string::npos);
    // Leaving Calibration Mode stays possible after the log named a bad zone.
    SelectZoneMap(h->window(), h->program(), "..\\pwn");
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(h->app().calibrationMode, 0);
    EXPECT_EQ(h->rec().messages.size(), 1u);
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
