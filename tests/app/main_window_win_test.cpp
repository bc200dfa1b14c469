// The main window made from its real template with its real procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "base/profile_win.h"
#include "base/window_text_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;

class MainWindowTest : public ::testing::Test {
protected:
    test::TempFolder folder{"main"};
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
    EXPECT_NE(messages[0].text.find("1.0.0"), std::string::npos);
    EXPECT_NE(messages[0].text.find("report"), std::string::npos);
    EXPECT_EQ(messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(messages[1].caption, "Calibration Instructions");
    EXPECT_EQ(messages[1].text.rfind("Calibration Instructions\n\n", 0), 0u);
}

}  // namespace
}  // namespace tolvik
