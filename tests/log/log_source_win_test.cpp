// Logs on Windows: reading a log the game holds open, and finding the game's folders and the newest log.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "log/discovery.h"
#include "log/log_reader.h"
#include "log/log_source_win.h"
#include "log/log_test_support.h"
#include "log/newest_log_cases.h"

namespace tolvik {
namespace {

using testing::Follower;

const std::string kZoneLine = "[Mon Jan 01 12:00:00 2024] You have entered Greater Faydark.\r\n";
const std::string kLocLine = "[Mon Jan 01 12:00:01 2024] Your Location is 1534.56, -220.13, 3.75\r\n";

// Opens the log as the game does: for writing, others may only read.
HANDLE OpenLikeTheGame(const std::string& path, DWORD creation, DWORD share = FILE_SHARE_READ) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Append(HANDLE file, const std::string& text) {
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

TEST(WinLogSource, OffsetsPastFourGibibytes) {
    test::TempFolder folder("winlog");
    const std::string path = folder / "big.txt";
    const HANDLE file = OpenLikeTheGame(path, CREATE_ALWAYS, 0);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    const LARGE_INTEGER hole{.QuadPart = (LONGLONG{5} << 30) + 1};
    const bool appended = SetFilePointerEx(file, hole, nullptr, FILE_BEGIN) && SetEndOfFile(file) &&
                          Append(file, "\n" + kZoneLine + kLocLine);
    CloseHandle(file);
    if (!appended) GTEST_SKIP() << "no room for a sparse file of 5 GiB";
    Follower f;
    f.cursor.offset = static_cast<std::uint64_t>(hole.QuadPart);
    EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
    EXPECT_EQ(std::pair(f.zone, CurrentPositionCount(f.tracking)), std::pair(std::string("Greater Faydark"), 1));
    EXPECT_EQ(f.cursor.offset, static_cast<std::uint64_t>(hole.QuadPart) + 1 + kZoneLine.size() + kLocLine.size());
}

// A file with the same first bytes moved over the log is told by its identity and read from its start.
TEST(WinLogSource, FileMovedOverTheLogIsReadFromItsStart) {
    test::TempFolder folder("winlog");
    const std::string path = folder / "eqlog_A_b.txt", other = folder / "eqlog_A_b.new";
    test::WriteFile(path, kZoneLine + kLocLine);
    const std::string loc = "[Mon Jan 01 12:00:02 2024] Your Location is 10, -20, 30\r\n";
    test::WriteFile(other, kZoneLine + loc + loc);
    LogIdentity before, moved;
    ASSERT_TRUE(OpenWinLogSource(other)->Identity(moved));
    Follower f;
    ASSERT_TRUE(f.Read(path, {OpenWinLogSource}));
    ASSERT_TRUE(OpenWinLogSource(path)->Identity(before));
    EXPECT_FALSE(before == moved);
    ASSERT_TRUE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
    EXPECT_EQ(f.cursor.offset, kZoneLine.size() + 2 * loc.size());
    // The zone entered again, then both new positions.
    ASSERT_EQ(CurrentPositionCount(f.tracking), 2);
    EXPECT_FLOAT_EQ(f.tracking.Current()->current.slots[1].x, -20.0f);
}

// The game holds the log open for writing while the reader reads, and reopens it while the reader holds it.
TEST(WinLogSource, ReadsALogTheGameHoldsOpenForWritingAndNeverBlocksIt) {
    test::TempFolder folder("winlog");
    const std::string path = folder / "eqlog_A_b.txt";
    HANDLE game = OpenLikeTheGame(path, CREATE_ALWAYS);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(Append(game, kZoneLine + kLocLine.substr(0, 40)));
    Follower f;
    EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
    EXPECT_EQ(std::pair(f.zone, f.cursor.offset), std::pair(std::string("Greater Faydark"), std::uint64_t{kZoneLine.size()}));  // the unfinished line waits
    std::unique_ptr<LogSource> held = OpenWinLogSource(path);
    ASSERT_TRUE(held);
    CloseHandle(game);
    game = OpenLikeTheGame(path, OPEN_EXISTING);
    ASSERT_NE(game, INVALID_HANDLE_VALUE) << "the writer was blocked";
    EXPECT_TRUE(Append(game, kLocLine.substr(40)));
    std::uint64_t size = 0;
    EXPECT_TRUE(held->Size(size) && size == kZoneLine.size() + kLocLine.size()) << size;
    held.reset();
    EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
    CloseHandle(game);
    ASSERT_EQ(CurrentPositionCount(f.tracking), 1);
    EXPECT_FLOAT_EQ(f.tracking.Current()->current.slots[0].x, -220.13f);
    EXPECT_EQ(f.cursor.offset, kZoneLine.size() + kLocLine.size());
}

TEST(GameLogFolderWin, FromTheInstallationRecord) {
    // Sets the game's installation record and puts back what was there before.
    constexpr const char* kGameKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EverQuest.exe";
    HKEY key = nullptr;
    DWORD disposition = 0, oldType = REG_SZ, size = 2048;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                              &disposition), ERROR_SUCCESS);
    std::vector<BYTE> old(size);
    const bool hadValue = RegQueryValueExA(key, "Path", nullptr, &oldType, old.data(), &size) == ERROR_SUCCESS;
    // The last case removes the value; none is usable past 260 bytes.
    for (const auto& [value, folder] : {std::pair<std::string, const char*>{"E:\\Game", "E:\\Game\\logs\\"},
                                        {"E:\\Game\\", "E:\\Game\\logs\\"}, {"", ""}, {std::string(300, 'x'), ""},
                                        {"<none>", ""}}) {
        if (value == "<none>") RegDeleteValueA(key, "Path");
        else RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
        std::string out = "stale";
        FindGameLogFolder(out);
        EXPECT_EQ(out, folder) << value;
    }
    if (hadValue) RegSetValueExA(key, "Path", 0, oldType, old.data(), size);
    RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKey);
}

TEST(NewestLogWin, NewestCandidateByTheSystemSearch) { test::ExpectNewestLogRules(); }

}  // namespace
}  // namespace tolvik
