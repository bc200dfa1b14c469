// The main window's pop-up menu.
#pragma once

#include <windows.h>

#include "base/program_win.h"

namespace tolvik {

// A new pop-up menu with the view options, checked after the flags of `app`;
// "Vector Map Settings..." only while vector maps are on; after a separator
// the zoom commands, greyed where they would change nothing; while vector
// maps are on, after another separator, the level options; last the marks'
// items. The caller destroys it.
HMENU BuildContextMenu(const AppState& app);

// Opens the pop-up menu at the pointer and waits until it closes; a chosen
// item reaches `window` as WM_COMMAND.
void ShowContextMenu(HWND window, Program& program, LPARAM position);

}  // namespace tolvik
