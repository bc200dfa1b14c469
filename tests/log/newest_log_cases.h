// What automatic selection follows, for both ways of listing a folder: the newest "*.txt" (the extension in any
// case), the game's own "dbg.txt" and folders aside, ties to the entry listed first.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "log/discovery.h"
#include "support/temp_files.h"

namespace tolvik::test {

inline void ExpectNewestLogRules() {
    TempFolder logs("newest");
    const auto make = [](const std::string& path, int minutes) { WriteFile(path, "x"), SetWriteTime(path, minutes); };
    std::string out = "previous";
    EXPECT_EQ(FindNewestLog(logs.path(), out), 0);  // empty folder
    EXPECT_EQ(FindNewestLog(logs / "missing" + logs.path().back(), out), 0);
    make(logs / "dbg.txt", 10);
    EXPECT_TRUE(FindNewestLog(logs.path(), out) == 0 && out == "previous");
    make(logs / "a.txt", 0), make(logs / "b.txt", 5), make(logs / "c.log", 20);
    MakeFolder(logs / "x.txt");
    SetWriteTime(logs / "x.txt", 30);
    EXPECT_TRUE(FindNewestLog(logs.path(), out) == 2 && out == logs / "b.txt") << out;
    std::remove((logs / "dbg.txt").c_str());
    make(logs / "DBG.txt", 10);  // only the exact name "dbg.txt" is skipped
    EXPECT_TRUE(FindNewestLog(logs.path(), out) == 3 && out == logs / "DBG.txt") << out;
    make(logs / "C.TXT", 16);
    EXPECT_TRUE(FindNewestLog(logs.path(), out) == 4 && out == logs / "C.TXT") << out;

    TempFolder ties("ties");
    for (const char* name : {"m.txt", "k.txt", "z.txt"}) make(ties / name, 7);
    EXPECT_TRUE(FindNewestLog(ties.path(), out) == 3 && out == std::filesystem::directory_iterator(ties.path())->path().string()) << out;
}

}  // namespace tolvik::test
