// The vector map settings window over the real main window: controls change
// their setting and render the map again, the trackbars only after their
// deadline.
#include "vector/settings_window_win.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "app/main_window_win.h"
#include "app/map_select_win.h"
#include "support/pictures_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

class VectorSettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // A 200 by 100 map: a red diagonal in the base file, a blue one in layer 1.
        const std::string maps = folder.path() + "VURavaZiro\\";
        test::MakeFolder(maps);
        test::WriteFile(maps + "gfaydark.txt", "L 0, 0, 0, 200, 100, 0, 255, 0, 0\r\n");
        test::WriteFile(maps + "gfaydark_1.txt", "L 0, 100, 0, 200, 0, 0, 0, 0, 255\r\n");
        harness = std::make_unique<test::MainWindowHarness>(folder.path());
        ASSERT_NE(harness->window(), nullptr);
        app().UseVURavaZiro = 1;
        app().vector.MapResolution = 400;
        SelectZoneMap(harness->window(), harness->program(), "Greater Faydark");
        ASSERT_EQ(app().map.imageWidth, 400);
        window = OpenVectorSettingsWindow(harness->window(), harness->program());
        ASSERT_NE(window, nullptr);
        harness->PumpMessages();
    }

    AppState& app() { return harness->app(); }
    HBITMAP map() { return harness->program().gdi.mapBitmap.get(); }

    // Replaces the map bitmap by a 1 x 1 stand-in that any new selection deletes.
    void ArmRenderWatch() { harness->program().gdi.mapBitmap.reset(CreateBitmap(1, 1, 1, 1, nullptr)); }
    bool Rendered() { return test::ReadPixels(map()).width > 1; }
    int CountColour(COLORREF colour) {
        int n = 0;
        for (std::uint32_t p : test::ReadPixels(map()).argb) n += p == test::Rgb(colour) ? 1 : 0;
        return n;
    }
    void Send(int id, UINT message, WPARAM w, LPARAM l) {
        SendMessageA(GetDlgItem(window, id), message, w, l);
        harness->PumpMessages();
    }
    // A trackbar moved to `position` while dragging, as its notice reports it.
    void Drag(int id, int position) {
        SendDlgItemMessageA(window, id, TBM_SETPOS, TRUE, position);
        SendMessageA(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        harness->PumpMessages();
    }
    void TimerTick(std::uint32_t advanceMs) {
        harness->rec().tick += advanceMs;
        SendMessageA(window, WM_TIMER, IDT_VECTOR_RERENDER, 0);
        harness->PumpMessages();
    }

    test::TempFolder folder{"vsw"};
    std::unique_ptr<test::MainWindowHarness> harness;
    HWND window = nullptr;
};

TEST_F(VectorSettingsWindow, EveryToggleFlipsItsSettingAndRendersAtOnce) {
    const std::pair<int, int VectorMapSettings::*> cases[] = {
        {IDC_VM_BASE, &VectorMapSettings::ShowBase},         {IDC_VM_LAYER1, &VectorMapSettings::ShowLayer1},
        {IDC_VM_LAYER2, &VectorMapSettings::ShowLayer2},     {IDC_VM_LAYER3, &VectorMapSettings::ShowLayer3},
        {IDC_VM_LABELS, &VectorMapSettings::ShowLabels},     {IDC_VM_FILTER_ENABLE, &VectorMapSettings::UseHeightFilter},
    };
    for (const auto& [id, flag] : cases) {
        const int before = app().vector.*flag;
        ArmRenderWatch();
        Send(id, BM_CLICK, 0, 0);
        EXPECT_EQ(app().vector.*flag, before ? 0 : 1) << id;
        EXPECT_TRUE(Rendered()) << id;
        if (id == IDC_VM_BASE) {  // the base file's red line is gone, layer 1's blue one stays
            EXPECT_EQ(CountColour(RGB(255, 0, 0)), 0);
            EXPECT_GT(CountColour(RGB(0, 0, 255)), 0);
        }
    }
}

TEST_F(VectorSettingsWindow, EachSearchChangeRendersAndAnUnchangedTextDoesNot) {
    for (const char* text : {"b", "ba", "BA"}) {
        ArmRenderWatch();
        SetDlgItemTextA(window, IDC_VM_SEARCH, text);
        harness->PumpMessages();
        EXPECT_EQ(app().vector.SearchFilter, text);
        EXPECT_TRUE(Rendered()) << text;
    }
    ArmRenderWatch();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_VM_SEARCH, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_VM_SEARCH)));
    harness->PumpMessages();
    EXPECT_FALSE(Rendered());
}

TEST_F(VectorSettingsWindow, TrackbarRendersOnceAfterTheDeadline) {
    ArmRenderWatch();
    for (int position = 800; position <= 1200; position += 100) {
        Drag(IDC_VM_SCALE, position);
        EXPECT_EQ(app().vector.MapResolution, position);
        TimerTick(150);  // the next movement comes before the deadline
        EXPECT_FALSE(Rendered()) << position;
    }
    TimerTick(50);  // exactly at the deadline: not yet
    EXPECT_FALSE(Rendered());
    TimerTick(1);
    ASSERT_TRUE(Rendered());
    EXPECT_EQ(app().map.imageWidth, 1200);
    EXPECT_EQ(app().map.imageHeight, 600);
    // The timer is stopped: a late tick renders nothing more.
    ArmRenderWatch();
    TimerTick(1000);
    EXPECT_FALSE(Rendered());
}

// A key press as the message loop receives it (the key held down while it
// is handled), with Shift held or not.
void Press(test::MainWindowHarness& h, WPARAM key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[key] = 0x80;
    SetKeyboardState(keys);
    MSG message{};
    message.hwnd = GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1;
    if (!TranslateDialogMessage(h.program(), message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    keys[VK_SHIFT] = 0;
    keys[key] = 0;
    SetKeyboardState(keys);
    h.PumpMessages();
}

TEST_F(VectorSettingsWindow, TabArrowsAndEscapeWorkThroughTheMessageLoop) {
    SetFocus(GetDlgItem(window, IDC_VM_CLOSE));
    ASSERT_EQ(GetFocus(), GetDlgItem(window, IDC_VM_CLOSE));
    Press(*harness, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_VM_SELECT_FOLDER));
    Press(*harness, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_VM_SCALE));
    // The arrow keys move the focused trackbar, and the setting follows.
    Press(*harness, VK_RIGHT);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_VM_SCALE, TBM_GETPOS, 0, 0), 401);
    EXPECT_EQ(app().vector.MapResolution, 401);
    Press(*harness, VK_TAB, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_VM_SELECT_FOLDER));
    // Enter presses the focused button.
    SetFocus(GetDlgItem(window, IDC_VM_BASE));
    Press(*harness, VK_RETURN);
    EXPECT_EQ(app().vector.ShowBase, 0);

    // Escape closes the settings window as its close box does; in the main
    // window it does nothing.
    Press(*harness, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    SetFocus(GetDlgItem(harness->window(), IDC_EXIT));
    Press(*harness, VK_ESCAPE);
    EXPECT_TRUE(harness->rec().endResults.empty());
    Press(*harness, VK_TAB);
    EXPECT_NE(GetFocus(), GetDlgItem(harness->window(), IDC_EXIT));
    EXPECT_EQ(GetParent(GetFocus()), harness->window());
}

RECT ScreenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

TEST_F(VectorSettingsWindow, OpensCentredOnTheMainWindowAndWhollyOnItsWorkArea) {
    const RECT main = ScreenRect(harness->window());
    const RECT settings = ScreenRect(window);
    EXPECT_LE(std::abs((main.left + main.right) - (settings.left + settings.right)), 1);
    EXPECT_LE(std::abs((main.top + main.bottom) - (settings.top + settings.bottom)), 1);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(harness->window(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    // A main window pushed past the top-left and past the bottom-right corner.
    for (const POINT corner : {POINT{work.left - 300, work.top - 250}, POINT{work.right - 100, work.bottom - 80}}) {
        SetWindowPos(harness->window(), nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const HWND another = OpenVectorSettingsWindow(harness->window(), harness->program());
        ASSERT_NE(another, nullptr);
        const RECT r = ScreenRect(another);
        EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom)
            << r.left << "," << r.top << " " << r.right << "," << r.bottom;
        const bool topLeft = corner.x < work.left;
        EXPECT_TRUE(topLeft ? r.left == work.left && r.top == work.top : r.right == work.right && r.bottom == work.bottom);
        DestroyWindow(another);
    }
}

}  // namespace
}  // namespace tolvik
