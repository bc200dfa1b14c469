// The main window made from its real template with its real procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "app/main_window_win.h"
#include "app/settings_win.h"
#include "base/profile_win.h"
#include "base/window_text_win.h"
#include "res/resource.h"
#include "res/version.h"
#include "support/main_window_harness_win.h"
#include "vector/settings_window_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;

class MainWindowTest : public ::testing::Test {
protected:
    test::TempFolder folder{"main"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    LONG Style(HWND window, int id = 0) const { return GetWindowLongA(id ? GetDlgItem(window, id) : window, GWL_STYLE); }
};

// What the program relies on in its template: the buttons are drawn by the
// program, only the logical calibration fields take typing, and the window
// can be resized but not minimised or maximised.
TEST_F(MainWindowTest, TemplateHasWhatTheProgramReliesOn) {
    MainWindowHarness h(folder.path());
    ASSERT_NE(h.window(), nullptr);
    for (int id : {IDC_SET_LOG, IDC_ABOUT, IDC_ITEM_DB, IDC_CHOOSE_MAP, IDC_SAVE_CAL, IDC_KEEP_ON_TOP, IDC_CALIBRATE,
                   IDC_WIKI, IDC_INSTRUCTIONS, IDC_EXIT, IDC_AUTO_SELECT})
        EXPECT_EQ(Style(h.window(), id) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    for (int id : {IDC_LOG1_X, IDC_LOG1_Y, IDC_LOG2_X, IDC_LOG2_Y}) EXPECT_FALSE(Style(h.window(), id) & ES_READONLY) << id;
    for (int id : {IDC_POS_X, IDC_PHYS1_X, IDC_LOG_FILE}) EXPECT_TRUE(Style(h.window(), id) & ES_READONLY) << id;
    EXPECT_EQ(WholeWindowText(h.window()).substr(0, 6), "Tolvik");
    EXPECT_NE(SendMessageA(h.window(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(h.window(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(Style(h.window()) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_THICKFRAME);
}

TEST_F(MainWindowTest, EscapeNeverClosesButTheCloseBoxAndExitDo) {
    MainWindowHarness h(folder.path());
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_ESCAPE] = 0x80;
    SetKeyboardState(keys);
    h.Command(IDCANCEL);
    keys[VK_ESCAPE] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(h.rec().endResults.empty());

    // The close request saves the settings; the cancel command that follows ends with 1.
    SendMessageA(h.window(), WM_CLOSE, 0, 0);
    h.PumpMessages();
    EXPECT_NE(ReadProfileText("WindowPos", "W", "<missing>", folder / "Tolvik.ini"), "<missing>");
    h.Command(IDC_EXIT);
    EXPECT_EQ(h.rec().endResults, (std::vector<INT_PTR>{1, 42}));
}

TEST_F(MainWindowTest, AboutShowsVersionAndWhereToReport) {
    MainWindowHarness h(folder.path());
    h.Command(IDC_ABOUT);
    h.Command(IDC_INSTRUCTIONS);
    const auto& messages = h.rec().messages;
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "About Tolvik");
    EXPECT_NE(messages[0].text.find(std::string("Tolvik ") + TOLVIK_VERSION_TEXT), std::string::npos);
    EXPECT_NE(messages[0].text.find("report"), std::string::npos);
    EXPECT_EQ(messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(messages[1].caption, "Calibration Instructions");
    EXPECT_EQ(messages[1].text.rfind("Calibration Instructions\n\n", 0), 0u);
}

TEST_F(MainWindowTest, MyZoneBeforeAnyZoneLeavesNothingToCalibrateOrGiveAPicture) {
    test::MakeFolder(folder / "Zones");
    test::WriteFile(folder / "Zones\\Befallen.ini", "");
    const std::string log = folder / "eqlog_A_P1999.txt";
    test::WriteFile(log, "[Mon Jan 01 00:00:00 2024] Welcome to EverQuest!\r\n");
    WritePrivateProfileStringA("Settings", "Log File", log.c_str(), Ini().c_str());
    // With the stand-by picture built in, and with none on disk or in the program.
    for (const bool builtIn : {true, false}) {
        MainWindowHarness h(folder.path(), false);
        if (!builtIn) h.program().seams.builtInPicture = [](const std::string&) { return std::string_view(); };
        h.Create();
        const HWND list = GetDlgItem(h.window(), IDC_ZONE_LIST);
        SendMessageA(list, CB_SETCURSEL, 0, 0);  // "< my zone >" sorts first
        h.Command(IDC_ZONE_LIST, CBN_SELCHANGE);
        EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), CB_ERR) << builtIn;
        EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2) << builtIn;  // no empty entry added

        h.Command(IDC_CALIBRATE);
        ASSERT_EQ(h.rec().messages.size(), 1u) << builtIn;
        EXPECT_EQ(h.rec().messages[0].caption, "Error: Unable to Calibrate");
        EXPECT_EQ(h.rec().messages[0].text.rfind("Calibration Unavailable\n\nEither you haven't", 0), 0u);
        EXPECT_EQ(h.app().calibrationMode, 0);

        h.rec().pickAnswer = true;
        h.rec().pickPath = folder / "Zones\\Befallen.ini";
        h.Command(IDC_CHOOSE_MAP);
        EXPECT_EQ(h.rec().pickCalls, 0) << builtIn;
        EXPECT_EQ(GetFileAttributesA((folder / "Zones\\.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(MainWindowTest, ZoneListSelectionShowsTheInfoFieldColours) {
    test::MakeFolder(folder / "Zones");
    test::WriteFile(folder / "Zones\\Befallen.ini", "");
    MainWindowHarness h(folder.path());
    SelectZoneInList(h.window(), "Befallen");
    ShowWindow(h.window(), SW_SHOWNOACTIVATE);  // a hidden list paints no text
    const HWND list = GetDlgItem(h.window(), IDC_ZONE_LIST);
    RECT box{};
    GetClientRect(list, &box);
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, box.right, box.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PrintWindow(list, dc, PW_CLIENTONLY);
    int dark = 0, light = 0, other = 0;
    for (int y = 3; y < box.bottom - 3; ++y) {
        for (int x = 3; x < box.right - arrow - 3; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == RGB(55, 55, 55)) {
                ++dark;
            } else if (c == RGB(188, 188, 188)) {
                ++light;
            } else {
                ++other;
            }
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_GT(dark, 10 * light);  // the field's dark ground...
    EXPECT_GT(light + other, 20);  // ...under light text
    EXPECT_GT(light, other / 4);

    // The drop-down list answers in the same colours.
    HDC probe = CreateCompatibleDC(nullptr);
    const auto brush = SendMessageA(h.window(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(probe), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), h.program().gdi.darkBrush.get());
    EXPECT_EQ(GetTextColor(probe), RGB(188, 188, 188));
    EXPECT_EQ(GetBkColor(probe), RGB(55, 55, 55));
    DeleteDC(probe);
}

// Every caption of a label fits its control in the window's font, as the
// label draws it: word-wrapped and aligned in its box. The text is drawn
// unclipped into a larger bitmap, so that ink past any side of the box
// (a wrapped word, a letter left of a right-aligned box) shows. Measuring
// alone is not enough: under Wine a glyph may reach past its advance.
void ExpectNoLabelCut(HWND window, const char* name) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr) << name;
    int labels = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(child, cls, sizeof cls);
        const LONG kind = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (_stricmp(cls, "Static") != 0 || (kind != SS_LEFT && kind != SS_RIGHT && kind != SS_CENTER)) continue;
        char text[128] = {};
        if (GetWindowTextA(child, text, sizeof text) == 0) continue;
        ++labels;
        RECT box{};
        GetClientRect(child, &box);
        constexpr int kPad = 40;
        const int width = box.right + 2 * kPad;
        const int height = box.bottom + 2 * kPad;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        HGDIOBJ oldFont = SelectObject(dc, font);
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        RECT place{kPad, kPad, kPad + box.right, kPad + box.bottom};
        const UINT align = kind == SS_RIGHT ? DT_RIGHT : kind == SS_CENTER ? DT_CENTER : DT_LEFT;
        DrawTextA(dc, text, -1, &place, align | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP);
        int outside = 0, inside = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (GetPixel(dc, x, y) == RGB(0, 0, 0)) continue;
                const bool in = x >= place.left && x < place.right && y >= place.top && y < place.bottom;
                ++(in ? inside : outside);
            }
        }
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
        EXPECT_GT(inside, 0) << name << " label \"" << text << "\"";
        EXPECT_EQ(outside, 0) << name << " label \"" << text << "\" is cut";
    }
    EXPECT_GE(labels, 10) << name;
}

TEST_F(MainWindowTest, NoLabelIsCutInEitherWindow) {
    MainWindowHarness h(folder.path());
    ExpectNoLabelCut(h.window(), "main window");
    const HWND settings = OpenVectorSettingsWindow(h.window(), h.program());
    ASSERT_NE(settings, nullptr);
    ExpectNoLabelCut(settings, "settings window");
    DestroyWindow(settings);
}

}  // namespace
}  // namespace tolvik
