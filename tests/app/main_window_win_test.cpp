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

// What a control must be beyond its class.
enum class Kind { Owner, ReadOnly, Editable, Label, RightLabel, Anchor, Frame, List };

struct ExpectedControl {
    int id;
    const char* windowClass;
    const char* caption;  // nullptr: not checked (fields filled at start)
    Kind kind;
};

// True when `style` is that of a control of `kind`.
bool HasKind(LONG style, LONG exStyle, Kind kind) {
    switch (kind) {
    case Kind::Owner: return (style & BS_TYPEMASK) == BS_OWNERDRAW;
    case Kind::ReadOnly: return (style & ES_READONLY) != 0;
    case Kind::Editable: return (style & ES_READONLY) == 0;
    case Kind::Label: return (style & SS_TYPEMASK) == SS_LEFT && (exStyle & WS_EX_TRANSPARENT);
    case Kind::RightLabel: return (style & SS_TYPEMASK) == SS_RIGHT && (exStyle & WS_EX_TRANSPARENT);
    case Kind::Anchor: return (style & BS_TYPEMASK) == BS_GROUPBOX && !(style & WS_VISIBLE);
    case Kind::Frame: return (exStyle & WS_EX_CLIENTEDGE) != 0;
    case Kind::List: return (style & 0x3) == CBS_DROPDOWNLIST && (style & CBS_SORT);
    }
    return false;
}

const ExpectedControl kControls[] = {
    {IDC_SET_LOG, "Button", "Set...", Kind::Owner},
    {IDC_LOG_FILE, "Edit", nullptr, Kind::ReadOnly},
    {IDC_ABOUT, "Button", "About...", Kind::Owner},
    {IDC_LOG_FILE_LABEL, "Static", "Current log file:", Kind::Label},
    {IDC_ITEM_DB, "Button", "Allakhazam", Kind::Owner},
    {IDC_VIEWING_LABEL, "Static", "Viewing:", Kind::RightLabel},
    {IDC_POS_X, "Edit", nullptr, Kind::ReadOnly},
    {IDC_YOU_ARE_IN_LABEL, "Static", "You are in", Kind::Label},
    {IDC_POS_Y, "Edit", nullptr, Kind::ReadOnly},
    {IDC_POS_Z, "Edit", nullptr, Kind::ReadOnly},
    {IDC_X_LABEL, "Static", "X", Kind::RightLabel},
    {IDC_Y_LABEL, "Static", "Y", Kind::RightLabel},
    {IDC_Z_LABEL, "Static", "Z", Kind::RightLabel},
    {IDC_PHYS2_X, "Edit", nullptr, Kind::ReadOnly},
    {IDC_PHYS2_Y, "Edit", nullptr, Kind::ReadOnly},
    {IDC_LOG2_X, "Edit", nullptr, Kind::Editable},
    {IDC_LOG2_Y, "Edit", nullptr, Kind::Editable},
    {IDC_LOG2_LABEL, "Static", "Logical #2:", Kind::RightLabel},
    {IDC_PHYS2_LABEL, "Static", "Physical #2:", Kind::RightLabel},
    {IDC_CHOOSE_MAP, "Button", "Choose Map Image", Kind::Owner},
    {IDC_PHYS1_X, "Edit", nullptr, Kind::ReadOnly},
    {IDC_PHYS1_Y, "Edit", nullptr, Kind::ReadOnly},
    {IDC_LOG1_X, "Edit", nullptr, Kind::Editable},
    {IDC_LOG1_Y, "Edit", nullptr, Kind::Editable},
    {IDC_LOG1_LABEL, "Static", "Logical #1:", Kind::RightLabel},
    {IDC_PHYS1_LABEL, "Static", "Physical #1:", Kind::RightLabel},
    {IDC_SAVE_CAL, "Button", "Save", Kind::Owner},
    {IDC_P1_X_LABEL, "Static", "X", Kind::RightLabel},
    {IDC_P1_Y_LABEL, "Static", "Y", Kind::RightLabel},
    {IDC_P2_X_LABEL, "Static", "X", Kind::RightLabel},
    {IDC_P2_Y_LABEL, "Static", "Y", Kind::RightLabel},
    {IDC_ANCHOR_EXTENT, "Button", "Static", Kind::Anchor},
    {IDC_MAP_VIEW, "Static", "", Kind::Frame},
    {IDC_KEEP_ON_TOP, "Button", "Keep On Top", Kind::Owner},
    {IDC_CALIBRATE, "Button", "Calibrate", Kind::Owner},
    {IDC_ANCHOR_CAL, "Button", "Static", Kind::Anchor},
    {IDC_ANCHOR_NORMAL, "Button", "Static", Kind::Anchor},
    {IDC_WIKI, "Button", "P1999 Wiki", Kind::Owner},
    {IDC_INSTRUCTIONS, "Button", "Instructions", Kind::Owner},
    {IDC_EXIT, "Button", "Exit", Kind::Owner},
    {IDC_RELOAD, "Button", "Reload", Kind::Owner},
    {IDC_ZONE_LIST, "ComboBox", nullptr, Kind::List},
    {IDC_ZONE_FIELD, "Edit", nullptr, Kind::ReadOnly},
    {IDC_AT_LABEL, "Static", "at", Kind::Label},
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
    for (const ExpectedControl& expected : kControls) {
        SCOPED_TRACE(expected.id);
        const HWND control = GetDlgItem(h.window(), expected.id);
        ASSERT_NE(control, nullptr);
        char cls[64] = {};
        GetClassNameA(control, cls, sizeof cls);
        EXPECT_EQ(_stricmp(cls, expected.windowClass), 0) << cls;
        EXPECT_TRUE(HasKind(GetWindowLongA(control, GWL_STYLE), GetWindowLongA(control, GWL_EXSTYLE), expected.kind));
        if (expected.caption) {
            char text[128] = {};
            GetWindowTextA(control, text, sizeof text);
            EXPECT_STREQ(text, expected.caption);
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
