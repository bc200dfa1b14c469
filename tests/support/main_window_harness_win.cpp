#include "support/main_window_harness_win.h"

#include <commctrl.h>

#include "app/folders.h"
#include "app/main_window_win.h"
#include "app/system_seams_win.h"
#include "base/window_text_win.h"
#include "res/resource.h"

namespace tolvik::test {

std::unique_ptr<Program> MakeTestProgram(const std::string& programFolder, Recorders& rec) {
    auto program = std::make_unique<Program>();
    program->seams = SystemSeams();
    SetProgramFolders(program->app, programFolder);
    program->seams.tickCount = [&rec] { return rec.tick; };
    program->seams.pickFileToOpen = [&rec](HWND, std::string& path, FileFilter filter) {
        ++rec.pickCalls;
        rec.lastFilter = filter;
        if (rec.pickAnswer) path = rec.pickPath;
        return rec.pickAnswer;
    };
    program->seams.gameLogFolder = [&rec] { return rec.gameLogFolder; };
    program->seams.messageBox = [&rec](HWND, const std::string& text, const std::string& caption, UINT type) {
        rec.messages.push_back(MessageRecord{text, caption, type});
        return IDOK;
    };
    program->seams.endDialog = [&rec](HWND, INT_PTR result) { rec.endResults.push_back(result); };
    return program;
}

MainWindowHarness::MainWindowHarness(const std::string& programFolder, bool create)
    : program_(MakeTestProgram(programFolder, rec_)) {
    if (create) Create();
}

MainWindowHarness::~MainWindowHarness() { Destroy(); }

void MainWindowHarness::Create() {
    static bool commonControls = [] {
        InitCommonControls();
        return true;
    }();
    (void)commonControls;
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), "Tolvik", nullptr, MainWindowProc,
                                 reinterpret_cast<LPARAM>(program_.get()));
    if (window_) {
        // The first tick is ours to give; the real timer must not interfere.
        KillTimer(window_, IDT_MAIN_TICK);
        PumpMessages();
    }
}

void MainWindowHarness::Destroy() {
    if (window_) {
        DestroyWindow(window_);
        window_ = nullptr;
        PumpMessages();
    }
}

void MainWindowHarness::Tick(std::uint32_t advanceMs) {
    rec_.tick += advanceMs;
    SendMessageA(window_, WM_TIMER, IDT_MAIN_TICK, 0);
    PumpMessages();
}

void MainWindowHarness::Poll() { Tick(1100); }

void MainWindowHarness::Command(int id, int code) {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, code), 0);
    PumpMessages();
}

std::string MainWindowHarness::Text(int id) const { return WholeWindowText(GetDlgItem(window_, id)); }

void MainWindowHarness::PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_TIMER && message.hwnd == window_) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace tolvik::test
