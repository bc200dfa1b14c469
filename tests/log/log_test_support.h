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

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> serial{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tolvik-log-test-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                 "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    // Ending with a separator, as the program keeps folders.
    std::string Folder() const { return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes, bool append = false) {
    std::ofstream(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << bytes;
}
inline void AppendFile(const std::string& path, const std::string& bytes) { WriteFile(path, bytes, true); }

using MemorySource = test::MemoryLogSource;

// Every stored byte that matters, including the trail slots past the counts.
inline ::testing::AssertionResult SameTracking(const ZoneTracking& a, const ZoneTracking& b) {
    if (a.currentRecord != b.currentRecord || a.table.recordsInUse != b.table.recordsInUse)
        return ::testing::AssertionFailure() << "current " << a.currentRecord << " vs " << b.currentRecord
                                             << ", in use " << a.table.recordsInUse << " vs " << b.table.recordsInUse;
    for (size_t i = 0; i < static_cast<size_t>(a.table.recordsInUse); ++i) {
        const ZoneRecord& r = a.table.storage[i];
        const ZoneRecord& s = b.table.storage[i];
        for (auto [p, q] : {std::pair{&r.current, &s.current}, std::pair{&r.returns, &s.returns}}) {
            if (r.name != s.name || p->count != q->count ||
                std::memcmp(p->slots.data(), q->slots.data(), sizeof p->slots) != 0)
                return ::testing::AssertionFailure() << "record " << i << " (" << r.name << ") differs";
        }
    }
    return ::testing::AssertionSuccess();
}

struct Corpse {
    std::string zone;
    Position where;
    bool operator==(const Corpse& o) const {
        return zone == o.zone && std::memcmp(&where, &o.where, sizeof where) == 0;
    }
};
inline void PrintTo(const Corpse& c, std::ostream* os) {
    *os << c.zone << " at " << c.where.x << ", " << c.where.y << ", " << c.where.z;
}

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
        selected.push_back(name);
        zone = name;
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
