// The modeless window that changes the vector map options.
#pragma once

#include <windows.h>

#include "base/program_win.h"

namespace tolvik {

// Creates the window from "EQVMAPSETTINGS", owned by `owner`, and shows it.
HWND OpenVectorSettingsWindow(HWND owner, Program& program);

// Its dialog procedure; the creation parameter is the Program.
INT_PTR CALLBACK VectorSettingsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tolvik
