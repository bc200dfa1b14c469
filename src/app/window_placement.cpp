#include "app/window_placement.h"

#include <algorithm>

namespace tolvik {

bool Overlaps(const Rect& a, const Rect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

Rect RestoredWindowRect(const Rect& stored, const std::vector<Rect>& workAreas, const Rect& primaryWorkArea,
                        const Rect& templateRect) {
    for (const Rect& area : workAreas) {
        if (Overlaps(stored, area)) return stored;
    }
    const int wantedWidth = stored.Width() > 0 ? stored.Width() : templateRect.Width();
    const int wantedHeight = stored.Height() > 0 ? stored.Height() : templateRect.Height();
    const int width = std::clamp(wantedWidth, 1, std::max(1, primaryWorkArea.Width()));
    const int height = std::clamp(wantedHeight, 1, std::max(1, primaryWorkArea.Height()));
    Rect placed;
    placed.left = primaryWorkArea.left + (primaryWorkArea.Width() - width) / 2;
    placed.top = primaryWorkArea.top + (primaryWorkArea.Height() - height) / 2;
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;
    return placed;
}

}  // namespace tolvik
