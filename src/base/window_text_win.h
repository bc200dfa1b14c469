// Finding controls and reading their text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace tolvik {

// The text of `control`, at most `maxChars` characters (empty without a control).
std::string WindowText(HWND control, std::size_t maxChars);

// The whole text of `control`.
std::string WholeWindowText(HWND control);

// The control `id` of `window`, found once and remembered in `slot` (found
// again when the slot holds no child of `window`). Wine asks its server for
// each search by id; what the timer updates every second is found once.
HWND RememberedItem(HWND window, int id, HWND& slot);

}  // namespace tolvik
