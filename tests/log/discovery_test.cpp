#include "log/discovery.h"

#include <gtest/gtest.h>

#include "log/newest_log_cases.h"

namespace tolvik {
namespace {

#ifndef _WIN32
TEST(Discovery, NewestLogCandidate) { test::ExpectNewestLogRules(); }
#endif

// The game's "maps" folder beside its logs folder stands in for a vector map
// folder that does not exist; one that exists is kept.
TEST(Discovery, GameMapsFolderBesideTheLogs) {
    test::TempFolder game("game");
    const std::string sep(1, game.path().back());
    test::MakeFolder(game / "logs");
    const std::string log = game / "logs" + sep + "eqlog_A_b.txt";
    test::WriteFile(log, "x");
    std::string maps = game / "VURavaZiro" + sep, logFolder;
    FindGameMapsFolder(maps, log, logFolder);
    EXPECT_EQ(maps, game / "VURavaZiro" + sep);  // no maps folder either
    EXPECT_EQ(logFolder, game / "logs" + sep);
    test::MakeFolder(game / "maps");
    FindGameMapsFolder(maps, log, logFolder);
    EXPECT_EQ(maps, game / "maps" + sep);
    std::string own = logFolder;
    FindGameMapsFolder(own, log, logFolder);
    EXPECT_EQ(own, logFolder);
}

}  // namespace
}  // namespace tolvik
