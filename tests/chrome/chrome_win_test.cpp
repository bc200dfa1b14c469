// The main window's chrome piece by piece: view modes, the hover title, the context menu and the skin.
#include <gtest/gtest.h>

#include "chrome/context_menu_win.h"
#include "chrome/control_sets.h"
#include "chrome/hover_text_win.h"
#include "chrome/layout_win.h"
#include "chrome/skin_win.h"
#include "base/image_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

INT_PTR CALLBACK BareDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) AttachProgram(window, reinterpret_cast<Program*>(lParam));
    return message == WM_INITDIALOG;
}

// The real "Tolvik" dialog in the normal view, with a procedure that only attaches a Program.
class ChromeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateDialogParamA(GetModuleHandleA(nullptr), "Tolvik", nullptr, BareDialogProc,
                                    reinterpret_cast<LPARAM>(&program));
        ASSERT_NE(window, nullptr) << GetLastError();
        ShowCalibrationPanel(window, program, false);
        ApplyViewMode(window, program, false);
    }
    void TearDown() override { DestroyWindow(window); }
    bool Visible(int id) const { return (GetWindowLongA(GetDlgItem(window, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    RECT ClientRectOf(int id) const {  // a control's rectangle in client coordinates
        RECT r = {};
        return GetWindowRect(GetDlgItem(window, id), &r), MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2), r;
    }
    POINT Corner(int id) const { return {ClientRectOf(id).left, ClientRectOf(id).top}; }
    // Each set of controls shown or not, and the Map View exactly from `topLeft` to the client area's edges.
    void ExpectMode(bool info, bool controls, bool panel, POINT topLeft, const char* mode) {
        for (int id : kInfoFields) EXPECT_EQ(Visible(id), info) << mode << " control " << id;
        for (int id : kWindowControls) EXPECT_EQ(Visible(id), controls) << mode << " control " << id;
        for (int id : kCalibrationPanel) EXPECT_EQ(Visible(id), panel) << mode << " control " << id;
        for (int id : {IDC_ANCHOR_NORMAL, IDC_ANCHOR_CAL, IDC_ANCHOR_EXTENT}) EXPECT_FALSE(Visible(id)) << mode;
        EXPECT_TRUE(Visible(IDC_MAP_VIEW)) << mode;
        RECT client = {};
        GetClientRect(window, &client);
        const RECT expected = {topLeft.x, topLeft.y, client.right, client.bottom};
        for (const RECT& r : {ClientRectOf(IDC_MAP_VIEW), MapViewRect(window, program)})
            EXPECT_TRUE(EqualRect(&r, &expected)) << mode << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    void Resize(int w, int h) {
        SetWindowPos(window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE), LayoutMapView(window, program);
    }
    std::string Hover(int x, int y) {
        UpdateHoverTitle(window, program, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        return WholeWindowText(window);
    }
    Program program;
    HWND window = nullptr;
};

TEST_F(ChromeWindow, EachModeShowsItsControlsAndPlacesTheMap) {
    const POINT normal = Corner(IDC_ANCHOR_NORMAL);
    EXPECT_TRUE(normal.x == 0 && normal.y > 0);
    ExpectMode(true, true, false, normal, "normal");
    Resize(900, 800);
    ExpectMode(true, true, false, normal, "normal, larger");
    program.app.calibrationMode = 1, ShowCalibrationPanel(window, program, true);
    EXPECT_GT(Corner(IDC_ANCHOR_CAL).y, normal.y);
    ExpectMode(true, true, true, Corner(IDC_ANCHOR_CAL), "calibration");
    program.app.calibrationMode = 0, ShowCalibrationPanel(window, program, false);
    ExpectMode(true, true, false, normal, "calibration closed");
    const RECT exitBefore = ClientRectOf(IDC_EXIT);
    program.app.MapOnly = 1;
    ApplyViewMode(window, program, true);
    ExpectMode(false, false, false, {0, 0}, "map only");
    Resize(300, 220);
    ExpectMode(false, false, false, {0, 0}, "map only, smaller");
    program.app.MapOnly = 0;
    ApplyViewMode(window, program, false);
    ExpectMode(true, true, false, normal, "back to normal");
    EXPECT_EQ(ClientRectOf(IDC_EXIT).left, exitBefore.left);
}

TEST_F(ChromeWindow, OverTheMapTheTitleShowsGameCoordinatesElsewhereThePlainTitle) {
    SetWindowTextA(window, "Tolvik ");
    POINT view = {0, 0};  // Map View client origin
    MapWindowPoints(GetDlgItem(window, IDC_MAP_VIEW), window, &view, 1);
    program.app.map.points = {0, 0, 100, 100, 0.0f, 0.0f, 1000.0f, -1000.0f};  // 10 units a pixel, y turned
    program.app.map.calibrated = 0;
    EXPECT_EQ(Hover(view.x + 10, view.y + 20), "Tolvik ");  // uncalibrated: left alone
    EXPECT_EQ(program.app.hover.tracking, 0);
    program.app.map.calibrated = 1;
    EXPECT_EQ(Hover(view.x + 10, view.y + 20), "Tolvik - [ 100.00, -200.00 ]");
    EXPECT_EQ(program.app.hover.tracking, 1);
    program.app.map.panX = 5, program.app.map.imageOffsetY = -3;  // placement and panning count
    EXPECT_EQ(Hover(view.x + 11, view.y + 20), "Tolvik - [ 60.00, -230.00 ]");
    SetWindowTextA(window, "unchanged");
    EXPECT_EQ(Hover(view.x + 11, view.y + 20), "unchanged");  // the same position again changes nothing
    EXPECT_EQ(Hover(5, view.y - 5), "Tolvik");  // above the map
    Hover(view.x + 10, view.y + 20);
    EXPECT_EQ(Hover(-4, -7), "Tolvik");  // left of and above the client area: signed
    EXPECT_EQ(std::pair(program.app.hover.lastX, program.app.hover.lastY), std::pair(-4, -7));
    Hover(view.x + 10, view.y + 20);
    EndHoverTitle(window, program);
    EXPECT_EQ(WholeWindowText(window) + std::to_string(program.app.hover.tracking), "Tolvik0");
}

TEST(ContextMenu, LevelOptionsAfterASeparatorOnlyWithVectorMapsCheckedByTheirFlags) {
    AppState app;
    const auto items = [&app] { std::string all; for (const std::string& item : test::MenuItems(app)) all += item + "|"; return all; };
    EXPECT_EQ(items().find("4020"), std::string::npos);
    app.UseVURavaZiro = 1, app.vector.FollowHeight = 1;
    EXPECT_TRUE(items().ends_with("|-|*40201 Follow My Height|40202 Fade Other Levels|")) << items();
    app.vector.FollowHeight = 0, app.vector.FadeOtherLevels = 1;
    EXPECT_TRUE(items().ends_with("|-|40201 Follow My Height|*40202 Fade Other Levels|")) << items();
}

TEST(ChromeSkin, MissingPicturesFallBackAndASmallTextureLeavesTheFaceBlack) {
    Program program;  // no file and nothing built in
    program.app.texturesFolder = "C:\\no-such-folder-for-tolvik\\";
    program.seams.builtInPicture = [](const std::string&) { return std::string_view(); };
    UniqueBitmap background, button;
    LoadSkinTextures(program, background, button);
    ASSERT_TRUE(background && button);
    test::Picture back = test::ReadPixels(background.get()), face = test::ReadPixels(button.get());
    EXPECT_EQ(std::tuple(back.width, back.at(319, 319), face.height, face.at(160, 7)), std::tuple(320, 0x808080u, 320, 0xC0C0C0u));

    // A 6 x 6 texture on a 12 x 12 face; the bevel's shades are the portable core's.
    UniqueBitmap texture(CreateDib24(6, 6));
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        Selection selected(dc.get(), texture.get());
        const RECT all = {0, 0, 6, 6};
        FillRect(dc.get(), &all, UniqueBrush(CreateSolidBrush(RGB(200, 100, 50))).get());
    }
    COLORREF highlight = 0;
    UniqueBitmap built(BuildButtonFace(texture.get(), 12, 12, 4, 0, highlight));
    face = test::ReadPixels(built.get());
    // Beyond the bevel inside the texture, and outside it.
    EXPECT_EQ(std::tuple(face.at(4, 4), face.at(8, 8), face.at(5, 9)), std::tuple(0xC86432u, 0u, 0u));
    UniqueBitmap bare(BuildButtonFace(nullptr, 8, 8, 4, 20, highlight));  // no texture: black, lightened
    EXPECT_EQ(test::ReadPixels(bare.get()).at(4, 4), 0x333333u);
    highlight = 0;
    EXPECT_EQ(BuildButtonFace(texture.get(), 0, 10, 4, 0, highlight), nullptr);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
}

}  // namespace
}  // namespace tolvik
