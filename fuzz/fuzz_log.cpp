// Fuzz target for the log reader: any bytes as a log, scanned in one piece by
// the test oracle and read block by block through an in-memory file with
// every scan kernel, and in two polls. Checks that every kernel and block
// size gives the result of the one whole scan, deaths included, and that no
// trail holds more than 23 positions or a position that is not finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "log/log_reader.h"
#include "log/scanner.h"
#include "log/zone_records.h"
#include "support/log_oracle.h"
#include "support/memory_log_source.h"

namespace {

using namespace tolvik;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_log: %s\n", what);
        std::abort();
    }
}

struct State {
    ZoneTracking tracking;
    std::string zone;
    LogCursor cursor;
    std::vector<std::string> corpses;  // zone and position bytes of each death
};

class Hooks final : public LogHooks {
public:
    explicit Hooks(State& state) : state_(state) {}
    void ShowZoneName(const std::string&) override {}
    void SelectZoneMap(const std::string& zone) override {
        state_.zone = zone;
        state_.tracking.currentRecord = FindOrAddZoneRecord(state_.tracking.table, zone);
    }
    void MarkCorpse(const std::string& zone, const Position& where) override {
        Check(std::isfinite(where.x) && std::isfinite(where.y) && std::isfinite(where.z), "corpse not finite");
        state_.corpses.push_back(zone + std::string(reinterpret_cast<const char*>(&where), sizeof where));
    }

private:
    State& state_;
};

void Read(State& state, const std::shared_ptr<const std::string>& text, std::size_t blockSize) {
    Hooks hooks(state);
    ReadLogOptions options;
    options.blockSize = blockSize;
    options.open = [&](const std::string&) { return std::make_unique<test::MemoryLogSource>(text); };
    const std::string current = state.zone;
    Check(ReadLog(state.tracking, current, "memory", state.cursor, hooks, options), "read failed");
}

void CheckTrail(const LocationTrail& trail) {
    Check(trail.count >= 0 && trail.count <= LocationTrail::kMaxCount, "trail count out of range");
    for (const Position& p : trail.slots) {
        Check(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z), "position not finite");
    }
}

void CheckState(const State& s) {
    Check(s.tracking.table.recordsInUse >= 0 &&
              static_cast<std::size_t>(s.tracking.table.recordsInUse) <= s.tracking.table.storage.size(),
          "records in use");
    for (const ZoneRecord& r : s.tracking.table.storage) {
        CheckTrail(r.current);
        CheckTrail(r.returns);
        Check(r.name.size() <= kLongestZoneRest, "zone name too long");
    }
}

bool SameTrail(const LocationTrail& a, const LocationTrail& b) {
    return a.count == b.count && std::memcmp(a.slots.data(), b.slots.data(), sizeof(Position) * a.slots.size()) == 0;
}

bool Same(const State& a, const State& b) {
    if (a.zone != b.zone || a.cursor.offset != b.cursor.offset || a.corpses != b.corpses ||
        a.tracking.currentRecord != b.tracking.currentRecord ||
        a.tracking.table.recordsInUse != b.tracking.table.recordsInUse) {
        return false;
    }
    for (int i = 0; i < a.tracking.table.recordsInUse; ++i) {
        const ZoneRecord& r = a.tracking.table.storage[static_cast<std::size_t>(i)];
        const ZoneRecord& q = b.tracking.table.storage[static_cast<std::size_t>(i)];
        if (r.name != q.name || !SameTrail(r.current, q.current) || !SameTrail(r.returns, q.returns)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (std::size_t{1} << 16)) return 0;
    const auto shared = std::make_shared<const std::string>(reinterpret_cast<const char*>(data), size);
    const std::string& text = *shared;

    for (int inside = 0; inside < 2; ++inside) {
        State start;
        if (inside) {
            start.zone = "Befallen";
            start.tracking.currentRecord = FindOrAddZoneRecord(start.tracking.table, start.zone);
        }

        // The whole new text in one piece, up to its last line feed.
        State whole = start;
        const std::size_t lineFeed = text.rfind('\n');
        if (lineFeed != std::string::npos) {
            std::string zone = whole.zone;
            Hooks hooks(whole);
            oracle::ScanLogText(whole.tracking, text.data(), text.data() + lineFeed + 1, zone, hooks);
            whole.cursor.offset = lineFeed + 1;
            if (zone != whole.zone) {
                whole.zone = zone;
                whole.tracking.currentRecord = FindOrAddZoneRecord(whole.tracking.table, zone);
            }
        }
        CheckState(whole);

        const ScanKernel best = ActiveScanKernel();
        for (ScanKernel kernel : kScanKernels) {
            if (!SetScanKernel(kernel)) continue;
            for (std::size_t blockSize : {1, 2, 3, 5, 16, 17, 37, 64, 4096}) {
                if (blockSize < 16 && size > 4096) continue;
                State blocks = start;
                Read(blocks, shared, blockSize);
                Check(Same(blocks, whole), "block-wise read differs from the whole scan");
            }
        }
        SetScanKernel(best);

        // Two polls: the offset only ever stops just past a line feed.
        if (size > 0) {
            State polls = start;
            const std::size_t cut = data[0] % (size + 1);
            Read(polls, std::make_shared<const std::string>(text, 0, cut), 64);
            Check(polls.cursor.offset == 0 || text[polls.cursor.offset - 1] == '\n', "offset inside a line");
            Read(polls, shared, 64);
            Check(polls.cursor.offset == whole.cursor.offset, "two polls end elsewhere");
            CheckState(polls);
        }
    }
    return 0;
}
