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

// `box` moved by the least distance that puts it wholly inside `area`; a box
// wider or taller than `area` is aligned with its left or top edge.
inline Rect MovedInside(const Rect& box, const Rect& area) {
    int dx = 0;
    int dy = 0;
    if (box.right > area.right) dx = area.right - box.right;
    if (box.left + dx < area.left) dx = area.left - box.left;
    if (box.bottom > area.bottom) dy = area.bottom - box.bottom;
    if (box.top + dy < area.top) dy = area.top - box.top;
    return Rect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

// A box of `box`'s size centred on `over`, then moved inside `area`.
inline Rect CentredOn(const Rect& box, const Rect& over, const Rect& area) {
    const int left = over.left + (over.Width() - box.Width()) / 2;
    const int top = over.top + (over.Height() - box.Height()) / 2;
    return MovedInside(Rect{left, top, left + box.Width(), top + box.Height()}, area);
}

}  // namespace tolvik
