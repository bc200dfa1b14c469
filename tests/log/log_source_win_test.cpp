// Reading a log that the game holds open for writing.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "log/log_reader.h"
#include "log/log_source_win.h"
#include "log/log_test_support.h"

namespace tolvik {
namespace {

using testing::Follower;

const std::string kZoneLine = "[Mon Jan 01 12:00:00 2024] You have entered Greater Faydark.\r\n";
const std::string kLocLine = "[Mon Jan 01 12:00:01 2024] Your Location is 1534.56, -220.13, 3.75\r\n";

// Opens the log as the game does: for writing, others may only read.
HANDLE OpenLikeTheGame(const std::string& path, DWORD creation) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Append(HANDLE file, const std::string& text) {
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

TEST(WinLogSource, OffsetsPastFourGibibytes) {
    testing::TempFolder folder;
    const std::string path = folder.File("big.txt");
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER hole{};
    hole.QuadPart = (LONGLONG{5} << 30) + 1;
    const bool appended = SetFilePointerEx(file, hole, nullptr, FILE_BEGIN) && SetEndOfFile(file) &&
                          Append(file, "\n" + kZoneLine + kLocLine);
    CloseHandle(file);
    if (!appended) GTEST_SKIP() << "no room for a sparse file of 5 GiB";
    Follower f;
    f.cursor.offset = static_cast<std::uint64_t>(hole.QuadPart);
    EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
    EXPECT_EQ(f.zone, "Greater Faydark");
    EXPECT_EQ(f.cursor.offset, static_cast<std::uint64_t>(hole.QuadPart) + 1 + kZoneLine.size() + kLocLine.size());
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);
}

// A file with the same first bytes moved over the log is told by its
// identity, and read from its start.
TEST(WinLogSource, FileMovedOverTheLogIsReadFromItsStart) {
    testing::TempFolder folder;
    const std::string path = folder.File("eqlog_A_b.txt"), other = folder.File("eqlog_A_b.new");
    testing::WriteFile(path, kZoneLine + kLocLine);
    const std::string loc = "[Mon Jan 01 12:00:02 2024] Your Location is 10, -20, 30\r\n";
    testing::WriteFile(other, kZoneLine + loc + loc);
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

// Another process holds the log open for writing. The child is this test
// program itself, running only the writer below.

constexpr const char* kChildPath = "TOLVIK_TEST_LOG_WRITER_PATH";
constexpr const char* kChildTag = "TOLVIK_TEST_LOG_WRITER_TAG";

std::string Variable(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(value, n) : std::string();
}

HANDLE NamedEvent(const std::string& tag, const char* which) {
    return CreateEventA(nullptr, FALSE, FALSE, ("tolvik-log-writer-" + tag + "-" + which).c_str());
}

// Runs only as the child of the test below: writes half a line, then, while
// the reader holds the log open, closes it, opens it again and finishes it.
TEST(LogWriterChild, HoldsTheLogOpenForWriting) {
    const std::string path = Variable(kChildPath), tag = Variable(kChildTag);
    if (path.empty() || tag.empty()) GTEST_SKIP() << "runs only as a child process";
    const HANDLE ready = NamedEvent(tag, "ready"), more = NamedEvent(tag, "more"), done = NamedEvent(tag, "done");
    HANDLE game = OpenLikeTheGame(path, CREATE_ALWAYS);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(Append(game, kZoneLine + kLocLine.substr(0, 40)));
    SetEvent(ready);
    WaitForSingleObject(more, 20000);
    CloseHandle(game);
    game = OpenLikeTheGame(path, OPEN_EXISTING);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(Append(game, kLocLine.substr(40)));
    SetEvent(ready);
    WaitForSingleObject(done, 20000);
    CloseHandle(game);
}

TEST(WinLogSource, ReadsALogAnotherProcessHoldsOpenForWritingAndNeverBlocksIt) {
    testing::TempFolder folder;
    const std::string path = folder.File("eqlog_A_b.txt");
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    const HANDLE ready = NamedEvent(tag, "ready"), more = NamedEvent(tag, "more"), done = NamedEvent(tag, "done");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --gtest_filter=LogWriterChild.HoldsTheLogOpenForWriting";
    SetEnvironmentVariableA(kChildPath, path.c_str());
    SetEnvironmentVariableA(kChildTag, tag.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &child);
    SetEnvironmentVariableA(kChildPath, nullptr);
    SetEnvironmentVariableA(kChildTag, nullptr);
    ASSERT_TRUE(started);

    // ASSERTs leave only the lambda, so the writer is always released below.
    [&] {
        Follower f;
        ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0) << "the writer did not start";
        EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
        EXPECT_EQ(f.zone, "Greater Faydark");
        EXPECT_EQ(f.cursor.offset, kZoneLine.size());  // the unfinished line waits
        std::unique_ptr<LogSource> held = OpenWinLogSource(path);
        EXPECT_TRUE(held);
        SetEvent(more);
        ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0) << "the writer did not finish its line";
        std::uint64_t size = 0;
        EXPECT_TRUE(held && held->Size(size));
        EXPECT_EQ(size, kZoneLine.size() + kLocLine.size());
        held.reset();
        EXPECT_TRUE(f.Read(path, {OpenWinLogSource}));
        ASSERT_EQ(CurrentPositionCount(f.tracking), 1);
        EXPECT_FLOAT_EQ(f.tracking.Current()->current.slots[0].x, -220.13f);
        EXPECT_EQ(f.cursor.offset, kZoneLine.size() + kLocLine.size());
    }();
    SetEvent(done);
    if (WaitForSingleObject(child.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the writer was blocked";
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    for (HANDLE h : {ready, more, done}) CloseHandle(h);
}

}  // namespace
}  // namespace tolvik
