// Reading the text of a control.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace tolvik {

// The text of `control`, at most `maxChars` characters (empty without a control).
std::string WindowText(HWND control, std::size_t maxChars);

// The whole text of `control`.
std::string WholeWindowText(HWND control);

}  // namespace tolvik
