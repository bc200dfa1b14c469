#include "raster/marks.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tolvik {
namespace {

constexpr const char* kCompass[] = {"north", "north-east", "east", "south-east",
                                    "south", "south-west", "west", "north-west"};

std::string Format(const char* format, double a, double b, double c) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One number of a mark value, blanks around it allowed.
bool ParseNumber(const char* first, const char* last, float& out) {
    while (first < last && IsBlank(*first)) ++first;
    while (last > first && IsBlank(last[-1])) --last;
    if (first < last && *first == '+') ++first;
    // Only the plain decimal form: no "inf", "nan" or hexadecimal text.
    if (first == last || !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '-' || *first == '.')) {
        return false;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value) || std::fabs(value) > FLT_MAX) return false;
    out = static_cast<float>(value);
    return true;
}

bool ParseNumbers(const std::string& text, int count, Position& out) {
    float values[3] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < count; ++i) {
        const char* comma = std::find(at, end, ',');
        if ((comma == end) != (i == count - 1)) return false;
        if (!ParseNumber(at, comma, values[i])) return false;
        at = comma == end ? end : comma + 1;
    }
    out = Position{values[0], values[1], values[2]};
    return true;
}

bool IsStrokePixel(int dx, int dy) {
    if (std::abs(dx) > 6 || std::abs(dy) > 6) return false;
    return std::abs(dx - dy) <= 1 || std::abs(dx + dy) <= 1;
}

bool IsDiamondPixel(int dx, int dy) { return std::abs(dx) + std::abs(dy) <= 6; }

// Fill for the shape's own pixels, outline for the pixels beside them.
template <typename Shape>
MarkPixel ShapePixel(Shape inside, int dx, int dy) {
    if (inside(dx, dy)) return MarkPixel::Fill;
    if (inside(dx - 1, dy) || inside(dx + 1, dy) || inside(dx, dy - 1) || inside(dx, dy + 1)) {
        return MarkPixel::Outline;
    }
    return MarkPixel::None;
}

}  // namespace

double HorizontalDistance(const Position& from, const Position& to) {
    return std::hypot(static_cast<double>(to.x) - from.x, static_cast<double>(to.y) - from.y);
}

bool WaypointReached(const Position& player, const Position& waypoint) {
    return HorizontalDistance(player, waypoint) <= kWaypointReachedRadius;
}

bool ShownZoneWaypoint(const AppState& app, Position& player, Position& waypoint) {
    const auto found = app.marks.waypoints.find(app.map.zoneName);
    const ZoneRecord* record = app.zones.Current();
    if (found == app.marks.waypoints.end() || !record || record->name != app.map.zoneName ||
        record->current.count <= 0) {
        return false;
    }
    player = record->current.slots[0];
    waypoint = found->second;
    return true;
}

const char* CompassDirection(const Position& from, const Position& to) {
    const double east = -(static_cast<double>(to.x) - from.x);  // +X is west
    const double north = static_cast<double>(to.y) - from.y;
    double degrees = std::atan2(east, north) * (180.0 / 3.14159265358979323846);  // clockwise from north
    if (degrees < 0.0) degrees += 360.0;
    const int sector = static_cast<int>(std::floor((degrees + 22.5) / 45.0)) % 8;
    return kCompass[sector];
}

std::string WaypointAwayText(const Position& player, const Position& waypoint) {
    const double distance = std::round(HorizontalDistance(player, waypoint));
    char text[96];
    std::snprintf(text, sizeof text, "%.0f away, %s", distance, CompassDirection(player, waypoint));
    return text;
}

std::string FormatWaypointValue(const Position& waypoint) {
    return Format("%.2f, %.2f", waypoint.x, waypoint.y, 0.0);
}

std::string FormatCorpseValue(const Position& corpse) {
    return Format("%.2f, %.2f, %.2f", corpse.x, corpse.y, corpse.z);
}

bool ParseWaypointValue(const std::string& text, Position& out) { return ParseNumbers(text, 2, out); }

bool ParseCorpseValue(const std::string& text, Position& out) { return ParseNumbers(text, 3, out); }

std::vector<Death> NewDeaths(const std::vector<Death>& deaths, const std::map<std::string, Position>& known) {
    std::map<std::string, const Death*> latest;
    for (const Death& death : deaths) {
        const auto mark = known.find(death.zone);
        const bool isKnown = mark != known.end() && FormatCorpseValue(mark->second) == FormatCorpseValue(death.where);
        latest[death.zone] = isKnown ? nullptr : &death;
    }
    std::vector<Death> news;
    for (const auto& [zone, death] : latest) {
        if (death) news.push_back(*death);
    }
    return news;
}

MarkPixel WaypointPixel(int dx, int dy) { return ShapePixel(IsDiamondPixel, dx, dy); }

MarkPixel CorpsePixel(int dx, int dy) { return ShapePixel(IsStrokePixel, dx, dy); }

std::vector<PixelPoint> DottedLinePixels(int x0, int y0, int x1, int y1, const Rect& clip) {
    std::vector<PixelPoint> dots;
    const double dx = static_cast<double>(x1) - x0;
    const double dy = static_cast<double>(y1) - y0;
    const double steps = std::max(std::fabs(dx), std::fabs(dy));
    if (steps == 0.0 || clip.right <= clip.left || clip.bottom <= clip.top) return dots;

    // The part of the line inside the clip box, widened by a pixel, as a
    // range of the line parameter t in [0, 1].
    double t0 = 0.0, t1 = 1.0;
    const auto limit = [&](double start, double delta, double low, double high) {
        if (delta == 0.0) return start >= low && start <= high;
        double a = (low - start) / delta, b = (high - start) / delta;
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        return t0 <= t1;
    };
    if (!limit(x0, dx, clip.left - 1.0, clip.right) || !limit(y0, dy, clip.top - 1.0, clip.bottom)) return dots;

    const auto first = static_cast<std::int64_t>(std::floor(t0 * steps));
    const auto last = static_cast<std::int64_t>(std::ceil(t1 * steps));
    const auto n = static_cast<std::int64_t>(steps);
    for (std::int64_t k = std::max<std::int64_t>(first, 0); k <= std::min(last, n); ++k) {
        if (k % 4 >= 2) continue;
        const double x = std::round(x0 + dx * static_cast<double>(k) / steps);
        const double y = std::round(y0 + dy * static_cast<double>(k) / steps);
        if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
        dots.push_back(PixelPoint{static_cast<int>(x), static_cast<int>(y)});
    }
    return dots;
}

}  // namespace tolvik
