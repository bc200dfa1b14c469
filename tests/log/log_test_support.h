// Helpers shared by the log tracking tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "log/log_reader.h"
#include "log/zone_records.h"
#include "support/memory_log_source.h"
#include "support/temp_files.h"

namespace tolvik::testing {

struct Corpse {
    std::string zone;
    Position where;
    bool operator==(const Corpse& o) const { return zone == o.zone && !std::memcmp(&where, &o.where, sizeof where); }
};
inline void PrintTo(const Corpse& c, std::ostream* os) { *os << c.zone << " at " << c.where.x << ", " << c.where.y; }

// The state the main window keeps for one log; its hooks act like the window.
struct Follower : LogHooks {
    ZoneTracking tracking;
    std::string zone;
    LogCursor cursor;
    std::vector<std::string> selected;
    std::vector<Corpse> corpses;
    int shown = 0;
    void ShowZoneName(const std::string&) override { ++shown; }
    void MarkCorpse(const std::string& name, const Position& where) override { corpses.push_back({name, where}); }
    void SelectZoneMap(const std::string& name) override {
        selected.push_back(name), zone = name;
        tracking.currentRecord = FindOrAddZoneRecord(tracking.table, name);
    }
    bool Read(const std::string& path, const ReadLogOptions& options = {}) {
        const bool result = ReadLog(tracking, zone, path, cursor, *this, options);
        EXPECT_EQ(static_cast<size_t>(shown), selected.size());
        return result;
    }
};

inline std::string Line(const std::string& text) { return "[Mon Jan 01 12:00:00 2024] " + text + "\r\n"; }

}  // namespace tolvik::testing
