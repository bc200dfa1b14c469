#include "vector/height_levels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tolvik {

namespace {

// The lines that pass for the player height h, as positions [first, end) in
// the ascending order; an empty run when none pass.
struct Run {
    std::size_t first = 0;
    std::size_t end = 0;
};

Run Passing(const std::vector<float>& middles, int low, int high, float h) {
    const auto begin = middles.begin();
    // The head where the player stands too far above the line, and the head
    // where the player does not stand too far below it.
    const auto first = std::partition_point(begin, middles.end(), [&](float m) { return !BelowBandTop(m, high, h); });
    const auto last = std::partition_point(begin, middles.end(), [&](float m) { return AboveBandFloor(m, low, h); });
    if (first >= last) return Run{};
    return Run{static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin)};
}

}  // namespace

void ResetHeightLevels(HeightLevels& levels, float renderHeight) {
    levels.middles.clear();
    levels.renderHeight = renderHeight;
}

void AddLineHeight(HeightLevels& levels, float middle) {
    if (!std::isnan(middle)) levels.middles.push_back(middle);
}

void SealHeightLevels(HeightLevels& levels) { std::sort(levels.middles.begin(), levels.middles.end()); }

bool FilterPassesOtherLines(const HeightLevels& levels, int low, int high, float from, float to) {
    const Run a = Passing(levels.middles, low, high, from);
    const Run b = Passing(levels.middles, low, high, to);
    return a.first != b.first || a.end != b.end;
}

}  // namespace tolvik
