#include "chrome/context_menu_win.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "chrome/layout_win.h"
#include "chrome/tolvik_dialog_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

using test::TolvikDialog;

TEST(ChromeContextMenu, ItemsAndCheckMarksFollowTheFlags) {
    AppState app;
    const int ids[] = {IDC_EXIT, 0, IDM_MAP_ONLY, IDM_KEEP_CENTERED, IDC_KEEP_ON_TOP, IDM_USE_VECTOR_MAPS,
                       IDM_VECTOR_SETTINGS};
    const char* texts[] = {"Exit",          "", "Map only", "Keep location centered", "Always on Top",
                           "Use EQ-Live Maps", "Vector Map Settings..."};
    for (const bool on : {false, true}) {
        app.MapOnly = app.KeepCentered = app.UseVURavaZiro = on;
        app.OnTop = 0;
        HMENU menu = BuildContextMenu(app);
        ASSERT_EQ(GetMenuItemCount(menu), on ? 7 : 6);
        EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, texts[i]);
            if (i != 1) {
                EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, i)), ids[i]);
            }
            const bool checked = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED;
            EXPECT_EQ(checked, on && (i == 2 || i == 3 || i == 5)) << texts[i];
        }
        DestroyMenu(menu);
    }
}

TEST(ChromeContextMenu, ChosenItemReachesTheWindowAsACommand) {
    TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    ShowWindow(dialog.get(), SW_SHOW);
    SetForegroundWindow(dialog.get());
    // Keys already queued are read by the menu's own loop: down to "Exit",
    // past the separator to "Map only", and choose it.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(dialog.get(), WM_KEYDOWN, key, 0);
    ShowContextMenu(dialog.get(), dialog.program(), MAKELPARAM(20, 20));
    MSG msg = {};
    bool commanded = false;
    for (const DWORD until = GetTickCount() + 2000; !commanded && GetTickCount() < until; Sleep(10))
        commanded = PeekMessageA(&msg, dialog.get(), WM_COMMAND, WM_COMMAND, PM_REMOVE);
    ASSERT_TRUE(commanded);
    EXPECT_EQ(LOWORD(msg.wParam), IDM_MAP_ONLY);
}

class ChromeHover : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr);
        ShowCalibrationPanel(dialog.get(), program(), false);
        ApplyViewMode(dialog.get(), program(), false);
        SetWindowTextA(dialog.get(), "Tolvik ");
        program().app.map.calibrated = 1;
        program().app.map.points = {0, 0, 100, 100, 0.0f, 0.0f, 1000.0f, -1000.0f};  // 10 units a pixel, y turned
        MapWindowPoints(dialog.item(IDC_MAP_VIEW), dialog.get(), &view, 1);  // Map View origin in the client
    }
    Program& program() { return dialog.program(); }
    std::string Hover(int x, int y) {
        UpdateHoverTitle(dialog.get(), program(), MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        return Title();
    }
    std::string Title() const {
        char text[128] = {};
        GetWindowTextA(dialog.get(), text, sizeof text);
        return text;
    }
    TolvikDialog dialog;
    POINT view = {0, 0};
};

TEST_F(ChromeHover, OverTheMapTheTitleShowsGameCoordinatesElsewhereThePlainTitle) {
    EXPECT_EQ(Hover(view.x + 10, view.y + 20), "Tolvik - [ 100.00, -200.00 ]");
    EXPECT_EQ(program().app.hover.tracking, 1);
    program().app.map.panX = 5;  // placement and panning count
    program().app.map.imageOffsetY = -3;
    EXPECT_EQ(Hover(view.x + 11, view.y + 20), "Tolvik - [ 60.00, -230.00 ]");
    SetWindowTextA(dialog.get(), "unchanged");
    EXPECT_EQ(Hover(view.x + 11, view.y + 20), "unchanged");  // the same position again changes nothing

    EXPECT_EQ(Hover(5, view.y - 5), "Tolvik");  // above the map
    Hover(view.x + 10, view.y + 20);
    EXPECT_EQ(Hover(-4, -7), "Tolvik");  // left of and above the client area: signed
    EXPECT_EQ(program().app.hover.lastX, -4);
    EXPECT_EQ(program().app.hover.lastY, -7);
    Hover(view.x + 10, view.y + 20);
    EndHoverTitle(dialog.get(), program());
    EXPECT_EQ(Title(), "Tolvik");
    EXPECT_EQ(program().app.hover.tracking, 0);
}

TEST_F(ChromeHover, UncalibratedOrDegenerateMaps) {
    program().app.map.calibrated = 0;
    EXPECT_EQ(Hover(view.x + 10, view.y + 20), "Tolvik ");  // left alone
    EXPECT_EQ(program().app.hover.tracking, 0);
    program().app.map.calibrated = 1;
    program().app.map.points = {50, 50, 50, 50, 0.0f, 0.0f, 0.0f, 0.0f};  // 0 / 0
    EXPECT_EQ(Hover(view.x + 10, view.y + 20), "Tolvik");
    program().app.map.points = {50, 50, 50, 60, 0.0f, 0.0f, 10.0f, 10.0f};  // x: 10 / 0
    EXPECT_EQ(Hover(view.x + 11, view.y + 20), "Tolvik");
}

}  // namespace
}  // namespace tolvik
