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

#ifndef _WIN32

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
