#include "raster/touched_boxes.h"

#include <algorithm>

namespace tolvik {

namespace {

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

long long Area(const Rect& r) { return static_cast<long long>(r.Width()) * r.Height(); }

Rect Union(const Rect& a, const Rect& b) {
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

void TouchedBoxes::Add(const Rect& box) {
    if (IsEmpty(box)) return;
    if (!boxes.empty()) {
        Rect& last = boxes.back();
        const Rect both = Union(last, box);
        if (Area(both) <= Area(last) + Area(box) + kTouchedBoxSlack) {
            last = both;
            return;
        }
    }
    boxes.push_back(box);
    if (static_cast<int>(boxes.size()) > kMaxTouchedBoxes) {
        const Rect all = Bounds();
        boxes.assign(1, all);
    }
}

Rect TouchedBoxes::Bounds() const { return BoundsOf(boxes); }

Rect BoundsOf(const std::vector<Rect>& boxes) {
    if (boxes.empty()) return Rect{};
    Rect all = boxes.front();
    for (const Rect& box : boxes) all = Union(all, box);
    return all;
}

Rect Intersection(const Rect& a, const Rect& b) {
    const Rect both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
    return IsEmpty(both) ? Rect{} : both;
}

}  // namespace tolvik
