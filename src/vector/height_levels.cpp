#include "vector/height_levels.h"

#include <algorithm>
#include <cmath>

namespace tolvik {

void HeightLevels::Reset(float renderHeight) {
    middles_.clear();
    renderHeight_ = renderHeight;
}

void HeightLevels::Add(float middle) {
    if (!std::isnan(middle)) middles_.push_back(middle);
}

void HeightLevels::Seal() { std::sort(middles_.begin(), middles_.end()); }

HeightLevels::Run HeightLevels::Passing(int low, int high, float h) const {
    const auto begin = middles_.begin();
    const auto end = middles_.end();
    // The head where the player stands too far above the line, and the head
    // where the player does not stand too far below it.
    const auto first = std::partition_point(begin, end, [&](float m) { return !BelowBandTop(m, high, h); });
    const auto last = std::partition_point(begin, end, [&](float m) { return AboveBandFloor(m, low, h); });
    if (first >= last) return Run{};
    return Run{static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin)};
}

bool HeightLevels::PassesOtherLines(int low, int high, float from, float to) const {
    const Run a = Passing(low, high, from);
    const Run b = Passing(low, high, to);
    return a.first != b.first || a.end != b.end;
}

}  // namespace tolvik
