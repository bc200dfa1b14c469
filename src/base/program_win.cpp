#include "base/program_win.h"

#include "res/resource.h"

namespace tolvik {

Program* TryProgramOf(HWND window) {
    return window ? reinterpret_cast<Program*>(GetWindowLongPtrA(window, DWLP_USER)) : nullptr;
}

Program& ProgramOf(HWND window) { return *TryProgramOf(window); }

void AttachProgram(HWND window, Program* program) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(program));
}

void EnterForeignLoop(Program& program) {
    if (program.foreignLoops++ == 0) SetTimer(static_cast<HWND>(program.app.mainWindow), IDT_MAIN_TICK, 100, nullptr);
}

void LeaveForeignLoop(Program& program) {
    if (program.foreignLoops > 0 && --program.foreignLoops == 0)
        KillTimer(static_cast<HWND>(program.app.mainWindow), IDT_MAIN_TICK);
}

bool FollowForeignLoop(Program& program, UINT message) {
    switch (message) {
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
        EnterForeignLoop(program);
        return true;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
        LeaveForeignLoop(program);
        return true;
    default:
        return false;
    }
}

ForeignLoop::ForeignLoop(HWND owner) : program_(TryProgramOf(owner ? GetAncestor(owner, GA_ROOT) : nullptr)) {
    if (program_) EnterForeignLoop(*program_);
}

ForeignLoop::~ForeignLoop() {
    if (program_) LeaveForeignLoop(*program_);
}

}  // namespace tolvik
