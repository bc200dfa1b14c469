// The newest log of a folder, by the system's wildcard search.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "log/discovery.h"

namespace tolvik {

int FindNewestLog(const std::string& folder, std::string& out) {
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((folder + "*.txt").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    std::uint64_t best = 0;
    do {
        // The game's own "dbg.txt" and folders are not logs.
        if (std::strcmp(entry.cFileName, "dbg.txt") == 0) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ++count;
        const std::uint64_t written =
            (static_cast<std::uint64_t>(entry.ftLastWriteTime.dwHighDateTime) << 32) | entry.ftLastWriteTime.dwLowDateTime;
        // Ties keep the entry the search returned first.
        if (written > best) {
            best = written;
            out = folder + entry.cFileName;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

}  // namespace tolvik
