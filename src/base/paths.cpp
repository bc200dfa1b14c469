#include "base/paths.h"

#include <sys/stat.h>

namespace tolvik {
namespace {

// The C library's file information; a folder path may end with separators,
// which some C libraries refuse.
bool StatPath(const std::string& path, struct stat& info) {
    if (path.empty()) return false;
    std::string trimmed = path;
    while (trimmed.size() > 1 && IsSeparator(trimmed.back())) {
        // Keep the separator of a drive root ("C:\").
        if (trimmed.size() == 3 && trimmed[1] == ':') break;
        trimmed.pop_back();
    }
    return stat(trimmed.c_str(), &info) == 0;
}

}  // namespace

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char SeparatorOf(const std::string& path) {
    return path.find('\\') == std::string::npos && path.find('/') != std::string::npos ? '/' : '\\';
}

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && !IsSeparator(folder.back())) folder += SeparatorOf(folder);
    return folder;
}

bool FileExists(const std::string& path) {
    // A path ending with a separator names a folder, never a file.
    if (path.empty() || IsSeparator(path.back())) return false;
    struct stat info {};
    return StatPath(path, info) && (info.st_mode & S_IFMT) != S_IFDIR;
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) && (info.st_mode & S_IFMT) == S_IFDIR;
}

std::string FolderOfPath(const std::string& path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

}  // namespace tolvik
