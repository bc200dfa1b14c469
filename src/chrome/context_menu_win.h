// The main window's pop-up menu and the game coordinates in its title.
#pragma once

#include <windows.h>

#include "base/program_win.h"

namespace tolvik {

// A new pop-up menu with the view options, checked after the flags of `app`;
// "Vector Map Settings..." only while vector maps are on; then, after a
// separator, "Zoom In", "Zoom Out" and "Actual Size", greyed where they would
// change nothing; and while vector maps are on, after another separator, the
// level options "Follow My Height" and "Fade Other Levels". The caller
// destroys it.
HMENU BuildContextMenu(const AppState& app);

// Opens the pop-up menu at the pointer and waits until it closes; a chosen
// item reaches `window` as WM_COMMAND.
void ShowContextMenu(HWND window, Program& program, LPARAM position);

// Shows the game coordinates under the pointer (client position of a
// mouse-move message) in the title while it is over a calibrated map.
void UpdateHoverTitle(HWND window, Program& program, LPARAM position);

// The pointer left the window: plain title, leave tracking to be armed again.
void EndHoverTitle(HWND window, Program& program);

}  // namespace tolvik
