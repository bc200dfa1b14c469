// The main window's pop-up menu.
#pragma once

#include <windows.h>

#include "base/program_win.h"

namespace tolvik {

// Opens the pop-up menu at the pointer and waits until it closes; a chosen
// item reaches `window` as WM_COMMAND.
void ShowContextMenu(HWND window, Program& program, LPARAM position);

}  // namespace tolvik
