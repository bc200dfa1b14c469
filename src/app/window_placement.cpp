#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tolvik {
namespace {

std::int64_t OverlapArea(const Rect& a, const Rect& b) {
    const std::int64_t w = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const std::int64_t h = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// `box` with each side cut to at most the size of `area`.
Rect ShrunkToFit(const Rect& box, const Rect& area) {
    const int width = std::min(box.Width(), std::max(1, area.Width()));
    const int height = std::min(box.Height(), std::max(1, area.Height()));
    return Rect{box.left, box.top, box.left + width, box.top + height};
}

// Coordinates beyond any screen, as a file anyone can edit may hold, are
// cut to a range in which sizes and distances cannot overflow.
constexpr int kFarAway = 1 << 28;
Rect WithinReach(const Rect& r) {
    auto cut = [](int v) { return std::clamp(v, -kFarAway, kFarAway); };
    return Rect{cut(r.left), cut(r.top), cut(r.right), cut(r.bottom)};
}

}  // namespace

bool CoveredBy(const Rect& box, const std::vector<Rect>& areas) {
    if (box.Width() <= 0 || box.Height() <= 0) return false;
    // Cut the box into vertical slabs at every area edge inside it; each slab
    // must be covered from top to bottom by the areas spanning it.
    std::vector<int> xs{box.left, box.right};
    for (const Rect& a : areas) {
        for (int x : {a.left, a.right}) {
            if (x > box.left && x < box.right) xs.push_back(x);
        }
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        std::vector<std::pair<int, int>> spans;
        for (const Rect& a : areas) {
            if (a.left <= xs[i] && a.right >= xs[i + 1] && a.top < a.bottom) spans.emplace_back(a.top, a.bottom);
        }
        std::sort(spans.begin(), spans.end());
        int reached = box.top;
        for (const auto& [top, bottom] : spans) {
            if (top > reached) break;
            reached = std::max(reached, bottom);
        }
        if (reached < box.bottom) return false;
    }
    return true;
}

Rect RestoredWindowRect(const Rect& stored, const std::vector<Rect>& workAreas, const Rect& primaryWorkArea,
                        const Rect& templateRect, int titleBarHeight) {
    const Rect within = WithinReach(stored);
    const bool sized = within.Width() > 0 && within.Height() > 0;
    Rect wanted = within;
    if (!sized) {
        wanted.right = wanted.left + templateRect.Width();
        wanted.bottom = wanted.top + templateRect.Height();
    }
    const int titleHeight = std::clamp(titleBarHeight, 1, std::max(1, wanted.Height()));
    const Rect titleBar{wanted.left, wanted.top, wanted.right, wanted.top + titleHeight};
    if (sized && CoveredBy(titleBar, workAreas)) return within;

    const Rect* target = nullptr;
    std::int64_t best = 0;
    for (const Rect& area : workAreas) {
        const std::int64_t overlap = OverlapArea(wanted, area);
        if (overlap > best) {
            best = overlap;
            target = &area;
        }
    }
    if (!target) {
        const Rect fitted = ShrunkToFit(wanted, primaryWorkArea);
        return CentredOn(fitted, primaryWorkArea, primaryWorkArea);
    }
    return MovedInside(ShrunkToFit(wanted, *target), *target);
}

}  // namespace tolvik
