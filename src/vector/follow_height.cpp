#include "vector/follow_height.h"

#include "vector/height_levels.h"

namespace tolvik {

float PlayerHeight(const ZoneTracking& zones) {
    const ZoneRecord* record = zones.Current();
    return record ? record->current.slots[0].z : 0.0f;
}

bool HeightCallsForRender(const VectorMapSettings& settings, float height) {
    if (!settings.UseHeightFilter || !settings.FollowHeight) return false;
    const HeightLevels& levels = settings.levels;
    return FilterPassesOtherLines(levels, settings.FilterLow, settings.FilterHigh, levels.renderHeight, height);
}

}  // namespace tolvik
