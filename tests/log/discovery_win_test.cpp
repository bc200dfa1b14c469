// Finding the game's folders and the newest log with Windows paths and the
// system's own registry and wildcard search.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/discovery.h"
#include "log/log_win_test_support.h"

namespace tolvik {
namespace {

using testing::MakeFile;
using testing::MakeFolder;
using testing::WinTempFolder;

constexpr const char* kGameKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EverQuest.exe";

// Sets the game's installation record for one test and puts back what was
// there before.
class GameRecord {
public:
    GameRecord() {
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                            &disposition) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        DWORD size = 0;
        if (RegQueryValueExA(key_, "Path", nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
            old_.resize(size);
            hadValue_ = RegQueryValueExA(key_, "Path", nullptr, &oldType_, old_.data(), &size) == ERROR_SUCCESS;
        }
    }
    ~GameRecord() {
        if (!key_) return;
        if (hadValue_) {
            RegSetValueExA(key_, "Path", 0, oldType_, old_.data(), static_cast<DWORD>(old_.size()));
        } else {
            RegDeleteValueA(key_, "Path");
        }
        RegCloseKey(key_);
        if (createdKey_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKey);
    }
    bool Ready() const { return key_ != nullptr; }
    void Set(const std::string& path) {
        RegSetValueExA(key_, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>(path.size() + 1));
    }
    void Remove() { RegDeleteValueA(key_, "Path"); }

private:
    HKEY key_ = nullptr;
    bool createdKey_ = false;
    bool hadValue_ = false;
    DWORD oldType_ = REG_SZ;
    std::vector<BYTE> old_;
};

TEST(GameLogFolderWin, FromTheInstallationRecord) {
    GameRecord record;
    ASSERT_TRUE(record.Ready());
    std::string out = "stale";
    record.Set("E:\\Game");
    FindGameLogFolder(out);
    EXPECT_EQ(out, "E:\\Game\\logs\\");
    record.Set("E:\\Game\\");
    FindGameLogFolder(out);
    EXPECT_EQ(out, "E:\\Game\\logs\\");

    // No usable record: an empty folder.
    record.Set("");
    FindGameLogFolder(out);
    EXPECT_EQ(out, "");
    record.Set(std::string(300, 'x'));  // longer than 260 bytes
    out = "stale";
    FindGameLogFolder(out);
    EXPECT_EQ(out, "");
    record.Remove();
    out = "stale";
    FindGameLogFolder(out);
    EXPECT_EQ(out, "");
}

TEST(NewestLogWin, NewestCandidateByTheSystemSearch) {
    WinTempFolder logs("newest");
    MakeFile(logs / "a.txt", "a", 0);
    MakeFile(logs / "b.txt", "b", 5);
    MakeFile(logs / "dbg.txt", "d", 10);
    MakeFile(logs / "c.log", "c", 20);
    MakeFolder(logs / "x.txt", 30);
    std::string out;
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 2);
    EXPECT_EQ(out, logs / "b.txt");

    WinTempFolder empty("empty");
    out = "previous";
    EXPECT_EQ(FindNewestLog(empty.Folder(), out), 0);
    EXPECT_EQ(FindNewestLog(empty / "missing\\", out), 0);
    EXPECT_EQ(out, "previous");
}

TEST(NewestLogWin, OnlyTheExactNameDbgTxtIsSkipped) {
    WinTempFolder logs("dbg");
    MakeFile(logs / "a.txt", "a", 0);
    MakeFile(logs / "DBG.txt", "d", 10);
    std::string out;
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 2);
    EXPECT_EQ(out, logs / "DBG.txt");
}

TEST(NewestLogWin, TiesKeepTheEntryTheSearchReturnsFirst) {
    WinTempFolder logs("ties");
    for (const char* name : {"m.txt", "k.txt", "z.txt"}) MakeFile(logs / name, name, 7);
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((logs / "*.txt").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    const std::string first = entry.cFileName;
    FindClose(search);
    std::string out;
    EXPECT_EQ(FindNewestLog(logs.Folder(), out), 3);
    EXPECT_EQ(out, logs / first);
}

TEST(DiscoveryWin, FoldersAndFilesWithBackslashes) {
    WinTempFolder game("game");
    CreateDirectoryA((game / "logs").c_str(), nullptr);
    MakeFile(game / "logs\\eqlog_A_b.txt", "", 0);
    EXPECT_TRUE(FileExists(game / "logs\\eqlog_A_b.txt"));
    EXPECT_FALSE(FileExists(game / "logs\\"));
    EXPECT_TRUE(FolderExists(game / "logs\\"));
    EXPECT_TRUE(FolderExists(game / "logs"));
    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_FALSE(FileExists("C:\\"));

    // A missing program maps folder is replaced by the game's maps folder.
    std::string vector = game / "Tolvik\\VURavaZiro\\";
    std::string logFolder;
    FindGameMapsFolder(vector, game / "logs\\eqlog_A_b.txt", logFolder);
    EXPECT_EQ(logFolder, game / "logs\\");
    EXPECT_EQ(vector, game / "Tolvik\\VURavaZiro\\");  // no maps folder yet
    CreateDirectoryA((game / "maps").c_str(), nullptr);
    FindGameMapsFolder(vector, game / "logs\\eqlog_A_b.txt", logFolder);
    EXPECT_EQ(vector, game / "maps\\");

    // The same from the Log Folder alone, as the registry gives it.
    vector = game / "Tolvik\\VURavaZiro\\";
    logFolder = game / "logs\\";
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, game / "maps\\");
}

}  // namespace
}  // namespace tolvik
