// The raster map in the real main window: map selection, the stand-by
// picture, Calibration Mode, reference-point capture, saving, drawing and
// panning.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <tuple>

#include "app/main_window_win.h"
#include "raster/calibration_win.h"
#include "raster/image_win.h"
#include "raster/map_math.h"
#include "raster/map_select_win.h"
#include "raster/map_texts.h"
#include "raster/map_view_win.h"
#include "raster/test_pictures_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::Canvas;
using test::MainWindowHarness;
using test::Picture;
using test::PictureFormat;
using test::TempFolder;

constexpr std::uint32_t kBackdrop = 0x203040;  // BackgroundMap.jpg (written as PNG)
constexpr std::uint32_t kStandBy = 0x000060;   // MissingMap.jpg
constexpr std::uint32_t kMapColour = 0x808080;

void SetShiftKeys(bool left, bool right) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_LSHIFT] = left ? 0x80 : 0;
    keys[VK_RSHIFT] = right ? 0x80 : 0;
    keys[VK_SHIFT] = left || right ? 0x80 : 0;
    SetKeyboardState(keys);
}

LPARAM MouseAt(POINT p) { return MAKELPARAM(p.x, p.y); }

// A rectangle of `from`, as its own picture.
Picture Crop(Picture& from, int left, int top, int width, int height) {
    Picture out;
    out.width = width;
    out.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.argb.push_back(from.at(left + x, top + y));
    return out;
}

class RasterMapWindow : public ::testing::Test {
protected:
    TempFolder folder{"rastermap"};

    void SetUp() override {
        test::MakeFolder(folder / "Zones");
        test::MakeFolder(folder / "Textures");
        ASSERT_TRUE(test::WritePicture(folder / "Textures\\BackgroundMap.jpg",
                                       test::SolidPicture(64, 64, 0xFF000000u | kBackdrop), PictureFormat::Png));
    }

    std::string Zones() const { return folder / "Zones\\"; }

    void WriteStandByPicture(int width = 600, int height = 400) {
        ASSERT_TRUE(test::WritePicture(Zones() + "MissingMap.jpg",
                                       test::SolidPicture(width, height, 0xFF000000u | kStandBy), PictureFormat::Png));
    }

    void WriteZonePicture(const std::string& zone, int width, int height, std::uint32_t rgb = kMapColour) {
        ASSERT_TRUE(test::WritePicture(Zones() + zone + ".jpg", test::SolidPicture(width, height, 0xFF000000u | rgb),
                                       PictureFormat::Png));
    }

    std::unique_ptr<MainWindowHarness> Open() {
        auto harness = std::make_unique<MainWindowHarness>(folder.path());
        EXPECT_NE(harness->window(), nullptr);
        return harness;
    }

    static RECT ViewRect(MainWindowHarness& h) {
        RECT r{};
        GetClientRect(GetDlgItem(h.window(), IDC_MAP_VIEW), &r);
        return r;
    }

    // Main-window client position of a Map View client point.
    static POINT MainPointOfView(MainWindowHarness& h, int vx, int vy) {
        POINT p{vx, vy};
        MapWindowPoints(GetDlgItem(h.window(), IDC_MAP_VIEW), h.window(), &p, 1);
        return p;
    }

    // The map image as it sits in the composed map bitmap.
    static Picture ComposedImage(MainWindowHarness& h) {
        Picture all = test::ReadPixels(h.program().gdi.mapBitmap.get());
        const CurrentMap& map = h.app().map;
        return Crop(all, map.imageOffsetX, map.imageOffsetY, map.imageWidth, map.imageHeight);
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

    // One frame of the Map View drawn into a canvas of the view's size.
    static Picture Frame(MainWindowHarness& h, std::uint32_t tick, bool referencePoints = false) {
        const RECT view = ViewRect(h);
        Canvas canvas(view.right, view.bottom, RGB(1, 2, 3));
        DrawMapFrame(canvas.dc(), view, h.program(), referencePoints, tick);
        return canvas.pixels();
    }
};

TEST_F(RasterMapWindow, StandByPictureWithGettingStartedThenMissingMapText) {
    WriteStandByPicture();
    auto h = Open();
    EXPECT_EQ(h->app().map.imageWidth, 600);
    EXPECT_EQ(h->app().map.imageOffsetX, 640);
    EXPECT_EQ(ComposedImage(*h).argb, ExpectedStandBy(GettingStartedText()).argb);
    Picture all = test::ReadPixels(h->program().gdi.mapBitmap.get());
    EXPECT_EQ(all.width, 600 + 1280);
    EXPECT_EQ(all.at(all.width - 1, all.height - 1), kBackdrop);

    SelectZoneMap(h->window(), h->program(), "Greater Faydark");  // a zone without picture
    EXPECT_EQ(GetListedZone(h->window()), "Greater Faydark");
    EXPECT_EQ(ComposedImage(*h).argb, ExpectedStandBy(MissingMapText("Greater Faydark")).argb);
    EXPECT_EQ(h->app().map.calibrated, 0);
    EXPECT_EQ(h->Text(IDC_LOG2_Y), "0.00");
}

TEST_F(RasterMapWindow, NoStandByPictureLeavesTheViewWithoutPicture) {
    auto h = Open();
    SelectZoneMap(h->window(), h->program(), "Befallen");
    EXPECT_FALSE(h->program().gdi.mapBitmap);
    h->Tick();  // draws a plain view, does not fault
    EXPECT_EQ(Frame(*h, 0).argb.front(), 0u);
}

TEST_F(RasterMapWindow, PictureWithoutCalibrationIsCentredWithoutMarkers) {
    WriteStandByPicture();
    WriteZonePicture("Kithicor Forest", 300, 200);
    auto h = Open();
    h->app().KeepCentered = 1;
    SelectZoneMap(h->window(), h->program(), "Kithicor Forest");
    const RECT view = ViewRect(*h);
    EXPECT_EQ(h->app().map.panX, view.right / 2 - (300 + 1280) / 2);
    EXPECT_EQ(h->app().map.panY, view.bottom / 2 - (200 + 1024) / 2);
    EXPECT_EQ(h->app().map.calibrated, 0);
    EXPECT_EQ(h->Text(IDC_PHYS1_X), "0");
    EXPECT_EQ(h->Text(IDC_LOG2_Y), "0.00");
    ZoneRecord* record = h->app().zones.Current();
    ASSERT_NE(record, nullptr);
    record->current.slots[0] = Position{10.0f, 20.0f, 0.0f};
    record->current.count = 1;
    Picture frame = Frame(*h, 0, false);
    EXPECT_EQ(h->app().KeepCentered, 0);  // switched off by the uncalibrated frame
    for (auto v : frame.argb) ASSERT_TRUE(v == kMapColour || v == kBackdrop) << std::hex << v;
}

class CalibratedMap : public RasterMapWindow {
protected:
    // 400 x 300 picture, one pixel per game unit: game (0, 0) at pixel (100, 50), mirrored X.
    void SetUp() override {
        RasterMapWindow::SetUp();
        WriteStandByPicture();
        WriteZonePicture("East Commonlands", 400, 300);
        test::WriteFile(Zones() + "East Commonlands.ini",
                        "[Physical]\r\nX1=100\r\nY1=50\r\nX2=300\r\nY2=250\r\n[Logical]\r\nX1=0.0000\r\nY1=0.0000\r\n"
                        "X2=-200.0000\r\nY2=200.0000\r\n");
        h = Open();
        SelectZoneMap(h->window(), h->program(), "East Commonlands");
        record = h->app().zones.Current();
        ASSERT_NE(record, nullptr);
    }
    POINT ViewOf(float x, float y) {
        int vx = 0, vy = 0;
        EXPECT_TRUE(GameToView(h->app().map, x, y, vx, vy));
        return POINT{vx, vy};
    }
    void SetTrail(std::initializer_list<Position> current, std::initializer_list<Position> returns = {}) {
        record->current.count = 0;
        for (const Position& p : current) record->current.slots[static_cast<size_t>(record->current.count++)] = p;
        record->returns.count = 0;
        for (const Position& p : returns) record->returns.slots[static_cast<size_t>(record->returns.count++)] = p;
    }
    std::unique_ptr<MainWindowHarness> h;
    ZoneRecord* record = nullptr;
};

TEST_F(CalibratedMap, MarkersLandWhereTheCalibrationSays) {
    ASSERT_EQ(h->app().map.calibrated, 1);
    SetTrail({{-20.0f, 30.0f, 0.0f}, {-20.0f, 60.0f, 0.0f}}, {{-150.0f, 150.0f, 0.0f}});
    Picture frame = Frame(*h, 0, true);  // disc radius 10, reference squares shown
    const POINT here = ViewOf(-20.0f, 30.0f);
    EXPECT_EQ(here.x, 120 + 640 + h->app().map.panX);
    EXPECT_EQ(here.y, 80 + 512 + h->app().map.panY);
    EXPECT_EQ(frame.at(here.x + 8, here.y), 0x00FF00u);
    EXPECT_EQ(frame.at(here.x + 13, here.y), kMapColour);
    const POINT back = ViewOf(-150.0f, 150.0f);
    EXPECT_EQ(frame.at(back.x, back.y), 0xFF0000u);
    // Trail in shades of red, heading line in shades of green along it.
    int redOnly = 0;
    for (int y = here.y + 11; y < ViewOf(-20.0f, 60.0f).y; ++y) redOnly += (frame.at(here.x, y) & 0x00FFFFu) == 0;
    EXPECT_GT(redOnly, 10);
    // Hollow reference squares framed in black at the two physical points.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_TRUE(ImageToView(h->app().map, 100, 50, x1, y1));
    ASSERT_TRUE(ImageToView(h->app().map, 300, 250, x2, y2));
    EXPECT_EQ(frame.at(x1 - 5, y1), 0xB40000u);
    EXPECT_EQ(frame.at(x1 - 4, y1), 0x000000u);
    EXPECT_EQ(frame.at(x1, y1), kMapColour);
    EXPECT_EQ(frame.at(x2 - 5, y2), 0x0000B4u);

    SetTrail({{-20.0f, 30.0f, 0.0f}, {-25.0f, 30.0f, 0.0f}});  // dx = 5: heading line 50 pixels to the left
    frame = Frame(*h, 1023, false);  // disc radius 2, no squares
    EXPECT_EQ(frame.at(here.x, here.y), 0x00FF00u);
    EXPECT_EQ(frame.at(x1 - 5, y1), kMapColour);
    int greenOnly = 0;
    for (int x = here.x - 49; x <= here.x - 11; ++x) greenOnly += (frame.at(x, here.y) & 0xFF00FFu) == 0;
    EXPECT_GE(greenOnly, 35);  // a few pixels of the wave are black
    EXPECT_NE(frame.at(here.x - 30, here.y + 2) & 0xFF00FFu, 0u);  // one pixel wide
}

TEST_F(CalibratedMap, KeepCentredPutsThePositionInTheMiddle) {
    SetTrail({{-150.0f, 200.0f, 0.0f}});
    h->app().KeepCentered = 1;
    const RECT view = ViewRect(*h);
    Picture frame = Frame(*h, 0);
    EXPECT_EQ(frame.at(view.right / 2, view.bottom / 2), 0x00FF00u);
    // Far off the picture the pan is not clamped; what the map bitmap does not cover is black.
    SetTrail({{-5000.0f, 5000.0f, 0.0f}});
    frame = Frame(*h, 0);
    EXPECT_EQ(frame.at(view.right / 2, view.bottom / 2), 0x00FF00u);
    EXPECT_EQ(frame.at(0, 0), 0u);
}

TEST_F(CalibratedMap, DegenerateCalibrationDrawsNoMarkersAndDoesNotFault) {
    CalibrationPoints& p = h->app().map.points;
    p.logicalX2 = p.logicalX1;  // division by zero
    SetTrail({{-20.0f, 30.0f, 0.0f}, {0.0f, 30.0f, 0.0f}}, {{5.0f, 5.0f, 0.0f}});
    h->app().KeepCentered = 1;
    const int panX = h->app().map.panX;
    Picture frame = Frame(*h, 0);
    EXPECT_EQ(h->app().map.panX, panX);  // nothing to centre on
    for (auto v : frame.argb) ASSERT_TRUE(v == kMapColour || v == kBackdrop) << std::hex << v;
    // Nearly equal values: finite but enormous positions, a huge trail segment.
    p = CalibrationPoints{100, 50, 300, 250, 0.0f, 0.0f, -0.0001f, 200.0f};
    SetTrail({{-2000.0f, 30.0f, 0.0f}, {-1.0f, 30.0f, 0.0f}, {1.0f, 31.0f, 0.0f}});
    h->app().KeepCentered = 0;
    Frame(*h, 0);
    p.physicalY2 = p.physicalY1;
    EXPECT_FALSE(ViewToGame(h->app().map, 10, 10).valid);
    h->Tick();
}

TEST_F(CalibratedMap, DraggingPansAndStopsAtTheEdges) {
    HWND w = h->window();
    const RECT view = ViewRect(*h);
    const int startPan = h->app().map.panX;
    const POINT start = MainPointOfView(*h, view.right / 2, view.bottom / 2);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MouseAt(start));
    EXPECT_EQ(GetCapture(), w);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 40, start.y - 10));
    EXPECT_EQ(h->app().map.panX, startPan + 40);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-3000, start.y));  // negative 16-bit position
    EXPECT_EQ(h->app().map.panX, view.right - (400 + 1280));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(-3000, start.y));
    EXPECT_EQ(h->app().drag.dragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    // A press outside the view does not pan.
    const POINT outside = MainPointOfView(*h, 5, -20);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MouseAt(outside));
    EXPECT_EQ(h->app().drag.dragging, 0);
    SendMessageA(w, WM_LBUTTONUP, 0, MouseAt(outside));
}

TEST_F(CalibratedMap, DrawingThroughTheBufferShowsTheSameFrame) {
    SetTrail({{-20.0f, 30.0f, 0.0f}, {-27.0f, 33.0f, 0.0f}, {-34.0f, 36.0f, 0.0f}, {-41.0f, 39.0f, 0.0f}},
             {{-60.0f, 10.0f, 0.0f}, {-25.0f, 36.0f, 0.0f}});
    ShowWindow(h->window(), SW_SHOWNORMAL);
    UpdateWindow(h->window());
    h->PumpMessages();
    HWND viewWindow = GetDlgItem(h->window(), IDC_MAP_VIEW);
    const RECT view = ViewRect(*h);
    h->rec().tick = 5230;
    DrawMapView(h->window(), h->program(), true);
    Canvas shown(view.right, view.bottom);
    HDC viewDc = GetDC(viewWindow);
    BitBlt(shown.dc(), 0, 0, view.right, view.bottom, viewDc, 0, 0, SRCCOPY);
    ReleaseDC(viewWindow, viewDc);
    ShowWindow(h->window(), SW_HIDE);
    const Picture expected = Frame(*h, 5230, true);
    int markers = 0;
    for (auto v : expected.argb) markers += v != kMapColour && v != kBackdrop;
    EXPECT_GT(markers, 300);  // discs, heading line, trail and squares are all in the picture
    EXPECT_TRUE(shown.pixels().argb == expected.argb);
}

TEST_F(RasterMapWindow, CalibrateIsRefusedWithReasons) {
    WriteStandByPicture();
    auto h = Open();
    SelectZoneInList(h->window(), "Befallen");
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    test::MakeFolder(folder / "test.tmp");  // stops the write test as a read-only folder would
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(h->rec().messages.size(), 1u);
    EXPECT_EQ(h->rec().messages[0].text,
              "Calibration Unavailable\n\nIn order to perform calibration, Tolvik requires the ability to write to "
              "the folder where it stores its maps.\n\nEither re-run Tolvik as an Administrator or move Tolvik to "
              "another folder.");
    EXPECT_EQ(h->rec().messages[0].caption, "Error: Unable to Calibrate");
    EXPECT_TRUE(h->rec().messages[0].type & MB_ICONERROR);
    RemoveDirectoryA((folder / "test.tmp").c_str());

    h->app().logFile = "";
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(h->rec().messages.size(), 2u);
    EXPECT_EQ(h->rec().messages[1].text,
              "Calibration Unavailable\n\nEither you haven't selected a log file or a zone change hasn't been spotted "
              "in the log.");
    EXPECT_EQ(h->rec().messages[1].caption, "Error: Unable to Calibrate");
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    SelectZoneInList(h->window(), "X");  // one character is too short
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(h->rec().messages.size(), 3u);
    EXPECT_EQ(h->app().calibrationMode, 0);

    SelectZoneInList(h->window(), "Befallen");
    h->app().KeepCentered = 1;
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(h->rec().messages.size(), 3u);
    EXPECT_EQ(h->app().calibrationMode, 1);
    EXPECT_EQ(h->app().KeepCentered, 0);
    EXPECT_EQ(GetFileAttributesA((folder / "test.tmp").c_str()), INVALID_FILE_ATTRIBUTES);  // test file removed
    test::MakeFolder(folder / "test.tmp");  // leaving runs the same test
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(h->rec().messages.size(), 4u);
    EXPECT_EQ(h->app().calibrationMode, 1);
    RemoveDirectoryA((folder / "test.tmp").c_str());
}

TEST_F(RasterMapWindow, ShiftKeysCaptureReferencePointsInsideThePicture) {
    WriteStandByPicture();
    WriteZonePicture("Befallen", 200, 150);
    auto h = Open();
    SelectZoneMap(h->window(), h->program(), "Befallen");
    h->app().calibrationMode = 1;
    const CurrentMap& map = h->app().map;
    auto moveTo = [&](int px, int py) {
        SendMessageA(h->window(), WM_MOUSEMOVE, 0,
                     MouseAt(MainPointOfView(*h, px + map.imageOffsetX + map.panX, py + map.imageOffsetY + map.panY)));
    };
    SetShiftKeys(true, false);
    moveTo(30, 40);
    EXPECT_EQ(h->app().crosshairShown, 1);
    EXPECT_EQ(h->Text(IDC_PHYS1_X), "30");
    EXPECT_EQ(h->Text(IDC_PHYS1_Y), "40");
    moveTo(-3, 40);  // over the backdrop: unchanged
    moveTo(200, 10);
    EXPECT_EQ(map.points.physicalX1, 30);
    moveTo(199, 149);
    EXPECT_EQ(map.points.physicalX1, 199);
    EXPECT_EQ(map.points.physicalY1, 149);
    SetShiftKeys(false, true);
    moveTo(77, 66);
    EXPECT_EQ(map.points.physicalX2, 77);
    EXPECT_EQ(h->Text(IDC_PHYS2_Y), "66");
    EXPECT_EQ(map.points.physicalX1, 199);
    SetShiftKeys(false, false);
    moveTo(100, 100);
    EXPECT_EQ(h->app().crosshairShown, 0);
    EXPECT_EQ(map.points.physicalX2, 77);
    EXPECT_EQ(map.calibrated, 0);  // capturing does not calibrate
}

TEST_F(RasterMapWindow, SaveWritesThePanelAndCalibrates) {
    WriteStandByPicture();
    WriteZonePicture("Befallen", 200, 150);
    const std::string path = Zones() + "Befallen.ini";
    test::WriteFile(path, "[Physical]\r\nX1=10\r\nY1=20\r\nX2=10\r\nY2=90\r\n[Logical]\r\nX1=1500.1234\r\nY1=-7.5\r\n");
    auto h = Open();
    SelectZoneMap(h->window(), h->program(), "Befallen");
    EXPECT_EQ(h->app().map.calibrated, 0);  // equal physical X values
    EXPECT_EQ(h->Text(IDC_LOG1_X), "1500.12");
    EXPECT_EQ(h->Text(IDC_LOG1_Y), "-7.50");
    SetDlgItemTextA(h->window(), IDC_LOG2_X, "letters");
    SetDlgItemTextA(h->window(), IDC_LOG2_Y, "  42.125abc");
    h->Command(IDC_SAVE_CAL);
    EXPECT_EQ(h->app().map.calibrated, 1);  // whatever the values are
    for (auto [section, key, value] : {std::tuple{"Logical", "X1", "1500.1200"}, {"Logical", "X2", "0.0000"},
                                       {"Logical", "Y2", "42.1250"}, {"Physical", "Y2", "90"}}) {
        char text[64] = {};
        GetPrivateProfileStringA(section, key, "", text, sizeof text, path.c_str());
        EXPECT_STREQ(text, value) << section << " " << key;
    }
}

TEST_F(RasterMapWindow, ChooseMapImageCopiesThePictureForTheListedZone) {
    WriteStandByPicture();
    auto h = Open();
    const std::string chosen = folder / "my map.png";
    ASSERT_TRUE(test::WritePicture(chosen, test::SolidPicture(321, 123, 0xFF00FF00u), PictureFormat::Png));
    test::WriteFile(Zones() + "Befallen.ini", "[Physical]\r\nX1=1\r\nX2=2\r\n");
    SelectZoneInList(h->window(), "Befallen");
    h->rec().pickAnswer = false;
    h->Command(IDC_CHOOSE_MAP);
    EXPECT_EQ(h->rec().lastFilter, FileFilter::Pictures);
    EXPECT_EQ(GetFileAttributesA((Zones() + "Befallen.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    h->rec().pickAnswer = true;
    h->rec().pickPath = chosen;
    h->Command(IDC_CHOOSE_MAP);
    EXPECT_EQ(test::ReadFile(Zones() + "Befallen.jpg"), test::ReadFile(chosen));
    EXPECT_EQ(h->app().map.imageWidth, 321);
    EXPECT_EQ(h->app().map.calibrated, 1);  // the existing calibration is kept
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
