// Zone names, zone records and finding the logs.
#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "log/discovery.h"
#include "log/newest_log_cases.h"
#include "log/zone_names.h"
#include "log/zone_records.h"

namespace tolvik {
namespace {

std::string Cased(std::string s, int (*to)(int)) {
    for (char& c : s) c = static_cast<char>(to(static_cast<unsigned char>(c)));
    return s;
}

// Every row is found in every case unless an earlier row has its name; those seven never match but stay.
TEST(ZoneNames, EveryRowInAnyCaseUnlessAnEarlierRowHasItsName) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    std::map<std::string, std::string> firstRow;  // lower-case display name -> short name of its first row
    int shadowed = 0;
    for (int i = 0; i < rows; ++i) {
        const std::string name = table[i].displayName;
        const auto [row, first] = firstRow.emplace(Cased(name, ::tolower), table[i].shortName);
        shadowed += !first;
        for (const std::string& spelling : {name, Cased(name, ::tolower), Cased(name, ::toupper)}) {
            std::string out;
            ASSERT_TRUE(LookupShortZoneName(spelling, out)) << spelling;
            EXPECT_EQ(out, row->second) << "row " << i + 1 << " " << spelling;
        }
    }
    EXPECT_EQ(shadowed, 7);
}

// The rows as checked against the game's names, by FNV-1a of "display\tshort\n" for every row: a typo shows here.
TEST(ZoneNames, TableFingerprint) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (int i = 0; i < rows; ++i)
        for (unsigned char c : std::string(table[i].displayName) + '\t' + table[i].shortName + '\n') hash = (hash ^ c) * 0x100000001b3u;
    EXPECT_EQ(hash, 0x6ed212300e00dfc5u);
}

// A new log starts from an empty table: names and trails of the old one are gone, also for an index held across
// the clear, and new names reuse the kept storage from the first slot on.
TEST(ZoneRecordTable, ClearForgetsNamesAndTrails) {
    ZoneRecordTable table;
    FindOrAddZoneRecord(table, "Befallen");
    table.storage[FindOrAddZoneRecord(table, "Guk")].current.count = 4;
    table.storage[1].returns.count = 2;
    ClearZoneRecords(table);
    EXPECT_TRUE(table.recordsInUse == 0 && table.storage[1].name.empty());
    EXPECT_TRUE(FindOrAddZoneRecord(table, "Najena") == 0 && FindOrAddZoneRecord(table, "Guk") == 1);
    EXPECT_EQ(table.storage[1].name, "Guk");
    EXPECT_EQ(table.storage[1].current.count + table.storage[1].returns.count, 0);
    for (int i = 2; i < 5000; ++i) FindOrAddZoneRecord(table, "zone " + std::to_string(i));  // no limit on zones
    EXPECT_TRUE(FindOrAddZoneRecord(table, "zone 4999") == 4999 && table.recordsInUse == 5000);
}

#ifndef _WIN32
TEST(Discovery, NewestLogCandidate) { test::ExpectNewestLogRules(); }
#endif

// The game's "maps" folder beside its logs folder stands in for a vector map folder that does not exist.
TEST(Discovery, GameMapsFolderBesideTheLogs) {
    test::TempFolder game("game");
    const std::string sep(1, game.path().back());
    test::MakeFolder(game / "logs");
    const std::string log = game.Write("logs" + sep + "eqlog_A_b.txt", "x");
    std::string maps = game / "VURavaZiro" + sep, logFolder;
    FindGameMapsFolder(maps, log, logFolder);
    EXPECT_EQ(maps + "|" + logFolder, game / "VURavaZiro" + sep + "|" + game / "logs" + sep);  // no maps folder either
    test::MakeFolder(game / "maps");
    FindGameMapsFolder(maps, log, logFolder);
    EXPECT_EQ(maps, game / "maps" + sep);
    std::string own = logFolder;
    FindGameMapsFolder(own, log, logFolder);
    EXPECT_EQ(own, logFolder);
}

}  // namespace
}  // namespace tolvik
