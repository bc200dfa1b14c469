#include "log/log_watch.h"

#include <algorithm>
#include <cstdio>

namespace tolvik {
namespace {

std::string PositionFields(const Position& p) {
    char text[160];
    std::snprintf(text, sizeof text, "%.2f\t%.2f\t%.2f", static_cast<double>(p.x), static_cast<double>(p.y),
                  static_cast<double>(p.z));
    return text;
}

class WatchHooks final : public LogHooks {
public:
    WatchHooks(LogWatch& watch, const LineSink& onLine) : watch_(watch), onLine_(onLine) {}
    void ShowZoneName(const std::string&) override {}
    void SelectZoneMap(const std::string& zone) override {
        watch_.currentZoneName = zone;
        watch_.tracking.currentRecord = FindOrAddZoneRecord(watch_.tracking.table, zone);
        onLine_("zone\t" + zone);
    }
    void MarkCorpse(const std::string& zone, const Position& where) override {
        if (watch_.reportCorpses) onLine_("corpse\t" + zone + '\t' + PositionFields(where));
    }

private:
    LogWatch& watch_;
    const LineSink& onLine_;
};

void DescribeTrail(const char* label, int index, const LocationTrail& trail, const LineSink& onLine) {
    for (int slot = 0; slot < trail.count; ++slot) {
        onLine(std::string(label) + '\t' + std::to_string(index) + '\t' + std::to_string(slot) + '\t' +
               PositionFields(trail.slots[static_cast<size_t>(slot)]));
    }
}

}  // namespace

bool PollLogWatch(LogWatch& watch, const std::string& path, const ReadLogOptions& options, const LineSink& onLine) {
    ReadLogStats stats;
    ReadLogOptions withStats = options;
    withStats.stats = &stats;
    WatchHooks hooks(watch, onLine);
    const bool opened = ReadLog(watch.tracking, watch.currentZoneName, path, watch.cursor, hooks, withStats);

    const ZoneRecord* record = watch.tracking.Current();
    if (record && stats.currentPositions > 0) {
        const int fresh = static_cast<int>(std::min<std::uint64_t>(stats.currentPositions,
                                                                    static_cast<std::uint64_t>(record->current.count)));
        for (int slot = fresh - 1; slot >= 0; --slot) {
            onLine("loc\t" + PositionFields(record->current.slots[static_cast<size_t>(slot)]));
        }
    }
    return opened;
}

void DescribeLogWatch(const LogWatch& watch, const LineSink& onLine) {
    onLine("offset\t" + std::to_string(watch.cursor.offset));
    onLine("current\t" + watch.currentZoneName);
    const ZoneRecordTable& table = watch.tracking.table;
    for (int i = 0; i < table.recordsInUse; ++i) {
        const ZoneRecord& record = table.storage[static_cast<size_t>(i)];
        onLine("record\t" + std::to_string(i) + '\t' + std::to_string(record.current.count) + '\t' +
               std::to_string(record.returns.count) + '\t' + record.name);
        DescribeTrail("cur", i, record.current, onLine);
        DescribeTrail("ret", i, record.returns, onLine);
    }
}

}  // namespace tolvik
