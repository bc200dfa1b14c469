// Windows helpers for the log tracking tests: a temporary folder named by
// Windows paths and files with chosen write times.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tolvik::testing {

class WinTempFolder {
public:
    explicit WinTempFolder(const char* tag) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static int serial = 0;
        folder_ = std::string(temp) + "tolvik-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount()) + "-" + std::to_string(serial++) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    ~WinTempFolder() { RemoveTree(folder_); }
    WinTempFolder(const WinTempFolder&) = delete;
    WinTempFolder& operator=(const WinTempFolder&) = delete;
    // The folder, ending with a backslash.
    const std::string& Folder() const { return folder_; }
    std::string operator/(const std::string& name) const { return folder_ + name; }

private:
    static void RemoveTree(const std::string& folder) {
        WIN32_FIND_DATAA entry{};
        const HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + name + "\\");
            else DeleteFileA((folder + name).c_str());
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        RemoveDirectoryA(folder.c_str());
    }
    std::string folder_;
};

// A file (or, with `folder`, a folder) written `minutes` after a fixed moment.
inline void MakeFile(const std::string& path, const std::string& bytes, int minutes, bool folder = false) {
    if (folder) CreateDirectoryA(path.c_str(), nullptr);
    const HANDLE file = CreateFileA(path.c_str(), folder ? FILE_WRITE_ATTRIBUTES : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    folder ? OPEN_EXISTING : CREATE_ALWAYS, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0,
                                    nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!folder) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ULARGE_INTEGER t{};
    t.QuadPart = 133500000000000000ull + static_cast<unsigned long long>(minutes) * 60ull * 10000000ull;
    const FILETIME when{t.LowPart, t.HighPart};
    SetFileTime(file, nullptr, nullptr, &when);
    CloseHandle(file);
}

}  // namespace tolvik::testing
