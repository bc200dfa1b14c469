// The vector map drawn by GDI, and its settings window over the real main window.
#include "vector/settings_window_win.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window_win.h"
#include "support/main_window_harness_win.h"
#include "vector/settings_controls.h"
#include "vector/vector_render_win.h"

namespace tolvik {
namespace {

int Count(const test::Picture& p, std::uint32_t rgb) { return static_cast<int>(std::count(p.argb.begin(), p.argb.end(), rgb)); }

TEST(VectorRenderWin, BackgroundAndLinesInTheirColours) {
    // 200 by 100 units at 200 pixels: file x = pixel x, file y = pixel y.
    test::TempFolder folder("vec");
    test::WriteFile(folder / "zone.txt",
                    "L 0, 0, 0, 200, 100, 0, 0, 0, 0\n"
                    "L 20, 30, 0, 120, 30, 0, 300, 0, 0\n"  // red 300 acts as 44
                    "L 50, 60, 0, 50, 90, 0, 0, 200, 0\n");
    VectorMapSettings s;
    s.MapResolution = 200, s.Color = RGB(10, 20, 30);
    test::Picture p = test::ReadPixels(UniqueBitmap(RenderVectorMap(s, folder / "zone.txt", 0.0f)).get());
    ASSERT_EQ(std::pair(p.width, p.height), std::pair(200, 100));
    // The frame diagonal; the horizontal line covers 20..119 of row 30, its last pixel stays bare.
    EXPECT_EQ(std::tuple(p.at(199, 99), p.at(20, 30), p.at(120, 30)), std::tuple(0u, 0x2C0000u, 0x0A141Eu));
    EXPECT_EQ(std::pair(Count(p, 0x2C0000u), Count(p, 0x00C800u)), std::pair(100, 30));
    EXPECT_EQ(Count(p, 0x0A141Eu) + Count(p, 0) + 100 + 30, 200 * 100);  // nothing else was drawn
}

class VectorSettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // A 200 by 100 map: a red diagonal in the base file, a blue one in layer 1.
        test::MakeFolder(folder / "VURavaZiro");
        test::WriteFile(folder / "VURavaZiro\\gfaydark.txt", "L 0, 0, 0, 200, 100, 0, 255, 0, 0\r\n");
        test::WriteFile(folder / "VURavaZiro\\gfaydark_1.txt", "L 0, 100, 0, 200, 0, 0, 0, 0, 255\r\n");
        h = std::make_unique<test::MainWindowHarness>(folder.path());
        ASSERT_NE(h->window(), nullptr);
        app().UseVURavaZiro = 1;
        app().vector.MapResolution = 400;
        h->Select("Greater Faydark");
        ASSERT_EQ(app().map.imageWidth, 400);
        window = OpenVectorSettingsWindow(h->window(), h->program());
        ASSERT_NE(window, nullptr);
        h->PumpMessages();
    }
    AppState& app() { return h->app(); }
    // Replaces the map bitmap by a 1 x 1 stand-in that any new selection deletes.
    void ArmRenderWatch() { h->program().gdi.mapBitmap.reset(CreateBitmap(1, 1, 1, 1, nullptr)); }
    bool Rendered() { return test::ReadPixels(h->program().gdi.mapBitmap.get()).width > 1; }
    // A trackbar moved to `position` while dragging, as its notice reports it.
    void Drag(int id, int position) {
        SendDlgItemMessageA(window, id, TBM_SETPOS, TRUE, position);
        SendMessageA(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        h->PumpMessages();
    }
    void TimerTick(std::uint32_t advanceMs) {
        h->rec().tick += advanceMs;
        SendMessageA(window, WM_TIMER, IDT_VECTOR_RERENDER, 0);
        h->PumpMessages();
    }
    // A key press as the message loop receives it, the key (and Shift if asked) held down meanwhile.
    void Press(WPARAM key, bool shift = false) {
        test::SetKeyDown(VK_SHIFT, shift);
        test::SetKeyDown(static_cast<int>(key), true);
        MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        if (!TranslateDialogMessage(h->program(), message)) TranslateMessage(&message), DispatchMessageA(&message);
        for (int up : {VK_SHIFT, static_cast<int>(key)}) test::SetKeyDown(up, false);
        h->PumpMessages();
    }

    test::TempFolder folder{"vsw"};
    std::unique_ptr<test::MainWindowHarness> h;
    HWND window = nullptr;
};

// Which flag a toggle owns is the portable core's; here a click flips it and renders at once.
TEST_F(VectorSettingsWindow, EveryToggleFlipsItsSettingAndRendersAtOnce) {
    for (int id : {IDC_VM_BASE, IDC_VM_LAYER1, IDC_VM_LAYER2, IDC_VM_LAYER3, IDC_VM_LABELS, IDC_VM_FILTER_ENABLE}) {
        const int before = *VectorToggleFlag(app().vector, id);
        ArmRenderWatch();
        SendDlgItemMessageA(window, id, BM_CLICK, 0, 0);
        h->PumpMessages();
        EXPECT_TRUE(*VectorToggleFlag(app().vector, id) == !before && Rendered()) << id;
        if (id != IDC_VM_BASE) continue;  // the base file's red line is gone, layer 1's blue one stays
        const test::Picture map = test::ReadPixels(h->program().gdi.mapBitmap.get());
        EXPECT_TRUE(Count(map, 0xFF0000u) == 0 && Count(map, 0x0000FFu) > 0);
    }
}

TEST_F(VectorSettingsWindow, EachSearchChangeRendersAndAnUnchangedTextDoesNot) {
    for (const char* text : {"b", "ba", "BA"}) {
        ArmRenderWatch();
        SetDlgItemTextA(window, IDC_VM_SEARCH, text);
        h->PumpMessages();
        EXPECT_TRUE(app().vector.SearchFilter == text && Rendered()) << text;
    }
    ArmRenderWatch();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_VM_SEARCH, EN_CHANGE), reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_VM_SEARCH)));
    h->PumpMessages();
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
    EXPECT_EQ(std::pair(app().map.imageWidth, app().map.imageHeight), std::pair(1200, 600));
    // The timer is stopped: a late tick renders nothing more.
    ArmRenderWatch();
    TimerTick(1000);
    EXPECT_FALSE(Rendered());
}

TEST_F(VectorSettingsWindow, TabArrowsAndEscapeWorkThroughTheMessageLoop) {
    SetFocus(GetDlgItem(window, IDC_VM_CLOSE));
    for (int next : {IDC_VM_SELECT_FOLDER, IDC_VM_SCALE}) {
        Press(VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, next)) << next;
    }
    // The arrow keys move the focused trackbar, and the setting follows.
    Press(VK_RIGHT);
    EXPECT_EQ(std::pair(SendDlgItemMessageA(window, IDC_VM_SCALE, TBM_GETPOS, 0, 0), LRESULT{app().vector.MapResolution}),
              std::pair(LRESULT{401}, LRESULT{401}));
    Press(VK_TAB, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_VM_SELECT_FOLDER));
    // Enter presses the focused button.
    SetFocus(GetDlgItem(window, IDC_VM_BASE));
    Press(VK_RETURN);
    EXPECT_EQ(app().vector.ShowBase, 0);
    // Escape closes the settings window as its close box does; in the main window it does nothing.
    Press(VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    SetFocus(h->Item(IDC_EXIT));
    Press(VK_ESCAPE);
    EXPECT_TRUE(h->rec().endResults.empty());
    Press(VK_TAB);
    EXPECT_TRUE(GetFocus() != h->Item(IDC_EXIT) && GetParent(GetFocus()) == h->window());
}

// Placed by the portable core's geometry: with a main window pushed past the bottom-right corner, in that corner.
TEST_F(VectorSettingsWindow, OpensWhollyOnTheMainWindowsWorkArea) {
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoA(MonitorFromWindow(h->window(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    SetWindowPos(h->window(), nullptr, work.right - 100, work.bottom - 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HWND another = OpenVectorSettingsWindow(h->window(), h->program());
    ASSERT_NE(another, nullptr);
    RECT r{};
    GetWindowRect(another, &r);
    EXPECT_EQ(std::pair(r.right, r.bottom), std::pair(work.right, work.bottom));
    DestroyWindow(another);
}

}  // namespace
}  // namespace tolvik
