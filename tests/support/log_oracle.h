// The log scan done the simple way: the whole new text in one piece, each phrase found with a plain text search.
// The block scanner must give the same results however the text is cut; the tests and the fuzz target compare them.
#pragma once

#include <string>

#include "log/log_reader.h"
#include "log/zone_records.h"

namespace tolvik::oracle {

// Switches the current zone record at each zone change (emptying its current-position trail), records positions,
// reports each death whose message begins a line through hooks.MarkCorpse, leaves the last zone name in `zoneName`.
void ScanLogText(ZoneTracking& tracking, const char* begin, const char* end, std::string& zoneName, LogHooks& hooks);

}  // namespace tolvik::oracle
