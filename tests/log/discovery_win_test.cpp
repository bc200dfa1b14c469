// Finding the game's folders and the newest log with Windows paths and the
// system's own registry and wildcard search.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "log/discovery.h"
#include "log/log_test_support.h"

namespace tolvik {
namespace {

// A file (or, with `folder`, a folder) written `minutes` after a fixed moment.
void MakeFile(const std::string& path, int minutes, bool folder = false) {
    if (folder) CreateDirectoryA(path.c_str(), nullptr);
    const HANDLE file = CreateFileA(path.c_str(), folder ? FILE_WRITE_ATTRIBUTES : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    folder ? OPEN_EXISTING : CREATE_ALWAYS, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!folder) WriteFile(file, "x", 1, &written, nullptr);
    ULARGE_INTEGER t{};
    t.QuadPart = 133500000000000000ull + static_cast<unsigned long long>(minutes) * 600000000ull;
    const FILETIME when{t.LowPart, t.HighPart};
    SetFileTime(file, nullptr, nullptr, &when);
    CloseHandle(file);
}

constexpr const char* kGameKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EverQuest.exe";

TEST(GameLogFolderWin, FromTheInstallationRecord) {
    // Sets the game's installation record and puts back what was there before.
    HKEY key = nullptr;
    DWORD disposition = 0, oldType = REG_SZ, size = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    std::vector<BYTE> old;
    bool hadValue = RegQueryValueExA(key, "Path", nullptr, &oldType, nullptr, &size) == ERROR_SUCCESS;
    old.resize(size);
    hadValue = hadValue && RegQueryValueExA(key, "Path", nullptr, &oldType, old.data(), &size) == ERROR_SUCCESS;

    struct Case {
        std::string value;
        const char* folder;
    };
    for (const Case& c : {Case{"E:\\Game", "E:\\Game\\logs\\"}, Case{"E:\\Game\\", "E:\\Game\\logs\\"},
                          Case{"", ""}, Case{std::string(300, 'x'), ""}}) {  // none usable past 260 bytes
        RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value.c_str()),
                       static_cast<DWORD>(c.value.size() + 1));
        std::string out = "stale";
        FindGameLogFolder(out);
        EXPECT_EQ(out, c.folder) << c.value;
    }
    RegDeleteValueA(key, "Path");
    std::string out = "stale";
    FindGameLogFolder(out);
    EXPECT_EQ(out, "");

    if (hadValue) RegSetValueExA(key, "Path", 0, oldType, old.data(), static_cast<DWORD>(old.size()));
    RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKey);
}

TEST(NewestLogWin, NewestCandidateByTheSystemSearch) {
    testing::TempFolder logs;
    std::string out = "previous";
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 0);  // empty folder
    EXPECT_EQ(FindNewestLog(logs.File("missing") + "\\", out), 0);
    EXPECT_EQ(out, "previous");
    MakeFile(logs.File("a.txt"), 0);
    MakeFile(logs.File("b.txt"), 5);
    MakeFile(logs.File("dbg.txt"), 10);
    MakeFile(logs.File("c.log"), 20);
    MakeFile(logs.File("x.txt"), 30, true);
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 2);
    EXPECT_EQ(out, logs.File("b.txt"));
    DeleteFileA(logs.File("dbg.txt").c_str());  // names are one file in any case here
    MakeFile(logs.File("DBG.txt"), 10);  // only the exact name "dbg.txt" is skipped
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 3);
    EXPECT_EQ(out, logs.File("DBG.txt"));

    // Ties keep the entry the search returns first.
    testing::TempFolder ties;
    for (const char* name : {"m.txt", "k.txt", "z.txt"}) MakeFile(ties.File(name), 7);
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA(ties.File("*.txt").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(FindNewestLog(ties.Folder(), out), 3);
    EXPECT_EQ(out, ties.File(entry.cFileName));
}

}  // namespace
}  // namespace tolvik
