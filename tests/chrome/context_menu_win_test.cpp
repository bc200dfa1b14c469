#include "chrome/context_menu_win.h"

#include <gtest/gtest.h>

#include <string>

#include "chrome/layout_win.h"
#include "chrome/tolvik_dialog_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

using test::TolvikDialog;

std::string ItemText(HMENU menu, int position) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool Checked(HMENU menu, int position) {
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

std::string TitleOf(HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(ChromeContextMenu, ItemsAndCheckMarksFollowTheFlags) {
    AppState app;
    HMENU menu = BuildContextMenu(app);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    const int ids[] = {IDC_EXIT, 0, IDM_MAP_ONLY, IDM_KEEP_CENTERED, IDC_KEEP_ON_TOP, IDM_USE_VECTOR_MAPS};
    const char* texts[] = {"Exit", "", "Map only", "Keep location centered", "Always on Top", "Use EQ-Live Maps"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ItemText(menu, i), texts[i]);
        if (i != 1) {
            EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, i)), ids[i]);
        }
        EXPECT_FALSE(Checked(menu, i));
    }
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    DestroyMenu(menu);

    app.MapOnly = 1;
    app.KeepCentered = 1;
    app.OnTop = 0;
    app.UseVURavaZiro = 1;
    menu = BuildContextMenu(app);
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    EXPECT_TRUE(Checked(menu, 2));
    EXPECT_TRUE(Checked(menu, 3));
    EXPECT_FALSE(Checked(menu, 4));
    EXPECT_TRUE(Checked(menu, 5));
    EXPECT_EQ(ItemText(menu, 6), "Vector Map Settings...");
    EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, 6)), IDM_VECTOR_SETTINGS);
    EXPECT_FALSE(Checked(menu, 6));
    DestroyMenu(menu);
}

TEST(ChromeContextMenu, ChosenItemReachesTheWindowAsACommand) {
    TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    ShowWindow(dialog.get(), SW_SHOW);
    SetForegroundWindow(dialog.get());
    TolvikDialog::Pump();
    // Keys already queued are read by the menu's own loop: down to "Exit",
    // past the separator to "Map only", and choose it.
    PostMessageA(dialog.get(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(dialog.get(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(dialog.get(), WM_KEYDOWN, VK_RETURN, 0);
    ShowContextMenu(dialog.get(), dialog.program(), MAKELPARAM(20, 20));
    MSG msg = {};
    bool commanded = false;
    const DWORD until = GetTickCount() + 2000;
    while (!commanded && GetTickCount() < until) {
        if (PeekMessageA(&msg, dialog.get(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
            commanded = true;
        } else {
            Sleep(10);
        }
    }
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
        CurrentMap& map = program().app.map;
        map.calibrated = 1;
        map.points = {0, 0, 100, 100, 0.0f, 0.0f, 1000.0f, -1000.0f};  // 10 game units a pixel, y turned
        // Map View client origin in the window's client coordinates.
        POINT origin = {0, 0};
        MapWindowPoints(dialog.item(IDC_MAP_VIEW), dialog.get(), &origin, 1);
        viewOrigin = origin;
    }
    Program& program() { return dialog.program(); }
    LPARAM at(int x, int y) const { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
    TolvikDialog dialog;
    POINT viewOrigin = {};
};

TEST_F(ChromeHover, OverTheMapTheTitleShowsGameCoordinates) {
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 10, viewOrigin.y + 20));
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik - [ 100.00, -200.00 ]");
    EXPECT_EQ(program().app.hover.tracking, 1);
    EXPECT_EQ(program().app.hover.lastX, viewOrigin.x + 10);

    // Placement and panning are taken into account.
    program().app.map.panX = 5;
    program().app.map.imageOffsetY = -3;
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 11, viewOrigin.y + 20));
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik - [ 60.00, -230.00 ]");

    // The same position again changes nothing.
    SetWindowTextA(dialog.get(), "unchanged");
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 11, viewOrigin.y + 20));
    EXPECT_EQ(TitleOf(dialog.get()), "unchanged");
}

TEST_F(ChromeHover, OffTheMapOrLeavingGivesThePlainTitle) {
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 10, viewOrigin.y + 20));
    ASSERT_NE(TitleOf(dialog.get()), "Tolvik");
    UpdateHoverTitle(dialog.get(), program(), at(5, viewOrigin.y - 5));  // above the map
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik");

    // Positions left of and above the client area are signed.
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 10, viewOrigin.y + 20));
    UpdateHoverTitle(dialog.get(), program(), at(-4, -7));
    EXPECT_EQ(program().app.hover.lastX, -4);
    EXPECT_EQ(program().app.hover.lastY, -7);
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik");

    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 10, viewOrigin.y + 20));
    EndHoverTitle(dialog.get(), program());
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik");
    EXPECT_EQ(program().app.hover.tracking, 0);
}

TEST_F(ChromeHover, UncalibratedMapLeavesTheTitleAlone) {
    program().app.map.calibrated = 0;
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 10, viewOrigin.y + 20));
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik ");
    EXPECT_EQ(program().app.hover.tracking, 0);
}

TEST_F(ChromeHover, DegenerateCalibrationShowsThePlainTitle) {
    program().app.map.points = {50, 50, 50, 50, 0.0f, 0.0f, 0.0f, 0.0f};  // 0 / 0
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 10, viewOrigin.y + 20));
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik");
    program().app.map.points = {50, 50, 50, 60, 0.0f, 0.0f, 10.0f, 10.0f};  // x: 10 / 0
    UpdateHoverTitle(dialog.get(), program(), at(viewOrigin.x + 11, viewOrigin.y + 20));
    EXPECT_EQ(TitleOf(dialog.get()), "Tolvik");
}

}  // namespace
}  // namespace tolvik
