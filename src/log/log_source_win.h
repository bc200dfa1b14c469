// Opening the game's log on Windows without ever blocking the game's writes.
#pragma once

#include <memory>
#include <string>

#include "log/log_reader.h"

namespace tolvik {

// Opens the log for reading with read, write and delete sharing, so that the
// game can go on writing (and the user can delete or rename the file) while
// we read; sizes and offsets are 64-bit; the identity is the file index.
// Null when the file cannot be opened.
std::unique_ptr<LogSource> OpenWinLogSource(const std::string& path);

}  // namespace tolvik
