// A rectangle in whole pixels: left and top inside, right and bottom just
// outside, as the window system has them.
#pragma once

namespace tolvik {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tolvik
