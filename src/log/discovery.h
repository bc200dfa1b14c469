// Finding the game's logs and maps folders and the newest log.
#pragma once

#include <string>

#include "base/paths.h"

namespace tolvik {

// The game's logs folder from its installation record ("<Path>\logs\"), or an
// empty text. Reads the registry on Windows; elsewhere there is no record.
void FindGameLogFolder(std::string& out);

// Writes folder + name of the newest "*.txt" in `folder` (except "dbg.txt")
// into `out` and returns the number of candidates; `out` is left unchanged
// when there is none. `folder` ends with a separator.
int FindNewestLog(const std::string& folder, std::string& out);

// Sets `logFolder` to the folder of `logFile` when that names an existing file.
void DeriveLogFolder(const std::string& logFile, std::string& logFolder);

// When `vectorMapFolder` is not an existing folder, points it at the game's
// "maps" folder beside the Log Folder, if that exists.
void FindGameMapsFolder(std::string& vectorMapFolder, const std::string& logFile, std::string& logFolder);

}  // namespace tolvik
