// Paths as plain text: separators, folders and whether a file is there.
// Both separators are understood; a folder made here ends with the
// separator its path already uses.
#pragma once

#include <string>

namespace tolvik {

bool IsSeparator(char c);

// The separator a path uses: a backslash unless it only has slashes.
char SeparatorOf(const std::string& path);

// `folder` ending with a separator (unchanged when empty or already ending
// with one).
std::string WithTrailingSeparator(std::string folder);

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// Drive and directory of `path`, ending with its last separator ('\\' or
// '/'); empty when the path has no separator.
std::string FolderOfPath(const std::string& path);

}  // namespace tolvik
