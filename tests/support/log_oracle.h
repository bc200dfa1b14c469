// The log scan done the simple way: the whole new text in one piece, each
// phrase found with a plain text search. The log reader's block scanner
// must give the same results for every way the text is cut into blocks and
// polls; the tests and the fuzz target compare the two.
#pragma once

#include <string>

#include "log/log_reader.h"
#include "log/zone_records.h"

namespace tolvik::oracle {

// Scans one whole new text: switches the Current Zone Record at each zone
// change (resetting its current-position trail), records positions, reports
// each death whose message begins a line through hooks.MarkCorpse, and
// leaves the last zone name met in `zoneName`.
void ScanLogText(ZoneTracking& tracking, const char* begin, const char* end, std::string& zoneName, LogHooks& hooks);

}  // namespace tolvik::oracle
