// Following the player's height: whether a new position calls for drawing
// the vector map again, so that the height filter passes the lines of the
// level the player now stands on.
#pragma once

#include "base/zone_record.h"
#include "base/vector_settings.h"

namespace tolvik {

// The height a render is drawn for: the Z of the newest position in the
// Current Zone Record (0 without a record).
float PlayerHeight(const ZoneTracking& zones);

// True when the height filter and following are on and the filter passes
// other lines at `height` than at the height the last render was drawn for.
// False after a render that made no map.
bool HeightCallsForRender(const VectorMapSettings& settings, float height);

}  // namespace tolvik
