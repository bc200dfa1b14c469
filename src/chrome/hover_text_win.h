// The game coordinates under the pointer in the main window's title.
#pragma once

#include <windows.h>

#include "base/program_win.h"

namespace tolvik {

// Shows the game coordinates under the pointer (client position of a
// mouse-move message) in the title while it is over a calibrated map.
void UpdateHoverTitle(HWND window, Program& program, LPARAM position);

// The pointer left the window: plain title, leave tracking to be armed again.
void EndHoverTitle(HWND window, Program& program);

}  // namespace tolvik
