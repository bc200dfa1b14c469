// The arithmetic of the player's marks: distance and compass direction to a
// waypoint, when it counts as reached, how waypoints and corpses are written
// in the settings file, and the pixels of their markers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/colour.h"
#include "base/current_map.h"
#include "base/rect.h"
#include "base/zone_record.h"

namespace tolvik {

// A waypoint this close (game units, horizontal) to the player is reached.
constexpr float kWaypointReachedRadius = 15.0f;

// Distance in the horizontal plane (X and Y) between two positions.
double HorizontalDistance(const Position& from, const Position& to);

// Whether the player at `player` has reached the waypoint at `waypoint`.
bool WaypointReached(const Position& player, const Position& waypoint);

// Compass word for the way from `from` to `to`: "north", "north-east", ...,
// "north-west". The game's +Y is north and its +X is west.
// The shown zone's waypoint and the player's newest position in that zone;
// false when the zone has no waypoint or the log no position of the player
// there.
bool ShownZoneWaypoint(const AppState& app, Position& player, Position& waypoint);

const char* CompassDirection(const Position& from, const Position& to);

// "N away, DIRECTION" with N the horizontal distance rounded to a whole
// number (halves away from zero).
std::string WaypointAwayText(const Position& player, const Position& waypoint);

// Settings file values: a waypoint as "X, Y", a corpse as "X, Y, Z", two
// decimals each.
std::string FormatWaypointValue(const Position& waypoint);
std::string FormatCorpseValue(const Position& corpse);

// Reads a value written by the functions above: exactly two (waypoint) or
// three (corpse) decimal numbers separated by commas, blanks allowed around
// them, each within the single-precision range. False, and `out` left
// alone, for anything else.
bool ParseWaypointValue(const std::string& text, Position& out);
bool ParseCorpseValue(const std::string& text, Position& out);

// A death the log reported: the zone and where the corpse lies.
struct Death {
    std::string zone;
    Position where;
};

// Of the deaths that a read of a whole log reported, in the log's order, the
// ones that are news, one per zone: the last death after the last report of
// the corpse already known in that zone (`known`, kept or cleared by hand),
// or simply the last death when the known corpse is not among them. So a
// log read again from its start brings back no corpse that was cleared and
// no older one, yet a death written while the program was closed counts.
std::vector<Death> NewDeaths(const std::vector<Death>& deaths, const std::map<std::string, Position>& known);

// Marker colours.
constexpr Colour kWaypointColour = MakeColour(255, 255, 0);
constexpr Colour kCorpseColour = MakeColour(255, 255, 255);
constexpr Colour kMarkOutlineColour = MakeColour(0, 0, 0);

// What a marker puts at the offset (dx, dy) from its centre.
enum class MarkPixel { None, Fill, Outline };

// No marker pixel lies farther than this from its centre along either axis.
constexpr int kMarkReach = 7;

// The waypoint: a diamond of radius 6 (|dx| + |dy| <= 6) with a one-pixel
// outline around it.
MarkPixel WaypointPixel(int dx, int dy);

// The corpse: an X filling 13 by 13 pixels whose strokes cover the pixels
// within one pixel of either diagonal (two pixels wide), with a one-pixel
// outline around it.
MarkPixel CorpsePixel(int dx, int dy);

// The dots of a dotted line from (x0, y0) to (x1, y1) that fall inside
// `clip`: of the line's pixels, counted from (x0, y0), two are drawn and two
// left out in turn. Only the part inside `clip` is stepped through, so far
// ends cost nothing.
std::vector<PixelPoint> DottedLinePixels(int x0, int y0, int x1, int y1, const Rect& clip);

}  // namespace tolvik
