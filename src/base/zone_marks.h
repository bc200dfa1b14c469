// The player's own marks on the zone maps: one waypoint and one corpse per
// zone, keyed by the zone's display name.
#pragma once

#include <map>
#include <string>

#include "base/zone_record.h"

namespace tolvik {

struct ZoneMarks {
    std::map<std::string, Position> waypoints;       // X and Y used; Z is 0
    std::map<std::string, Position> corpses;
    std::map<std::string, Position> clearedCorpses;  // the last corpse cleared by hand, per zone

    // Game position under the right-button press that opened the context
    // menu, for "Set Waypoint Here"; not valid when the press missed a
    // calibrated map.
    bool menuPointValid = false;
    float menuX = 0.0f;
    float menuY = 0.0f;

    // The title was last set to the waypoint text (so that it is put back
    // to the plain title once the waypoint is gone).
    bool titleShowsWaypoint = false;
};

}  // namespace tolvik
