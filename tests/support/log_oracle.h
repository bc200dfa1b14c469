// The log scan done the simple way: the whole new text in one piece, each
// phrase found with a plain text search. The log reader's block scanner
// must give the same results for every way the text is cut into blocks and
// polls; the tests and the fuzz target compare the two.
#pragma once

#include <string>

#include "log/log_reader.h"
#include "log/zone_records.h"

namespace tolvik::oracle {

// Returns the position of the next zone change mark in [start, end), or end
// when there is none. A zone change mark is a "You have entered " whose line
// is a zone change: not the arena notice, and a rest before its line feed of
// 2 to 255 characters. With a record: pushes the last position before the
// first "Returning to " of [start, mark) onto its return trail (unless that
// position begins right at start), and, when no zone change follows, every
// position of [start, end) onto its current-position trail.
const char* ScanToNextZoneMark(const char* start, const char* end, ZoneRecord* record);

// Scans one whole new text: switches the Current Zone Record at each zone
// change (resetting its current-position trail), records positions, reports
// each death whose message begins a line through hooks.MarkCorpse, and
// leaves the last zone name met in `zoneName`.
void ScanLogText(ZoneTracking& tracking, const char* begin, const char* end, std::string& zoneName, LogHooks& hooks);

}  // namespace tolvik::oracle
