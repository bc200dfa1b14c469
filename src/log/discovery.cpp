#include "log/discovery.h"

#include "base/paths.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace tolvik {
namespace {

// Length of the root of an absolute path ("C:\", "\\server\share\", "\",
// "/"), or 0 for a relative path.
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') {
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // UNC: the server and share names belong to the root.
        std::size_t i = 2;
        for (int names = 0; names < 2 && i < path.size(); ++names) {
            while (i < path.size() && !IsSeparator(path[i])) ++i;
            if (i < path.size()) ++i;
        }
        return i;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

// The absolute form of a folder path ending with a separator, with "." and
// ".." steps resolved by the text alone, as the system's full-path function
// does; a relative path is taken from the current folder.
std::string FullFolderPath(const std::string& folder) {
    std::string path = folder;
    if (RootLength(path) == 0) {
        std::error_code ec;
        std::string current = std::filesystem::current_path(ec).string();
        if (ec) return {};
        if (current.empty() || !IsSeparator(current.back())) current += SeparatorOf(current);
        path = current + path;
    }
    const char sep = SeparatorOf(path);
    const std::size_t rootLength = RootLength(path);
    std::string root = path.substr(0, rootLength);
    for (char& c : root) {
        if (IsSeparator(c)) c = sep;
    }
    if (rootLength == 2) root += sep;  // "C:" alone names the drive's root here

    std::vector<std::string> steps;
    std::size_t i = rootLength;
    while (i < path.size()) {
        std::size_t j = i;
        while (j < path.size() && !IsSeparator(path[j])) ++j;
        const std::string step = path.substr(i, j - i);
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        i = j + 1;
    }
    std::string out = root;
    for (const std::string& step : steps) out += step + sep;
    return out;
}

}  // namespace

void DeriveLogFolder(const std::string& logFile, std::string& logFolder) {
    if (FileExists(logFile)) logFolder = FolderOfPath(logFile);
}

void FindGameMapsFolder(std::string& vectorMapFolder, const std::string& logFile, std::string& logFolder) {
    if (FolderExists(vectorMapFolder)) return;
    DeriveLogFolder(logFile, logFolder);
    if (!FolderExists(logFolder)) return;
    std::string base = logFolder;
    const char sep = SeparatorOf(base);
    if (!IsSeparator(base.back())) base += sep;
    const std::string maps = FullFolderPath(base + ".." + sep + "maps" + sep);
    // The system's full path holds at most 259 characters.
    if (maps.empty() || maps.size() > 259) return;
    if (FolderExists(maps)) vectorMapFolder = maps;
}

#ifndef _WIN32

// There is no installation record of the game outside Windows.
void FindGameLogFolder(std::string& out) { out.clear(); }

namespace {

bool EndsWithTxt(const std::string& name) {
    if (name.size() < 4) return false;
    const char* ext = ".txt";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = name[name.size() - 4 + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ext[i]) return false;
    }
    return true;
}

}  // namespace

int FindNewestLog(const std::string& folder, std::string& out) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return 0;
    int count = 0;
    bool haveBest = false;
    fs::file_time_type best{};
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        // Like the system's "*.txt" search; the game's own "dbg.txt" and
        // folders are not logs.
        if (!EndsWithTxt(name) || name == "dbg.txt") continue;
        std::error_code entryError;
        if (it->is_directory(entryError)) continue;
        const fs::file_time_type written = it->last_write_time(entryError);
        if (entryError) continue;
        ++count;
        // Ties keep the entry met first.
        if (!haveBest || written > best) {
            best = written;
            haveBest = true;
            out = folder + name;
        }
    }
    return count;
}

#endif  // !_WIN32

}  // namespace tolvik
