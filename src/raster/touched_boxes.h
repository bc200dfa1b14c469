// The parts of a frame that the markers were drawn over, kept as a few
// boxes rather than one box around them all: a long trail crossing the view
// touches a thin band of a box that would cover much of it, and each frame
// puts back and copies to the screen what its boxes cover.
#pragma once

#include <vector>

#include "base/rect.h"

namespace tolvik {

// Boxes merge while their union wastes no more than this many pixels over
// the two apart (a copy of a few more pixels costs less than another copy);
// past kMaxTouchedBoxes boxes, all become the one box around them.
constexpr long long kTouchedBoxSlack = 1024;
constexpr int kMaxTouchedBoxes = 64;

struct TouchedBoxes {
    std::vector<Rect> boxes;

    // Adds `box` (an empty one adds nothing), merged with the box added last
    // when that wastes little.
    void Add(const Rect& box);
    // The box around all of them; empty when there are none.
    Rect Bounds() const;
};

// The box around all of `boxes`; empty when there are none.
Rect BoundsOf(const std::vector<Rect>& boxes);

// `a` and `b`'s common part; an empty rectangle when they do not meet.
Rect Intersection(const Rect& a, const Rect& b);

}  // namespace tolvik
