#include "support/main_window_harness_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>

#include "app/folders.h"
#include "app/main_window_win.h"
#include "app/system_seams_win.h"
#include "chrome/context_menu_win.h"
#include "raster/map_math.h"
#include "raster/map_view_win.h"

namespace tolvik::test {

std::vector<std::string> MenuItems(const AppState& app) {
    HMENU menu = BuildContextMenu(app);
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(state & MF_SEPARATOR ? "-"
                                             : (state & MF_CHECKED ? "*" : "") + std::to_string(GetMenuItemID(menu, i)) +
                                                   " " + text + (state & MF_GRAYED ? " (greyed)" : ""));
    }
    DestroyMenu(menu);
    return items;
}

void SetKeyDown(int key, bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

MainWindowHarness::MainWindowHarness(const std::string& programFolder, bool create)
    : program_(std::make_unique<Program>()) {
    Program& p = *program_;
    p.seams = SystemSeams();
    SetProgramFolders(p.app, programFolder);
    p.seams.tickCount = [this] { return rec_.tick; };
    p.seams.pickFileToOpen = [this](HWND, std::string& path, FileFilter filter) {
        ++rec_.pickCalls;
        rec_.lastFilter = filter;
        if (rec_.pickAnswer) path = rec_.pickPath;
        return rec_.pickAnswer;
    };
    p.seams.gameLogFolder = [this] { return rec_.gameLogFolder; };
    p.seams.messageBox = [this](HWND, const std::string& text, const std::string& caption, UINT type) {
        rec_.messages.push_back(MessageRecord{text, caption, type});
        return IDOK;
    };
    p.seams.endDialog = [this](HWND, INT_PTR result) { rec_.endResults.push_back(result); };
    if (create) Create();
}

void MainWindowHarness::Create() {
    InitCommonControls();
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), "Tolvik", nullptr, MainWindowProc,
                                 reinterpret_cast<LPARAM>(program_.get()));
    if (window_) PumpMessages();
}

void MainWindowHarness::Destroy() {
    if (window_) DestroyWindow(std::exchange(window_, nullptr)), PumpMessages();
}

void MainWindowHarness::Send(UINT message, WPARAM w, LPARAM l) { SendMessageA(window_, message, w, l), PumpMessages(); }

void MainWindowHarness::PumpMessages() {
    for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
        if (m.message != WM_TIMER || m.hwnd != window_) TranslateMessage(&m), DispatchMessageA(&m);
}

Picture MainWindowHarness::Frame(bool references) {
    const RECT view = ViewRect();
    Canvas canvas(view.right, view.bottom);
    DrawMapFrame(canvas.dc(), view, *program_, references, 0);
    return canvas.pixels();
}

POINT MainWindowHarness::ViewOf(float x, float y) {
    int vx = 0, vy = 0;
    EXPECT_TRUE(GameToView(program_->app.map, x, y, vx, vy)) << x << "," << y;
    return POINT{vx, vy};
}

}  // namespace tolvik::test
