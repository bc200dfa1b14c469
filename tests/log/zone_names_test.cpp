#include "log/zone_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

namespace tolvik {
namespace {

std::string Cased(std::string s, int (*to)(int)) {
    for (char& c : s) c = static_cast<char>(to(static_cast<unsigned char>(c)));
    return s;
}

// Every row is found in every case unless an earlier row has its name; those
// seven rows never match but stay in the table.
TEST(ZoneNames, EveryRowInAnyCaseUnlessAnEarlierRowHasItsName) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    ASSERT_EQ(rows, 148);
    EXPECT_STREQ(table[0].displayName, "Ak'Anon");
    EXPECT_STREQ(table[147].shortName, "westwastes");
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
            if (!first) {
                EXPECT_NE(out, table[i].shortName) << "row " << i + 1 << " should never match";
            }
        }
    }
    EXPECT_EQ(shadowed, 7);
}

// The rows as they were checked against the game's names, by fingerprint
// (FNV-1a of "display\tshort\n" for every row in order): a typo in any row
// shows here.
TEST(ZoneNames, TableFingerprint) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (int i = 0; i < rows; ++i) {
        for (unsigned char c : std::string(table[i].displayName) + '\t' + table[i].shortName + '\n')
            hash = (hash ^ c) * 0x100000001b3u;
    }
    EXPECT_EQ(hash, 0x6ed212300e00dfc5u);
}

}  // namespace
}  // namespace tolvik
