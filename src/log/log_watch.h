// Following one log from its start as the main window does, without a
// window: the state tolvik-log keeps and the lines it prints.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "log/log_reader.h"
#include "log/zone_records.h"

namespace tolvik {

struct LogWatch {
    ZoneTracking tracking;        // no Current Zone Record at first
    std::string currentZoneName;  // the selected zone; empty at first
    LogCursor cursor;             // Log Read Offset and the file it belongs to
    bool reportCorpses = false;   // report deaths as they are read
};

using LineSink = std::function<void(const std::string& line)>;

// One read of the log. When the read ends in a zone other than the selected
// one, that zone is selected (its name becomes the Current Zone Name, its
// record the Current Zone Record) and "zone\tNAME" is reported; then each
// position that became current is reported as "loc\tX\tY\tZ", oldest first
// (at most the 23 a trail keeps). With reportCorpses, each death is reported
// as "corpse\tZONE\tX\tY\tZ" as it is read. Returns ReadLog's result.
bool PollLogWatch(LogWatch& watch, const std::string& path, const ReadLogOptions& options, const LineSink& onLine);

// The whole state: "offset\tN", "current\tNAME", then for each record in
// table order "record\ti\tcurrentCount\treturnCount\tNAME" followed by its
// "cur\ti\tslot\tX\tY\tZ" and "ret\ti\tslot\tX\tY\tZ" lines.
void DescribeLogWatch(const LogWatch& watch, const LineSink& onLine);

}  // namespace tolvik
