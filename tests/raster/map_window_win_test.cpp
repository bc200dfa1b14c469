// The raster map in the real main window: stand-by picture, calibration, markers and trail; and zoom.
#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "app/map_zoom_win.h"
#include "raster/calibration_win.h"
#include "raster/map_math.h"
#include "raster/map_texts.h"
#include "raster/map_compose_win.h"
#include "raster/map_view_win.h"
#include "support/main_window_harness_win.h"
#include "support/picture_headers.h"

namespace tolvik {
namespace {

using test::Canvas;
using test::Picture;

constexpr std::uint32_t kBackdrop = 0x203040;  // BackgroundMap.jpg (written as PNG)
constexpr std::uint32_t kStandBy = 0x000060;   // MissingMap.jpg
constexpr std::uint32_t kMapColour = 0x808080, kLeftHalf = 0x806040, kRightHalf = 0x204080;
// For 400 x 300 pictures: one pixel per game unit, game (0, 0) at pixel (100, 50), X mirrored.
constexpr const char* kCalibration =
    "[Physical]\r\nX1=100\r\nY1=50\r\nX2=300\r\nY2=250\r\n[Logical]\r\nX1=0.0000\r\nY1=0.0000\r\nX2=-200.0000\r\n"
    "Y2=200.0000\r\n";
constexpr const char* kNoZone =
    "Calibration Unavailable\n\nEither you haven't selected a log file or a zone change hasn't been spotted in the log.";

class MapWindow : public ::testing::Test {
protected:
    test::TempFolder folder{"mapwindow"};
    std::unique_ptr<test::MainWindowHarness> h;
    std::string Zones() const { return folder / "Zones\\"; }
    void WriteZonePicture(const std::string& name, const Picture& picture) {
        ASSERT_TRUE(test::WritePicture(Zones() + name + ".jpg", picture));
    }
    void Open() { h = std::make_unique<test::MainWindowHarness>(folder.path()); }
    const CurrentMap& Map() { return h->app().map; }
};

class RasterMapWindow : public MapWindow {
protected:
    void SetUp() override {
        for (const char* sub : {"Zones", "Textures"}) test::MakeFolder(folder / sub);
        ASSERT_TRUE(test::WritePicture(folder / "Textures\\BackgroundMap.jpg", test::SolidPicture(64, 64, 0xFF000000u | kBackdrop)));
        WriteZonePicture("MissingMap", test::SolidPicture(600, 400, 0xFF000000u | kStandBy));
        Open();
        ASSERT_NE(h->window(), nullptr);
    }
    // The map image as it sits in the composed map bitmap.
    Picture ComposedImage() {
        Picture all = test::ReadPixels(h->program().gdi.mapBitmap.get()), out{Map().imageWidth, Map().imageHeight, {}};
        for (int i = 0; i < out.width * out.height; ++i)
            out.argb.push_back(all.at(Map().imageOffsetX + i % out.width, Map().imageOffsetY + i / out.width));
        return out;
    }
    // The 600 x 400 stand-by picture with `text` in white, a sixth in from three sides.
    static Picture ExpectedStandBy(const std::string& text) {
        test::Canvas canvas(600, 400, RGB(0, 0, 0x60));
        RECT rect{100, 66, 500, 400};
        SetTextColor(canvas.dc(), RGB(255, 255, 255));
        SetBkMode(canvas.dc(), TRANSPARENT);
        DrawTextA(canvas.dc(), text.c_str(), -1, &rect, DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER);
        return canvas.pixels();
    }
};

TEST_F(RasterMapWindow, StandByPictureWithGettingStartedThenMissingMapText) {
    EXPECT_EQ(std::pair(Map().imageWidth, Map().imageOffsetX), std::pair(600, 640));
    EXPECT_EQ(ComposedImage().argb, ExpectedStandBy(GettingStartedText()).argb);
    Picture all = test::ReadPixels(h->program().gdi.mapBitmap.get());  // the backdrop around it
    EXPECT_EQ(std::pair(all.width, all.at(all.width - 1, all.height - 1)), std::pair(600 + 1280, kBackdrop));
    h->Select("Greater Faydark");  // a zone without picture, shown in the list
    EXPECT_EQ(ComposedImage().argb, ExpectedStandBy(MissingMapText(GetListedZone(h->window()))).argb);
    EXPECT_EQ(std::pair(Map().calibrated, h->Text(IDC_LOG2_Y)), std::pair(0, std::string("0.00")));
}

TEST_F(RasterMapWindow, MarkersLandWhereTheCalibrationSays) {
    WriteZonePicture("East Commonlands", test::SolidPicture(400, 300, 0xFF000000u | kMapColour));
    test::WriteFile(Zones() + "East Commonlands.ini", kCalibration);
    h->Select("East Commonlands");
    ZoneRecord* record = h->app().zones.Current();
    ASSERT_TRUE(record && Map().calibrated);
    record->current.slots[0] = Position{-20.0f, 30.0f, 0.0f}, record->current.slots[1] = Position{-20.0f, 60.0f, 0.0f};
    record->returns.slots[0] = Position{-150.0f, 150.0f, 0.0f};
    record->current.count = 2, record->returns.count = 1;
    Picture frame = h->Frame(true);  // disc radius 10, reference squares shown
    const POINT here = h->ViewOf(-20.0f, 30.0f);
    EXPECT_EQ(std::pair(frame.at(here.x + 8, here.y), frame.at(here.x + 13, here.y)), std::pair(0x00FF00u, kMapColour));
    EXPECT_EQ(frame.at(h->ViewOf(-150.0f, 150.0f).x, h->ViewOf(-150.0f, 150.0f).y), 0xFF0000u);
    int redOnly = 0;  // the trail in shades of red below the disc
    for (int y = here.y + 11; y < h->ViewOf(-20.0f, 60.0f).y; ++y) redOnly += (frame.at(here.x, y) & 0x00FFFFu) == 0;
    EXPECT_GT(redOnly, 10);
}

TEST_F(RasterMapWindow, CalibrateIsRefusedWithReasons) {
    const auto& messages = h->rec().messages;
    SelectZoneInList(h->window(), "Befallen");
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    test::MakeFolder(folder / "test.tmp");  // stops the write test as a read-only folder would
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Calibration Unavailable\n\nIn order to perform calibration, Tolvik requires the ability to write to "
              "the folder where it stores its maps.\n\nEither re-run Tolvik as an Administrator or move Tolvik to "
              "another folder.");
    EXPECT_TRUE(messages[0].caption == "Error: Unable to Calibrate" && messages[0].type & MB_ICONERROR) << messages[0].caption;
    RemoveDirectoryA((folder / "test.tmp").c_str());
    h->app().logFile = "";
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(std::pair(messages[1].text, messages[1].caption), std::pair(std::string(kNoZone), messages[0].caption));
    EXPECT_EQ(h->app().calibrationMode, 0);
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(std::pair(messages.size(), h->app().calibrationMode), std::pair(size_t{2}, 1));
    EXPECT_EQ(GetFileAttributesA((folder / "test.tmp").c_str()), INVALID_FILE_ATTRIBUTES);  // test file removed
}

// Pictures too big by their header and zone names that leave the Zones Folder get the stand-by picture.
TEST_F(RasterMapWindow, HugePicturesAndUnsafeZoneNamesGetTheStandByPicture) {
    test::WriteFile(Zones() + "Greater Faydark.jpg", test_pictures::PngHeader(27000, 27000) + std::string(4096, 'x'));
    test::WriteFile(Zones() + "Befallen.jpg", test_pictures::JpegHeader(8000, 8000));  // map bitmap beyond the cap
    WriteZonePicture("Butcherblock Mountains", test::SolidPicture(400, 300, 0xFF808080u));
    ASSERT_TRUE(test::WritePicture(folder / "pwn.jpg", test::SolidPicture(400, 300, 0xFF808080u)));
    test::WriteFile(folder / "pwn.ini", "[Physical]\r\nX1=100\r\nX2=300\r\n");
    test::WriteFile(Zones() + "Befallen.ini", "[Physical]\r\nX1=100\r\nX2=300\r\n");
    for (const std::string zone : {"Greater Faydark", "Befallen", "..\\pwn", "../pwn", "Zones\\..\\..\\pwn"}) {
        h->Select("Butcherblock Mountains");
        ASSERT_EQ(Map().imageWidth, 400);
        h->Select(zone);
        // A picture refused for its size says so.
        const std::string text = zone == "Greater Faydark" ? TooBigMapText(zone, 27000, 27000)
                                 : zone == "Befallen"      ? TooBigMapText(zone, 8000, 8000)
                                                           : MissingMapText(zone);
        EXPECT_EQ(ComposedImage().argb, ExpectedStandBy(text).argb) << zone;
        EXPECT_EQ(std::pair(Map().calibrated, h->Text(IDC_PHYS2_X)), std::pair(0, std::string("0"))) << zone;
    }
    // A picture that fits the bitmap limit but not with the map's margins makes no map bitmap.
    const HBITMAP shown = h->program().gdi.mapBitmap.get();
    EXPECT_EQ(ComposeMapPicture(h->program(), CreateTopDownDib(7100, 7100)), 0);
    EXPECT_EQ(std::pair(h->program().gdi.mapBitmap.get(), Map().imageWidth), std::pair(shown, 600));
}

TEST_F(RasterMapWindow, CalibrationAndChosenPicturesStayInsideTheZonesFolder) {
    h->app().logFile = "C:\\logs\\eqlog_Someone_test.txt";
    ASSERT_TRUE(test::WritePicture(folder / "chosen.png", test::SolidPicture(40, 30, 0xFF808080u)));
    h->rec().pickAnswer = true, h->rec().pickPath = folder / "chosen.png";
    // A zone of the log whose name is a path: nothing is written anywhere.
    h->Select("..\\pwn");
    ASSERT_EQ(GetListedZone(h->window()), "..\\pwn");
    h->Command(IDC_CALIBRATE);
    ASSERT_EQ(h->rec().messages.size(), 1u);
    EXPECT_EQ(h->rec().messages[0].text, kNoZone);
    h->Command(IDC_SAVE_CAL);
    h->Command(IDC_CHOOSE_MAP);
    EXPECT_EQ(std::tuple(h->app().calibrationMode, h->rec().pickCalls, Map().calibrated), std::tuple(0, 0, 0));
    for (const char* name : {"pwn.ini", "pwn.jpg"})
        EXPECT_EQ(GetFileAttributesA((folder / name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    // A real zone: the chosen picture is copied in and shown, the calibration saved beside it.
    h->Select("Kael Drakkel");
    h->Command(IDC_CHOOSE_MAP);
    EXPECT_EQ(std::pair(h->rec().pickCalls, Map().imageWidth), std::pair(1, 40));
    h->Command(IDC_CALIBRATE);
    SetDlgItemTextA(h->window(), IDC_PHYS2_X, "25");
    h->Command(IDC_SAVE_CAL);
    EXPECT_EQ(Map().calibrated, 1);
    EXPECT_NE(test::ReadFile(Zones() + "Kael Drakkel.ini").find("X2=25"), std::string::npos);
    // Leaving Calibration Mode stays possible after the log named a bad zone.
    h->Select("..\\pwn");
    h->Command(IDC_CALIBRATE);
    EXPECT_EQ(std::pair(h->app().calibrationMode, h->rec().messages.size()), std::pair(0, size_t{1}));
}

TEST(RasterPath, PulsingPathCarriesThePhaseAcrossSegments) {
    const std::uint32_t tick = 2 * 50;
    // Drawn from the last point on, the end point not; a segment far outside still moves the wave on.
    for (int count : {3, 4}) {
        Canvas canvas(100, 20);
        const POINT points[4] = {{60, 5}, {30, 5}, {10, 5}, {10, 100000}};
        DrawPulsingPath(canvas.dc(), points, count, 1, tick);
        Picture p = canvas.pixels();
        PulseWave wave = StartPulseWave(tick, 1);
        if (count == 4) SkipPulsePixels(wave, 100000 - 5);
        for (int x = 10; x < 60; ++x) EXPECT_EQ(p.at(x, 5), test::Rgb(NextPulseColour(wave))) << count << " " << x;
        EXPECT_EQ(p.at(60, 5) | p.at(9, 5), 0u);
    }
}

std::vector<float> Values(const CalibrationPoints& p) {
    return {float(p.physicalX1), float(p.physicalY1), float(p.physicalX2), float(p.physicalY2),
            p.logicalX1,         p.logicalY1,         p.logicalX2,         p.logicalY2};
}

TEST(CalibrationFile, RoundTripAndMissingParts) {
    test::TempFolder folder("calfile");
    const std::string path = folder / "Greater Faydark.ini";
    WriteCalibrationFile(path, CalibrationPoints{120, 80, 940, 610, 1500.0f, -200.0f, -1300.0f, 1800.0f});
    std::string text = test::ReadFile(path);  // blank lines between sections do not count
    for (size_t i; (i = text.find("\r\n\r\n")) != std::string::npos;) text.erase(i, 2);
    EXPECT_EQ(text,
              "[Physical]\r\nX1=120\r\nY1=80\r\nX2=940\r\nY2=610\r\n[Logical]\r\nX1=1500.0000\r\nY1=-200.0000\r\n"
              "X2=-1300.0000\r\nY2=1800.0000\r\n");
    // Each file over points that are all set: whatever it lacks reads as 0 ("" is no file).
    for (const auto& [file, expected] : {
             std::pair<std::string, std::vector<float>>{"[Physical]\r\nX1=5\r\nY1=-6\r\nX2=700\r\nY2=8\r\n", {5, -6, 700, 8, 0, 0, 0, 0}},
             {"", std::vector<float>(8, 0.0f)},
             {"[Physical]\r\nX1=abc\r\n[Logical]\r\nX1=12.5xyz\r\nY1=\r\nX2=nan\r\n", {0, 0, 0, 0, 12.5f, 0, 0, 0}}}) {
        DeleteFileA(path.c_str());
        if (!file.empty()) test::WriteFile(path, file);
        CalibrationPoints read{1, 1, 1, 1, 9.0f, 9.0f, 9.0f, 9.0f};
        ReadCalibrationFile(path, read);
        EXPECT_EQ(Values(read), expected) << file;
    }
}

class MapZoomWindow : public MapWindow {
protected:
    void SetUp() override {
        for (const char* sub : {"Zones", "VURavaZiro"}) test::MakeFolder(folder / sub);
        Picture picture = test::SolidPicture(400, 300, 0);  // its halves in two colours
        for (size_t i = 0; i < picture.argb.size(); ++i) picture.argb[i] = 0xFF000000u | (i % 400 < 200 ? kLeftHalf : kRightHalf);
        WriteZonePicture("East Commonlands", picture);
        test::WriteFile(Zones() + "East Commonlands.ini", kCalibration);
        test::WriteFile(Zones() + "Befallen.ini", "");
        Open();
        h->Select("East Commonlands");
        ASSERT_TRUE(h->window() && Map().calibrated);
    }
    POINT Centre() const { return POINT{h->ViewRect().right / 2, h->ViewRect().bottom / 2}; }
    // A message as the system sends it to the window with the focus, run as the program's loop runs it.
    void Post(UINT type, WPARAM w, LPARAM l) {
        PostMessageA(GetFocus(), type, w, l);
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
            if (m.message != WM_TIMER && !TranslateDialogMessage(h->program(), m)) TranslateMessage(&m), DispatchMessageA(&m);
    }
    void Wheel(POINT s, int delta) { Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(s.x, s.y)); }
};

TEST_F(MapZoomWindow, WheelOverTheMapAndKeysZoomWhileTheZoneListHasTheFocus) {
    const HWND list = h->Item(IDC_ZONE_LIST);
    ShowWindow(h->window(), SW_SHOW);  // the pointer must find the window on the screen
    SetForegroundWindow(h->window());
    Post(WM_NULL, 0, 0);
    SetFocus(list);
    const LRESULT listed = SendMessageA(list, CB_GETCURSEL, 0, 0);
    const POINT at{h->ViewRect().right / 3, h->ViewRect().bottom / 2 + 17};
    POINT screen = at;
    ClientToScreen(h->Item(IDC_MAP_VIEW), &screen);
    const GamePoint under = ViewToGame(Map(), at.x, at.y);
    // One notch, then a precision wheel's three small turns, then three notches back.
    for (auto [delta, step] : {std::pair{120, 1}, {40, 1}, {40, 1}, {40, 2}, {-360, -1}}) {
        Wheel(screen, delta);
        EXPECT_EQ(Map().zoomStep, step) << delta;
        const POINT now = h->ViewOf(under.x, under.y);
        EXPECT_TRUE(std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1) << step;
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), listed);  // the list did not scroll
    // Over the zone list the wheel is the list's own.
    RECT listRect{};
    GetWindowRect(list, &listRect);
    Wheel(POINT{(listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2}, 120);
    EXPECT_NE(SendMessageA(list, CB_GETCURSEL, 0, 0), listed);
    EXPECT_EQ(h->app().zoneZooms.at("East Commonlands"), -1);
    // + and - (main keys and keypad) about the view's centre, 0 to the actual size; not in a text field.
    h->Select("East Commonlands");  // at its zoom, -1
    SetFocus(list);
    const GamePoint middle = ViewToGame(Map(), Centre().x, Centre().y);
    for (auto [key, step] : {std::pair<WPARAM, int>{VK_ADD, 0}, {VK_OEM_PLUS, 1}, {VK_SUBTRACT, 0},
                             {VK_OEM_MINUS, -1}, {'0', 0}, {VK_ADD, 1}, {VK_NUMPAD0, 0}}) {
        Post(WM_KEYDOWN, key, 1);
        EXPECT_EQ(Map().zoomStep, step) << key;
        EXPECT_NEAR(h->ViewOf(middle.x, middle.y).x, Centre().x, 1) << key;
    }
    SetFocus(h->Item(IDC_LOG_FILE));
    Post(WM_KEYDOWN, VK_ADD, 1);
    EXPECT_EQ(Map().zoomStep, 0);
}

TEST_F(MapZoomWindow, ZoomedPictureWithMarkersOfTheSameSizeAndCaptureInPicturePixels) {
    ZoneRecord* record = h->app().zones.Current();
    ASSERT_NE(record, nullptr);
    record->current.slots[0] = Position{-20.0f, 30.0f, 0.0f}, record->current.count = 1;  // picture pixel (120, 80)
    h->app().calibrationMode = 1;
    ZoomMapView(h->window(), h->program(), 3, Centre());  // 1.95x
    Picture frame = h->Frame(true);
    const POINT here = h->ViewOf(-20.0f, 30.0f);
    // Radius 10 on screen, as at the actual size.
    EXPECT_EQ(std::pair(frame.at(here.x + 8, here.y), frame.at(here.x + 13, here.y)), std::pair(0x00FF00u, kLeftHalf));
    // The picture stretched: its halves meet at picture column 200; a drag makes the kept picture anew.
    const int seam = Map().panX + static_cast<int>(1.953125 * (Map().imageOffsetX + 200)), y = here.y;
    EXPECT_EQ(std::pair(frame.at(seam - 2, y), frame.at(seam + 2, y)), std::pair(kLeftHalf, kRightHalf));
    h->app().map.panX -= 10;
    Picture dragged = h->Frame(true);
    EXPECT_EQ(std::pair(dragged.at(seam - 12, y), dragged.at(seam - 8, y)), std::pair(kLeftHalf, kRightHalf));
    h->app().map.panX += 10;
    int vx = 0, vy = 0;  // reference point 1's square around its zoomed pixel
    ASSERT_TRUE(ImageToView(Map(), 100, 50, vx, vy));
    EXPECT_EQ(std::pair(frame.at(vx - 5, vy), frame.at(vx + 5, vy)), std::pair(0xB40000u, 0xB40000u));
    // With the left shift key down the pointer over picture pixel (150, 90) captures it at any zoom.
    for (int key : {VK_SHIFT, VK_LSHIFT}) test::SetKeyDown(key, true);
    std::string saved[2];
    for (int step : {3, 0}) {
        ZoomMapView(h->window(), h->program(), step, Centre());
        const double z = ZoomFactor(step);
        for (double within : {0.3, 0.7}) {  // two places on the zoomed picture pixel
            h->app().map.points.physicalX1 = h->app().map.points.physicalY1 = 0;
            POINT client{Map().panX + static_cast<int>(z * (Map().imageOffsetX + 150 + within)),
                         Map().panY + static_cast<int>(z * (Map().imageOffsetY + 90 + within))};
            MapWindowPoints(h->Item(IDC_MAP_VIEW), h->window(), &client, 1);
            CaptureReferencePoint(h->window(), h->program(), MAKELPARAM(client.x, client.y));
            EXPECT_EQ(std::tuple(Map().points.physicalX1, Map().points.physicalY1, h->Text(IDC_PHYS1_X)),
                      std::tuple(150, 90, std::string("150"))) << step << " " << within;
        }
        SaveCalibration(h->window(), h->program());
        saved[step == 0] = test::ReadFile(Zones() + "East Commonlands.ini");
    }
    for (int key : {VK_SHIFT, VK_LSHIFT}) test::SetKeyDown(key, false);
    EXPECT_EQ(saved[0], saved[1]);
    EXPECT_NE(saved[0].find("X1=150"), std::string::npos);
}

TEST_F(MapZoomWindow, ContextMenuEndsWithTheZoomCommands) {
    h->app().map.zoomStep = 8;  // nothing more to zoom in
    const std::vector<std::string> items = test::MenuItems(h->app());
    ASSERT_EQ(items.size(), 10u);  // the six specified entries, a separator and the three zoom commands
    EXPECT_EQ(std::vector<std::string>(items.end() - 4, items.end()),
              (std::vector<std::string>{"-", test::MenuItem(IDM_ZOOM_IN, "Zoom In (greyed)"), test::MenuItem(IDM_ZOOM_OUT, "Zoom Out"),
                                        test::MenuItem(IDM_ACTUAL_SIZE, "Actual Size")}));
    for (auto [command, step] : {std::pair{IDM_ZOOM_OUT, 7}, {IDM_ACTUAL_SIZE, 0}, {IDM_ZOOM_IN, 1}}) {
        h->Command(command);
        EXPECT_EQ(Map().zoomStep, step) << command;
    }
}

TEST_F(MapZoomWindow, VectorMapIsRenderedAgainAtTheZoomOnceTheWheelRests) {
    // 2000 by 1000 units at MapResolution 400: 0.2 pixels per unit; a red line across the middle.
    test::WriteFile(folder / "VURavaZiro\\gfaydark.txt",
                    "L -1000, -500, 0, 1000, 500, 0, 0, 0, 0\r\nL -400, 0, 0, 400, 0, 0, 255, 0, 0\r\n");
    h->app().UseVURavaZiro = 1;
    h->app().vector.MapResolution = 400;
    h->Select("Greater Faydark");
    ASSERT_EQ(Map().imageWidth, 400);
    const int x = Centre().x;
    // Rows of the middle column in the line's red, and in any strong red (the stretched line's blur too).
    const auto red = [&](bool pure) {
        Picture frame = h->Frame();
        int rows = 0;
        for (int y = 0; y < frame.height; ++y) {
            const std::uint32_t c = frame.at(x, y);
            rows += pure ? c == 0xFF0000u : (c >> 16) > 0x90 && (c & 0xFFFF) < 0x8080;
        }
        return rows;
    };
    ZoomMapView(h->window(), h->program(), 6, Centre());  // 3.8x: stretched at once
    EXPECT_TRUE(red(false) >= 3 && !h->program().gdi.zoom.paintSharp);
    SendMessageA(h->window(), WM_TIMER, IDT_ZOOM_SETTLE, 0);  // the wheel rests: one pixel wide again
    EXPECT_EQ(std::pair(red(true), red(false)), std::pair(1, 1));
    Picture sharp = h->Frame();
    const int y = h->ViewOf(0.0f, 0.0f).y;
    EXPECT_TRUE(sharp.at(x, y) == 0xFF0000u || sharp.at(x, y - 1) == 0xFF0000u || sharp.at(x, y + 1) == 0xFF0000u);
    EXPECT_EQ(sharp.at(x, y - 3), 0x808080u);  // the background colour around it
    // Back at the actual size the render at MapResolution shows and the zoomed one is let go.
    h->Command(IDM_ACTUAL_SIZE);
    EXPECT_TRUE(red(true) == 1 && !h->program().gdi.zoom.paintSharp);
}

}  // namespace
}  // namespace tolvik
