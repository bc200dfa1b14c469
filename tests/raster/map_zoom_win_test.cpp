// Map zoom in the real main window: the wheel over the map whatever has the
// focus, the keys, the zoomed picture under markers of unchanged size,
// reference points captured at a zoom, the context menu, and a vector map
// rendered again at the zoom once the wheel rests.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "app/main_window_win.h"
#include "app/map_select_win.h"
#include "app/map_zoom_win.h"
#include "chrome/context_menu_win.h"
#include "raster/calibration_win.h"
#include "raster/map_math.h"
#include "raster/map_view_win.h"
#include "support/pictures_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::Canvas;
using test::Picture;

constexpr std::uint32_t kLeftHalf = 0x806040;
constexpr std::uint32_t kRightHalf = 0x204080;

class MapZoomWindow : public ::testing::Test {
protected:
    test::TempFolder folder{"mapzoom"};
    std::unique_ptr<test::MainWindowHarness> h;

    void SetUp() override {
        test::MakeFolder(folder / "Zones");
        test::MakeFolder(folder / "VURavaZiro");
        // 400 x 300, its halves in two colours; one pixel per game unit, game (0, 0) at pixel (100, 50).
        Picture picture = test::SolidPicture(400, 300, 0xFF000000u | kLeftHalf);
        for (int y = 0; y < 300; ++y)
            for (int x = 200; x < 400; ++x) picture.at(x, y) = 0xFF000000u | kRightHalf;
        ASSERT_TRUE(test::WritePicture(folder / "Zones\\East Commonlands.jpg", picture));
        test::WriteFile(folder / "Zones\\East Commonlands.ini",
                        "[Physical]\r\nX1=100\r\nY1=50\r\nX2=300\r\nY2=250\r\n[Logical]\r\nX1=0.0000\r\nY1=0.0000\r\n"
                        "X2=-200.0000\r\nY2=200.0000\r\n");
        test::WriteFile(folder / "Zones\\Befallen.ini", "");
        h = std::make_unique<test::MainWindowHarness>(folder.path());
        SelectZoneMap(h->window(), h->program(), "East Commonlands");
        ASSERT_EQ(h->app().map.calibrated, 1);
    }

    HWND View() const { return GetDlgItem(h->window(), IDC_MAP_VIEW); }
    RECT ViewRect() const {
        RECT view{};
        GetClientRect(View(), &view);
        return view;
    }
    POINT Centre() const { return POINT{ViewRect().right / 2, ViewRect().bottom / 2}; }
    const CurrentMap& Map() { return h->app().map; }

    // The window's messages as the dialog loop runs them.
    void PumpAsDialog() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER) continue;
            if (!IsDialogMessageA(h->window(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    // A wheel message as the system sends it to the window with the focus.
    void Wheel(POINT screen, int delta) {
        PostMessageA(GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                     MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
        PumpAsDialog();
    }
    void Key(WPARAM key) {
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
        PumpAsDialog();
    }
    Picture Frame(std::uint32_t tick = 0) {
        const RECT view = ViewRect();
        Canvas canvas(view.right, view.bottom);
        DrawMapFrame(canvas.dc(), view, h->program(), h->app().calibrationMode != 0, tick);
        return canvas.pixels();
    }
    POINT ViewOf(float x, float y) {
        int vx = 0, vy = 0;
        EXPECT_TRUE(GameToView(Map(), x, y, vx, vy));
        return POINT{vx, vy};
    }
};

TEST_F(MapZoomWindow, WheelOverTheMapAndKeysZoomWhileTheZoneListHasTheFocus) {
    const HWND list = GetDlgItem(h->window(), IDC_ZONE_LIST);
    ShowWindow(h->window(), SW_SHOW);  // the pointer must find the window on the screen
    SetForegroundWindow(h->window());
    PumpAsDialog();
    SetFocus(list);
    const LRESULT listed = SendMessageA(list, CB_GETCURSEL, 0, 0);
    const POINT at{ViewRect().right / 3, ViewRect().bottom / 2 + 17};
    POINT screen = at;
    ClientToScreen(View(), &screen);
    const GamePoint under = ViewToGame(Map(), at.x, at.y);
    // One notch, then a precision wheel's three small turns, then three notches back.
    for (auto [delta, step] : {std::pair{120, 1}, {40, 1}, {40, 1}, {40, 2}, {-360, -1}}) {
        Wheel(screen, delta);
        EXPECT_EQ(Map().zoomStep, step) << delta;
        const POINT now = ViewOf(under.x, under.y);
        EXPECT_NEAR(now.x, at.x, 1) << step;
        EXPECT_NEAR(now.y, at.y, 1) << step;
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), listed);  // the list did not scroll
    EXPECT_EQ(h->app().zoneZooms.at("East Commonlands"), -1);

    // Over the zone list the wheel is the list's own.
    RECT listRect{};
    GetWindowRect(list, &listRect);
    Wheel(POINT{(listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2}, 120);
    EXPECT_NE(SendMessageA(list, CB_GETCURSEL, 0, 0), listed);
    EXPECT_EQ(h->app().zoneZooms.at("East Commonlands"), -1);

    // + and - (main keys and keypad) about the view's centre, 0 to the actual size; not in a text field.
    SelectZoneMap(h->window(), h->program(), "East Commonlands");  // at its zoom, -1
    SetFocus(list);
    const GamePoint middle = ViewToGame(Map(), Centre().x, Centre().y);
    for (auto [key, step] : {std::pair<WPARAM, int>{VK_ADD, 0}, {VK_OEM_PLUS, 1}, {VK_SUBTRACT, 0},
                             {VK_OEM_MINUS, -1}, {'0', 0}, {VK_ADD, 1}, {VK_NUMPAD0, 0}}) {
        Key(key);
        EXPECT_EQ(Map().zoomStep, step) << key;
        EXPECT_NEAR(ViewOf(middle.x, middle.y).x, Centre().x, 1) << key;
    }
    SetFocus(GetDlgItem(h->window(), IDC_LOG_FILE));
    Key(VK_ADD);
    EXPECT_EQ(Map().zoomStep, 0);
}

TEST_F(MapZoomWindow, ZoomedPictureWithMarkersOfTheSameSizeAndCaptureInPicturePixels) {
    ZoneRecord* record = h->app().zones.Current();
    ASSERT_NE(record, nullptr);
    record->current.slots[0] = Position{-20.0f, 30.0f, 0.0f};  // picture pixel (120, 80)
    record->current.count = 1;
    h->app().calibrationMode = 1;
    ZoomMapView(h->window(), h->program(), 3, Centre());  // 1.95x
    Picture frame = Frame();
    const POINT here = ViewOf(-20.0f, 30.0f);
    EXPECT_EQ(frame.at(here.x + 8, here.y), 0x00FF00u);  // radius 10 on screen, as at the actual size
    EXPECT_NE(frame.at(here.x + 13, here.y), 0x00FF00u);
    // The picture stretched: its halves meet at picture column 200; a drag makes the kept picture anew.
    const int seam = Map().panX + static_cast<int>(1.953125 * (Map().imageOffsetX + 200)), y = here.y;
    EXPECT_EQ(std::pair(frame.at(seam - 2, y), frame.at(seam + 2, y)), std::pair(kLeftHalf, kRightHalf));
    h->app().map.panX -= 10;
    Picture dragged = Frame();
    EXPECT_EQ(std::pair(dragged.at(seam - 12, y), dragged.at(seam - 8, y)), std::pair(kLeftHalf, kRightHalf));
    h->app().map.panX += 10;
    // Reference point 1's square around its zoomed pixel.
    int vx = 0, vy = 0;
    ASSERT_TRUE(ImageToView(Map(), 100, 50, vx, vy));
    EXPECT_EQ(frame.at(vx - 5, vy), 0xB40000u);
    EXPECT_EQ(frame.at(vx + 5, vy), 0xB40000u);

    // With the left shift key down the pointer over picture pixel (150, 90) captures it at any zoom.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    SetKeyboardState(keys);
    std::string saved[2];
    for (int step : {3, 0}) {
        ZoomMapView(h->window(), h->program(), step, Centre());
        const double z = ZoomFactor(step);
        for (double within : {0.3, 0.7}) {  // two places on the zoomed picture pixel
            h->app().map.points.physicalX1 = h->app().map.points.physicalY1 = 0;
            POINT client{Map().panX + static_cast<int>(z * (Map().imageOffsetX + 150 + within)),
                         Map().panY + static_cast<int>(z * (Map().imageOffsetY + 90 + within))};
            MapWindowPoints(View(), h->window(), &client, 1);
            CaptureReferencePoint(h->window(), h->program(), MAKELPARAM(client.x, client.y));
            EXPECT_EQ(Map().points.physicalX1, 150) << step << " " << within;
            EXPECT_EQ(Map().points.physicalY1, 90) << step;
            EXPECT_EQ(h->Text(IDC_PHYS1_X), "150");
        }
        SaveCalibration(h->window(), h->program());
        saved[step == 0] = test::ReadFile(folder / "Zones\\East Commonlands.ini");
    }
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(saved[0], saved[1]);
    EXPECT_NE(saved[0].find("X1=150"), std::string::npos);
}

TEST_F(MapZoomWindow, ContextMenuEndsWithTheZoomCommands) {
    h->app().map.zoomStep = 8;
    HMENU menu = BuildContextMenu(h->app());
    const int count = GetMenuItemCount(menu);
    ASSERT_EQ(count, 10);  // the six specified entries, a separator and the three zoom commands
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 4), MF_BYPOSITION) & MF_SEPARATOR);
    std::string items;
    for (int i = count - 3; i < count; ++i) {
        char text[32] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const bool greyed = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED;
        items += std::to_string(GetMenuItemID(menu, i)) + " " + text + (greyed ? " (greyed); " : "; ");
    }
    DestroyMenu(menu);
    EXPECT_EQ(items, "40101 Zoom In (greyed); 40102 Zoom Out; 40103 Actual Size; ");  // nothing more to zoom in
    h->Command(IDM_ZOOM_OUT);
    EXPECT_EQ(Map().zoomStep, 7);
    h->Command(IDM_ACTUAL_SIZE);
    EXPECT_EQ(Map().zoomStep, 0);
    h->Command(IDM_ZOOM_IN);
    EXPECT_EQ(Map().zoomStep, 1);
}

TEST_F(MapZoomWindow, VectorMapIsRenderedAgainAtTheZoomOnceTheWheelRests) {
    // 2000 by 1000 units at MapResolution 400: 0.2 pixels per unit; a red line across the middle.
    test::WriteFile(folder / "VURavaZiro\\gfaydark.txt",
                    "L -1000, -500, 0, 1000, 500, 0, 0, 0, 0\r\nL -400, 0, 0, 400, 0, 0, 255, 0, 0\r\n");
    h->app().UseVURavaZiro = 1;
    h->app().vector.MapResolution = 400;
    SelectZoneMap(h->window(), h->program(), "Greater Faydark");
    ASSERT_EQ(Map().imageWidth, 400);
    const int x = Centre().x;
    // Rows of the middle column in the line's red, and in any strong red (the stretched line's blur too).
    const auto red = [&](bool pure) {
        Picture frame = Frame();
        int rows = 0;
        for (int y = 0; y < frame.height; ++y) {
            const std::uint32_t c = frame.at(x, y);
            rows += pure ? c == 0xFF0000u : (c >> 16) > 0x90 && (c & 0xFFFF) < 0x8080;
        }
        return rows;
    };
    ZoomMapView(h->window(), h->program(), 6, Centre());  // 3.8x: stretched at once
    EXPECT_GE(red(false), 3);
    EXPECT_FALSE(h->program().gdi.zoom.paintSharp);

    SendMessageA(h->window(), WM_TIMER, IDT_ZOOM_SETTLE, 0);  // the wheel rests: one pixel wide again
    EXPECT_EQ(red(true), 1);
    EXPECT_EQ(red(false), 1);
    Picture sharp = Frame();
    const int y = ViewOf(0.0f, 0.0f).y;
    EXPECT_TRUE(sharp.at(x, y) == 0xFF0000u || sharp.at(x, y - 1) == 0xFF0000u || sharp.at(x, y + 1) == 0xFF0000u);
    EXPECT_EQ(sharp.at(x, y - 3), 0x808080u);  // the background colour around it

    // Back at the actual size the render at MapResolution shows and the zoomed one is let go.
    h->Command(IDM_ACTUAL_SIZE);
    EXPECT_FALSE(h->program().gdi.zoom.paintSharp);
    EXPECT_EQ(red(true), 1);
}

}  // namespace
}  // namespace tolvik
