// Rectangles between the window system's RECT and the program's own Rect.
#pragma once

#include <windows.h>

#include "base/rect.h"

namespace tolvik {

inline Rect ToRect(const RECT& r) {
    return Rect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                static_cast<int>(r.bottom)};
}

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace tolvik
