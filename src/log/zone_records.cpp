#include "log/zone_records.h"

namespace tolvik {

int FindOrAddZoneRecord(ZoneRecordTable& table, const std::string& name) {
    const auto found = table.byName.find(name);
    if (found != table.byName.end()) return found->second;

    // Take the first slot not in use; storage kept by a clear is reused
    // before the table grows.
    const int index = table.recordsInUse;
    if (static_cast<size_t>(index) < table.storage.size()) {
        table.storage[static_cast<size_t>(index)] = ZoneRecord{};
    } else {
        table.storage.emplace_back();
    }
    table.storage[static_cast<size_t>(index)].name = name;
    table.byName.emplace(name, index);
    ++table.recordsInUse;
    return index;
}

void ClearZoneRecords(ZoneRecordTable& table) {
    for (ZoneRecord& record : table.storage) record = ZoneRecord{};
    table.recordsInUse = 0;
    table.byName.clear();
}

int CurrentPositionCount(const ZoneTracking& tracking) {
    const ZoneRecord* record = tracking.Current();
    return record ? record->current.count : 0;
}

}  // namespace tolvik
