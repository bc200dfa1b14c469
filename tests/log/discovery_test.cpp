#include "log/discovery.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <chrono>
#include <filesystem>
#include <string>

#include "log/log_test_support.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(Discovery, FilesFoldersAndTheLogFolder) {
    TempFolder folder;
    const std::string log = folder.File("eqlog_A_b.txt");
    testing::WriteFile(log, "x\n");
    EXPECT_TRUE(FileExists(log));
    EXPECT_FALSE(FolderExists(log));
    for (const std::string& name : {folder.Path().string(), folder.Folder()}) {  // with and without separator
        EXPECT_FALSE(FileExists(name));
        EXPECT_TRUE(FolderExists(name));
    }
    EXPECT_FALSE(FileExists(folder.File("missing.txt")) || FolderExists(folder.File("missing")));
    EXPECT_FALSE(FileExists("") || FolderExists(""));

    EXPECT_EQ(FolderOfPath("E:\\Game\\Logs\\chat.txt"), "E:\\Game\\Logs\\");
    EXPECT_EQ(FolderOfPath("E:\\Game/logs\\x/chat.txt"), "E:\\Game/logs\\x/");
    EXPECT_EQ(FolderOfPath("chat.txt"), "");

    // The Log Folder follows only a log file that exists.
    std::string logFolder = "kept";
    DeriveLogFolder(folder.File("missing.txt"), logFolder);
    DeriveLogFolder("", logFolder);
    EXPECT_EQ(logFolder, "kept");
    DeriveLogFolder(log, logFolder);
    EXPECT_EQ(logFolder, folder.Folder());
}

TEST(Discovery, GameMapsFolderBesideTheLogs) {
    TempFolder game;
    const char sep = static_cast<char>(fs::path::preferred_separator);
    fs::create_directories(game.Path() / "logs");
    const std::string ownMaps = game.Folder() + "Tolvik" + sep + "VURavaZiro" + sep;
    std::string vector = ownMaps;
    std::string logFolder = game.Folder() + "logs" + sep;
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, ownMaps);  // no maps folder beside the logs
    fs::create_directories(game.Path() / "maps");
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, game.Folder() + "maps" + sep);
    fs::create_directories(ownMaps);  // the program's own folder, when present, is never replaced
    vector = ownMaps;
    FindGameMapsFolder(vector, "", logFolder);
    EXPECT_EQ(vector, ownMaps);

    // From the log file, with forward slashes.
    const std::string root = game.Path().generic_string();
    testing::WriteFile(root + "/logs/eqlog.txt", "");
    vector = root + "/missing/";
    logFolder.clear();
    FindGameMapsFolder(vector, root + "/logs/eqlog.txt", logFolder);
    EXPECT_EQ(logFolder, root + "/logs/");
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

TEST(Discovery, NewestLogCandidate) {
    TempFolder folder;
    const auto base = fs::file_time_type::clock::now() - std::chrono::hours(1);
    auto make = [&](const std::string& name, int minutes) {
        testing::WriteFile(folder.File(name), name);
        fs::last_write_time(folder.File(name), base + std::chrono::minutes(minutes));
    };
    std::string out = "previous";
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 0);  // empty folder
    EXPECT_EQ(FindNewestLog(folder.File("missing") + "/", out), 0);
    make("dbg.txt", 10);  // the game's own, skipped
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 0);
    EXPECT_EQ(out, "previous");

    make("a.txt", 0);
    make("b.txt", 5);
    make("notes.log", 20);
    fs::create_directories(folder.Path() / "x.txt");  // a folder is not a log
    fs::last_write_time(folder.Path() / "x.txt", base + std::chrono::minutes(30));
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 2);
    EXPECT_EQ(out, folder.Folder() + "b.txt");
    make("DBG.txt", 15);  // only the exact name is skipped; ".txt" matches in any case
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 3);
    EXPECT_EQ(out, folder.Folder() + "DBG.txt");
    make("C.TXT", 16);
    EXPECT_EQ(FindNewestLog(folder.Folder(), out), 4);
    EXPECT_EQ(out, folder.Folder() + "C.TXT");

    // Ties keep the entry found first.
    TempFolder ties;
    for (const char* name : {"x.txt", "y.txt", "z.txt"}) {
        testing::WriteFile(ties.File(name), name);
        fs::last_write_time(ties.File(name), base);
    }
    EXPECT_EQ(FindNewestLog(ties.Folder(), out), 3);
    EXPECT_EQ(out, fs::directory_iterator(ties.Path())->path().string());
}

#endif  // !_WIN32

}  // namespace
}  // namespace tolvik
