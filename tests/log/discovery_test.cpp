#include "log/discovery.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "log/log_test_support.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(Discovery, FileAndFolderTests) {
    TempFolder folder;
    testing::WriteFile(folder.File("log.txt"), "x\n");
    EXPECT_TRUE(FileExists(folder.File("log.txt")));
    EXPECT_FALSE(FolderExists(folder.File("log.txt")));
    EXPECT_FALSE(FileExists(folder.Path().string()));
    EXPECT_FALSE(FileExists(folder.Folder()));
    EXPECT_TRUE(FolderExists(folder.Path().string()));
    EXPECT_TRUE(FolderExists(folder.Folder()));  // with its final separator
    EXPECT_FALSE(FileExists(folder.File("missing.txt")));
    EXPECT_FALSE(FolderExists(folder.File("missing")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FolderExists(""));
}

TEST(Discovery, FolderOfPathKeepsTheLastSeparator) {
    EXPECT_EQ(FolderOfPath("E:\\Game\\Logs\\chat.txt"), "E:\\Game\\Logs\\");
    EXPECT_EQ(FolderOfPath("/home/p/logs/chat.txt"), "/home/p/logs/");
    EXPECT_EQ(FolderOfPath("E:\\Game/logs\\x/chat.txt"), "E:\\Game/logs\\x/");
    EXPECT_EQ(FolderOfPath("E:\\Game\\"), "E:\\Game\\");
    EXPECT_EQ(FolderOfPath("chat.txt"), "");
}

TEST(Discovery, LogFolderFollowsOnlyAnExistingLogFile) {
    TempFolder folder;
    const std::string log = folder.File("eqlog_A_b.txt");
    testing::WriteFile(log, "");
    std::string logFolder = "kept";
    DeriveLogFolder(folder.File("missing.txt"), logFolder);
    EXPECT_EQ(logFolder, "kept");
    DeriveLogFolder("", logFolder);
    EXPECT_EQ(logFolder, "kept");
    DeriveLogFolder(log, logFolder);
    EXPECT_EQ(logFolder, folder.Folder());
}

TEST(Discovery, GameMapsFolderBesideTheLogs) {
    TempFolder game;
    fs::create_directories(game.Path() / "logs");
    const std::string logs = game.Folder() + "logs" + static_cast<char>(fs::path::preferred_separator);
    const std::string program = game.Folder() + "Tolvik" + static_cast<char>(fs::path::preferred_separator);
    const std::string ownMaps = program + "VURavaZiro" + static_cast<char>(fs::path::preferred_separator);

    // No maps folder beside the logs: nothing changes.
    std::string vector = ownMaps;
    std::string logFolder = logs;
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, ownMaps);

    fs::create_directories(game.Path() / "maps");
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, game.Folder() + "maps" + static_cast<char>(fs::path::preferred_separator));

    // The program's own folder, when present, is never replaced.
    fs::create_directories(ownMaps);
    vector = ownMaps;
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, ownMaps);
}

TEST(Discovery, GameMapsFolderFromTheLogFileAndWithSlashes) {
    TempFolder game;
    fs::create_directories(game.Path() / "a" / "logs");
    fs::create_directories(game.Path() / "a" / "maps");
    const std::string root = game.Path().generic_string();  // forward slashes
    testing::WriteFile(root + "/a/logs/eqlog.txt", "");
    std::string vector = root + "/missing/";
    std::string logFolder;
    FindGameMapsFolder(vector, root + "/a/logs/eqlog.txt", logFolder);
    EXPECT_EQ(logFolder, root + "/a/logs/");
    EXPECT_TRUE(FolderExists(vector)) << vector;
    EXPECT_EQ(fs::path(vector).parent_path().filename().string(), "maps");
    EXPECT_EQ(vector.find(".."), std::string::npos);
}

#ifndef _WIN32

TEST(Discovery, NoGameRecordOutsideWindows) {
    std::string out = "x";
    FindGameLogFolder(out);
    EXPECT_EQ(out, "");
}

class NewestLog : public ::testing::Test {
protected:
    TempFolder folder;
    const fs::file_time_type base = fs::file_time_type::clock::now() - std::chrono::hours(1);

    void Make(const std::string& name, int minutes) {
        testing::WriteFile(folder.File(name), name);
        fs::last_write_time(folder.File(name), base + std::chrono::minutes(minutes));
    }
};

TEST_F(NewestLog, NewestCandidateExceptDbgTxt) {
    Make("a.txt", 0);
    Make("b.txt", 5);
    Make("dbg.txt", 10);
    Make("notes.log", 20);
    std::string out;
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 2);
    EXPECT_EQ(out, folder.Folder() + "b.txt");

    // Only the exact name is the game's own; the match of ".txt" ignores case.
    Make("DBG.txt", 15);
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 3);
    EXPECT_EQ(out, folder.Folder() + "DBG.txt");
    Make("C.TXT", 16);
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 4);
    EXPECT_EQ(out, folder.Folder() + "C.TXT");
}

TEST_F(NewestLog, TiesKeepTheEntryFoundFirst) {
    Make("x.txt", 3);
    Make("y.txt", 3);
    Make("z.txt", 3);
    std::string first;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        first = entry.path().filename().string();
        break;
    }
    std::string out;
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 3);
    EXPECT_EQ(out, folder.Folder() + first);
}

TEST_F(NewestLog, FoldersAreNotLogs) {
    Make("a.txt", 0);
    fs::create_directories(folder.Path() / "x.txt");
    fs::last_write_time(folder.Path() / "x.txt", base + std::chrono::minutes(30));
    std::string out;
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 1);
    EXPECT_EQ(out, folder.Folder() + "a.txt");
}

TEST_F(NewestLog, NoCandidateLeavesTheOutputAlone) {
    std::string out = "previous";
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 0);
    Make("dbg.txt", 0);
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 0);
    EXPECT_EQ(FindNewestLog(folder.File("missing") + "/", out), 0);
    EXPECT_EQ(out, "previous");
}

#endif  // !_WIN32

}  // namespace
}  // namespace tolvik
