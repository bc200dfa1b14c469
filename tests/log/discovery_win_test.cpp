// Finding the game's folders and the newest log with Windows paths and the
// system's own registry and wildcard search.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "log/discovery.h"
#include "log/log_win_test_support.h"

namespace tolvik {
namespace {

using testing::MakeFile;
using testing::WinTempFolder;

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
    WinTempFolder logs("newest");
    std::string out = "previous";
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 0);  // empty folder
    EXPECT_EQ(FindNewestLog(logs / "missing\\", out), 0);
    EXPECT_EQ(out, "previous");
    MakeFile(logs / "a.txt", "a", 0);
    MakeFile(logs / "b.txt", "b", 5);
    MakeFile(logs / "dbg.txt", "d", 10);
    MakeFile(logs / "c.log", "c", 20);
    MakeFile(logs / "x.txt", "", 30, true);
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 2);
    EXPECT_EQ(out, logs / "b.txt");
    DeleteFileA((logs / "dbg.txt").c_str());  // names are one file in any case here
    MakeFile(logs / "DBG.txt", "d", 10);      // only the exact name "dbg.txt" is skipped
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 3);
    EXPECT_EQ(out, logs / "DBG.txt");

    // Ties keep the entry the search returns first.
    WinTempFolder ties("ties");
    for (const char* name : {"m.txt", "k.txt", "z.txt"}) MakeFile(ties / name, name, 7);
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((ties / "*.txt").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(FindNewestLog(ties.Folder(), out), 3);
    EXPECT_EQ(out, ties / entry.cFileName);
}

TEST(DiscoveryWin, FoldersAndFilesWithBackslashes) {
    WinTempFolder game("game");
    CreateDirectoryA((game / "logs").c_str(), nullptr);
    const std::string log = game / "logs\\eqlog_A_b.txt";
    MakeFile(log, "", 0);
    EXPECT_TRUE(FileExists(log));
    EXPECT_FALSE(FileExists(game / "logs\\") || FileExists("C:\\"));
    EXPECT_TRUE(FolderExists(game / "logs\\") && FolderExists(game / "logs") && FolderExists("C:\\"));

    // A missing program maps folder is replaced by the game's maps folder,
    // found from the log file or from the Log Folder alone.
    std::string vector = game / "Tolvik\\VURavaZiro\\";
    std::string logFolder;
    FindGameMapsFolder(vector, log, logFolder);
    EXPECT_EQ(logFolder, game / "logs\\");
    EXPECT_EQ(vector, game / "Tolvik\\VURavaZiro\\");  // no maps folder yet
    CreateDirectoryA((game / "maps").c_str(), nullptr);
    FindGameMapsFolder(vector, log, logFolder);
    EXPECT_EQ(vector, game / "maps\\");
    vector = game / "Tolvik\\VURavaZiro\\";
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, game / "maps\\");
}

}  // namespace
}  // namespace tolvik
