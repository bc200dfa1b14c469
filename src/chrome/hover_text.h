// Window titles of the main window.
#pragma once

#include <string>

namespace tolvik {

// The main window's plain title.
inline constexpr const char* kPlainTitle = "Tolvik";

// The title while the pointer rests over a calibrated map: the plain title
// and the game coordinates under the pointer, with two decimals.
std::string HoverTitleText(float x, float y);

}  // namespace tolvik
