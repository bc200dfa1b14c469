// The main window made from its real template with its real procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "base/profile_win.h"
#include "app/settings_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;
using test::TempFolder;

// The commands a user reaches by clicking: owner-drawn buttons.
constexpr int kButtons[] = {IDC_SET_LOG, IDC_ABOUT,    IDC_ITEM_DB,      IDC_CHOOSE_MAP, IDC_SAVE_CAL, IDC_KEEP_ON_TOP,
                            IDC_CALIBRATE, IDC_WIKI, IDC_INSTRUCTIONS, IDC_EXIT,       IDC_AUTO_SELECT};
// The fields the program writes into and the user may edit.
constexpr int kFields[] = {IDC_LOG_FILE, IDC_POS_X, IDC_POS_Y, IDC_POS_Z, IDC_ZONE_FIELD, IDC_PHYS1_X, IDC_PHYS1_Y,
                           IDC_PHYS2_X,  IDC_PHYS2_Y, IDC_LOG1_X, IDC_LOG1_Y, IDC_LOG2_X,     IDC_LOG2_Y};

class MainWindowTest : public ::testing::Test {
protected:
    TempFolder folder{"main"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    std::string IniValue(const char* section, const char* key) const {
        return ReadProfileText(section, key, "<missing>", Ini());
    }
};

TEST_F(MainWindowTest, EveryControlOfTheTemplateIsThere) {
    MainWindowHarness h(folder.path());
    ASSERT_NE(h.window(), nullptr);
    for (int id : kButtons) {
        const HWND control = GetDlgItem(h.window(), id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    }
    for (int id : kFields) {
        char cls[16] = {};
        GetClassNameA(GetDlgItem(h.window(), id), cls, sizeof cls);
        EXPECT_EQ(_stricmp(cls, "Edit"), 0) << id;
    }
    // Only the logical fields of the calibration panel take typing.
    for (int id : {IDC_LOG1_X, IDC_LOG1_Y, IDC_LOG2_X, IDC_LOG2_Y, IDC_POS_X}) {
        const bool editable = !(GetWindowLongA(GetDlgItem(h.window(), id), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(editable, id != IDC_POS_X) << id;
    }
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(h.window(), IDC_ZONE_LIST), GWL_STYLE) & CBS_SORT);
    for (int id : {IDC_ANCHOR_NORMAL, IDC_ANCHOR_CAL, IDC_ANCHOR_EXTENT}) {
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(h.window(), id), GWL_STYLE) & WS_VISIBLE) << id;
    }
    char title[64] = {};
    GetWindowTextA(h.window(), title, sizeof title);
    EXPECT_EQ(std::strncmp(title, "Tolvik", 6), 0);
    EXPECT_NE(SendMessageA(h.window(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(h.window(), WM_GETICON, ICON_SMALL, 0), 0);
    const LONG style = GetWindowLongA(h.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
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
    EXPECT_NE(IniValue("WindowPos", "W"), "<missing>");
    ASSERT_EQ(h.rec().endResults.size(), 1u);
    EXPECT_EQ(h.rec().endResults[0], 1);

    h.Command(IDC_EXIT);
    ASSERT_EQ(h.rec().endResults.size(), 2u);
    EXPECT_EQ(h.rec().endResults[1], 42);
}

TEST_F(MainWindowTest, AboutShowsVersionAndWhereToReport) {
    MainWindowHarness h(folder.path());
    h.Command(IDC_ABOUT);
    ASSERT_EQ(h.rec().messages.size(), 1u);
    EXPECT_EQ(h.rec().messages[0].caption, "About Tolvik");
    EXPECT_NE(h.rec().messages[0].text.find("1.0.0"), std::string::npos);
    EXPECT_NE(h.rec().messages[0].text.find("report"), std::string::npos);
    EXPECT_EQ(h.rec().messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    h.Command(IDC_INSTRUCTIONS);
    ASSERT_EQ(h.rec().messages.size(), 2u);
    EXPECT_EQ(h.rec().messages[1].caption, "Calibration Instructions");
    EXPECT_EQ(h.rec().messages[1].text.rfind("Calibration Instructions\n\n", 0), 0u);
}

}  // namespace
}  // namespace tolvik
