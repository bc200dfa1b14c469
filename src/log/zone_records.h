// Per-zone position records: the Zone Record Table and its Location Trails.
#pragma once

#include <string>

#include "base/zone_record.h"

namespace tolvik {

// Returns the index of the record named `name` (exact, case-sensitive),
// adding a zeroed record if there is none.
int FindOrAddZoneRecord(ZoneRecordTable& table, const std::string& name);

// Empties the table: every stored record zeroed, Records In Use 0.
void ClearZoneRecords(ZoneRecordTable& table);

// Current-position count of the Current Zone Record, or 0 without one.
int CurrentPositionCount(const ZoneTracking& tracking);

}  // namespace tolvik
