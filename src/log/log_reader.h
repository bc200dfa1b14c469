// Following the game's chat log: each read consumes the complete lines that
// were appended since the previous read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/log_cursor.h"
#include "log/zone_records.h"

namespace tolvik {

// What the reader tells the window when a read ends in another zone.
class LogHooks {
public:
    virtual ~LogHooks() = default;
    // Shows the zone the player is in (field "You are in").
    virtual void ShowZoneName(const std::string& zone) = 0;
    // Selects the zone's map; makes it the Current Zone Name and its record
    // the Current Zone Record.
    virtual void SelectZoneMap(const std::string& zone) = 0;
    // The player died in `zone`; the corpse lies where the log last placed
    // the player there. Called for each death, in the order of the log.
    virtual void MarkCorpse(const std::string& zone, const Position& where) {}
};

// Bytes of one log file, open for the length of one read.
class LogSource {
public:
    virtual ~LogSource() = default;
    // Size of the file now, or false if it cannot be taken.
    virtual bool Size(std::uint64_t& size) = 0;
    // Reads up to n bytes at offset; returns the number of bytes read.
    virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) = 0;
    // Which file is open; false when the source cannot tell.
    virtual bool Identity(LogIdentity& identity) { return false; }
};

// Opens a log for reading, or returns null when it cannot be opened.
using LogOpener = std::function<std::unique_ptr<LogSource>(const std::string& path)>;

// Portable opener over the C library's file functions (64-bit offsets).
std::unique_ptr<LogSource> OpenStdLogSource(const std::string& path);

// What one read did, for tools and tests.
struct ReadLogStats {
    std::uint64_t bytesConsumed = 0;     // the Log Read Offset's advance
    std::uint64_t zoneChanges = 0;       // zone change lines that switched the record
    std::uint64_t currentPositions = 0;  // positions that became current positions
    std::uint64_t returnPositions = 0;   // positions pushed onto a return trail
    std::uint64_t corpses = 0;           // deaths reported through MarkCorpse
    bool restarted = false;              // another file had taken the log's place
};

struct ReadLogOptions {
    LogOpener open = OpenStdLogSource;
    // Bytes read and scanned at a time: small enough for the processor's
    // cache to hold what was just read while it is scanned.
    std::size_t blockSize = std::size_t{256} << 10;
    ReadLogStats* stats = nullptr;                 // filled when given
};

// Reads what was appended to the log at `path` since the cursor's offset,
// or the whole file when another file has taken its place; see
// log_reader.cpp. Returns true when the file could be opened and its size
// taken; otherwise nothing changes.
bool ReadLog(ZoneTracking& tracking, const std::string& currentZoneName, const std::string& path,
             LogCursor& cursor, LogHooks& hooks, const ReadLogOptions& options = {});

}  // namespace tolvik
