// The main window made from its real template with its real procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "app/settings_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;
using test::TempFolder;

struct ControlSpec {
    int id;
    const char* windowClass;
    const char* caption;  // nullptr: not checked (fields filled at start)
};

const ControlSpec kControls[] = {
    {IDC_SET_LOG, "Button", "Set..."},
    {IDC_LOG_FILE, "Edit", nullptr},
    {IDC_ABOUT, "Button", "About..."},
    {IDC_LOG_FILE_LABEL, "Static", "Current log file:"},
    {IDC_ITEM_DB, "Button", "Allakhazam"},
    {IDC_VIEWING_LABEL, "Static", "Viewing:"},
    {IDC_POS_X, "Edit", nullptr},
    {IDC_YOU_ARE_IN_LABEL, "Static", "You are in"},
    {IDC_POS_Y, "Edit", nullptr},
    {IDC_POS_Z, "Edit", nullptr},
    {IDC_X_LABEL, "Static", "X"},
    {IDC_Y_LABEL, "Static", "Y"},
    {IDC_Z_LABEL, "Static", "Z"},
    {IDC_PHYS2_X, "Edit", nullptr},
    {IDC_PHYS2_Y, "Edit", nullptr},
    {IDC_LOG2_X, "Edit", nullptr},
    {IDC_LOG2_Y, "Edit", nullptr},
    {IDC_LOG2_LABEL, "Static", "Logical #2:"},
    {IDC_PHYS2_LABEL, "Static", "Physical #2:"},
    {IDC_CHOOSE_MAP, "Button", "Choose Map Image"},
    {IDC_PHYS1_X, "Edit", nullptr},
    {IDC_PHYS1_Y, "Edit", nullptr},
    {IDC_LOG1_X, "Edit", nullptr},
    {IDC_LOG1_Y, "Edit", nullptr},
    {IDC_LOG1_LABEL, "Static", "Logical #1:"},
    {IDC_PHYS1_LABEL, "Static", "Physical #1:"},
    {IDC_SAVE_CAL, "Button", "Save"},
    {IDC_P1_X_LABEL, "Static", "X"},
    {IDC_P1_Y_LABEL, "Static", "Y"},
    {IDC_P2_X_LABEL, "Static", "X"},
    {IDC_P2_Y_LABEL, "Static", "Y"},
    {IDC_ANCHOR_EXTENT, "Button", "Static"},
    {IDC_MAP_VIEW, "Static", ""},
    {IDC_KEEP_ON_TOP, "Button", "Keep On Top"},
    {IDC_CALIBRATE, "Button", "Calibrate"},
    {IDC_ANCHOR_CAL, "Button", "Static"},
    {IDC_ANCHOR_NORMAL, "Button", "Static"},
    {IDC_WIKI, "Button", "P1999 Wiki"},
    {IDC_INSTRUCTIONS, "Button", "Instructions"},
    {IDC_EXIT, "Button", "Exit"},
    {IDC_RELOAD, "Button", "Reload"},
    {IDC_ZONE_LIST, "ComboBox", nullptr},
    {IDC_ZONE_FIELD, "Edit", nullptr},
    {IDC_AT_LABEL, "Static", "at"},
};

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
    for (const ControlSpec& spec : kControls) {
        SCOPED_TRACE(spec.id);
        const HWND control = GetDlgItem(h.window(), spec.id);
        ASSERT_NE(control, nullptr);
        char cls[64] = {};
        GetClassNameA(control, cls, sizeof cls);
        EXPECT_EQ(_stricmp(cls, spec.windowClass), 0) << cls;
        if (spec.caption) {
            char text[128] = {};
            GetWindowTextA(control, text, sizeof text);
            EXPECT_STREQ(text, spec.caption);
        }
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
