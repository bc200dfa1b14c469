// Helpers shared by the log tracking tests: temporary folders and files, an
// in-memory log, and comparison of Zone Record Tables.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "log/log_reader.h"
#include "log/scanner.h"
#include "log/zone_records.h"

namespace tolvik::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> serial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("tolvik-log-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder as the program keeps folders: ending with a separator.
    std::string Folder() const { return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void AppendFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A log held in memory.
class MemorySource final : public LogSource {
public:
    explicit MemorySource(std::shared_ptr<const std::string> text) : text_(std::move(text)) {}
    bool Size(std::uint64_t& size) override {
        size = text_->size();
        return true;
    }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (offset >= text_->size()) return 0;
        const std::size_t count = std::min<std::size_t>(n, text_->size() - static_cast<std::size_t>(offset));
        std::memcpy(buffer, text_->data() + offset, count);
        return count;
    }

private:
    std::shared_ptr<const std::string> text_;
};

inline LogOpener MemoryOpener(std::shared_ptr<const std::string> text) {
    return [text](const std::string&) -> std::unique_ptr<LogSource> { return std::make_unique<MemorySource>(text); };
}

// Hooks that act like the main window: the selected zone becomes the Current
// Zone Name and its record the Current Zone Record.
class RecordingHooks final : public LogHooks {
public:
    RecordingHooks(ZoneTracking& tracking, std::string& currentZoneName)
        : tracking_(tracking), currentZoneName_(currentZoneName) {}
    void ShowZoneName(const std::string& zone) override { shown.push_back(zone); }
    void SelectZoneMap(const std::string& zone) override {
        selected.push_back(zone);
        currentZoneName_ = zone;
        tracking_.currentRecord = FindOrAddZoneRecord(tracking_.table, zone);
    }
    std::vector<std::string> shown;
    std::vector<std::string> selected;

private:
    ZoneTracking& tracking_;
    std::string& currentZoneName_;
};

inline bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Every stored byte that matters, including the slots past the counts.
inline ::testing::AssertionResult SameTrail(const LocationTrail& a, const LocationTrail& b) {
    if (a.count != b.count) return ::testing::AssertionFailure() << "count " << a.count << " vs " << b.count;
    for (int i = 0; i < LocationTrail::kSlots; ++i) {
        const Position& p = a.slots[static_cast<size_t>(i)];
        const Position& q = b.slots[static_cast<size_t>(i)];
        if (!SameBits(p.x, q.x) || !SameBits(p.y, q.y) || !SameBits(p.z, q.z)) {
            return ::testing::AssertionFailure() << "slot " << i << ": (" << p.x << ", " << p.y << ", " << p.z
                                                 << ") vs (" << q.x << ", " << q.y << ", " << q.z << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult SameTracking(const ZoneTracking& a, const ZoneTracking& b) {
    if (a.currentRecord != b.currentRecord)
        return ::testing::AssertionFailure() << "current record " << a.currentRecord << " vs " << b.currentRecord;
    if (a.table.recordsInUse != b.table.recordsInUse)
        return ::testing::AssertionFailure() << "records in use " << a.table.recordsInUse << " vs "
                                             << b.table.recordsInUse;
    for (int i = 0; i < a.table.recordsInUse; ++i) {
        const ZoneRecord& r = a.table.storage[static_cast<size_t>(i)];
        const ZoneRecord& s = b.table.storage[static_cast<size_t>(i)];
        if (r.name != s.name) return ::testing::AssertionFailure() << "record " << i << " name";
        if (auto result = SameTrail(r.current, s.current); !result) return result << " (record " << i << " current)";
        if (auto result = SameTrail(r.returns, s.returns); !result) return result << " (record " << i << " returns)";
    }
    return ::testing::AssertionSuccess();
}

inline std::string Line(const std::string& text) { return "[Mon Jan 01 12:00:00 2024] " + text + "\r\n"; }

}  // namespace tolvik::testing
