// The per-zone position records that every part of the program reads: a
// position, the trails of positions, the Zone Record Table and the Current
// Zone Record.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace tolvik {

// A position in game coordinates. The game prints Y, X, Z; we store X, Y, Z.
struct Position {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Up to 23 positions, newest first. The 24th slot only receives the entry
// shifted out of slot 22 and is never read.
struct LocationTrail {
    static constexpr int kSlots = 24;
    static constexpr int kMaxCount = 23;
    std::array<Position, kSlots> slots{};
    int count = 0;
};

struct ZoneRecord {
    std::string name;
    LocationTrail current;  // current-position trail
    LocationTrail returns;  // return trail
};

// Records in the order their names first appeared. The table grows as needed;
// a record is referred to by its index, which stays valid when it grows.
// Clearing keeps the storage (zeroed) so that an index held across a clear
// still names a valid, emptied slot.
struct ZoneRecordTable {
    std::vector<ZoneRecord> storage;
    int recordsInUse = 0;
    std::unordered_map<std::string, int> byName;  // names of the records in use
};

constexpr int kNoRecord = -1;

// The table plus the Current Zone Record.
struct ZoneTracking {
    ZoneRecordTable table;
    int currentRecord = kNoRecord;

    ZoneRecord* Current() {
        return currentRecord >= 0 && currentRecord < static_cast<int>(table.storage.size())
                   ? &table.storage[static_cast<size_t>(currentRecord)]
                   : nullptr;
    }
    const ZoneRecord* Current() const {
        return const_cast<ZoneTracking*>(this)->Current();
    }
};

}  // namespace tolvik
