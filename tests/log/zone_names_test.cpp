#include "log/zone_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace tolvik {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST(ZoneNames, EveryRowIsFoundUnlessAnEarlierRowHasItsName) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    ASSERT_EQ(rows, 148);
    EXPECT_STREQ(table[0].displayName, "Ak'Anon");
    EXPECT_STREQ(table[147].shortName, "westwastes");

    std::set<std::string> seen;  // lower-case display names of earlier rows
    int shadowed = 0;
    for (int i = 0; i < rows; ++i) {
        const std::string name = table[i].displayName;
        std::string out = "unchanged";
        ASSERT_TRUE(LookupShortZoneName(name, out)) << name;
        if (seen.insert(Lower(name)).second) {
            EXPECT_EQ(out, table[i].shortName) << "row " << i + 1;
        } else {
            EXPECT_NE(out, table[i].shortName) << "row " << i + 1 << " should never match";
            ++shadowed;
        }
    }
    EXPECT_EQ(shadowed, 7);
}

TEST(ZoneNames, EarlierRowsWinAndCaseDoesNotMatter) {
    struct Case {
        const char* name;
        const char* shortName;
    };
    for (const Case& c : {Case{"Greater Faydark", "gfaydark"}, Case{"East Freeport", "freporte"},
                          Case{"Ocean Of Tears", "oot"}, Case{"Ocean of Tears", "oot"},
                          Case{"Plane of Sky", "airplane"}, Case{"Plane of Air", "airplane"},
                          Case{"Steamfont Mountains", "steamfont"}, Case{"Plane of Hate", "hateplane"},
                          Case{"Toxxulia Forest", "tox"}, Case{"Wedding Chapel", "weddingchapel"},
                          Case{"West Freeport", "freportw"}, Case{"Ak'Anon", "akanon"}}) {
        for (const std::string& spelling : {std::string(c.name), Lower(c.name), Upper(c.name)}) {
            std::string out;
            EXPECT_TRUE(LookupShortZoneName(spelling, out)) << spelling;
            EXPECT_EQ(out, c.shortName) << spelling;
        }
    }
}

TEST(ZoneNames, UnknownNamesLeaveTheBufferAlone) {
    for (const std::string& name : {std::string(""), std::string("Greater Faydark "), std::string(" Greater Faydark"),
                                    std::string("Greater Faydar"), std::string("Greater Faydark\0x", 17),
                                    std::string("AkAnon"), std::string("Ak`Anon")}) {
        std::string out = "kept";
        EXPECT_FALSE(LookupShortZoneName(name, out)) << name;
        EXPECT_EQ(out, "kept");
    }
}

}  // namespace
}  // namespace tolvik
