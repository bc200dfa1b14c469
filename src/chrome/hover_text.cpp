#include "chrome/hover_text.h"

#include <cstdio>
#include <vector>

#include "raster/marks.h"

namespace tolvik {

std::string HoverTitleText(float x, float y) {
    const char* format = "%s - [ %.2f, %.2f ]";
    const int length = std::snprintf(nullptr, 0, format, kPlainTitle, static_cast<double>(x), static_cast<double>(y));
    if (length <= 0) return kPlainTitle;
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, kPlainTitle, static_cast<double>(x), static_cast<double>(y));
    return std::string(text.data(), static_cast<std::size_t>(length));
}

std::string IdleTitleText(const AppState& app) {
    Position player{}, waypoint{};
    if (!ShownZoneWaypoint(app, player, waypoint)) return kPlainTitle;
    return std::string(kPlainTitle) + " - waypoint " + WaypointAwayText(player, waypoint);
}

}  // namespace tolvik
