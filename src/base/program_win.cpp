#include "base/program_win.h"

namespace tolvik {

Program* TryProgramOf(HWND window) {
    return window ? reinterpret_cast<Program*>(GetWindowLongPtrA(window, DWLP_USER)) : nullptr;
}

Program& ProgramOf(HWND window) { return *TryProgramOf(window); }

void AttachProgram(HWND window, Program* program) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(program));
}

}  // namespace tolvik
