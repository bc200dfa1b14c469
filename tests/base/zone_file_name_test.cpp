#include "base/zone_file_name.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "log/zone_names.h"

namespace tolvik {
namespace {

TEST(ZoneFileName, RealZoneNamesPass) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    ASSERT_EQ(rows, 148);
    for (int i = 0; i < rows; ++i) EXPECT_TRUE(IsSafeZoneProfileKey(table[i].displayName)) << table[i].displayName;
    // Names a log shows that the table does not hold, and ANSI bytes above 127.
    for (const char* name : {"The Plane of Knowledge", "Kael Drakkel", ".hidden", "Plane of Sky (PoS) v1.2", "Caf\xE9",
                             "x", "COM0", "Console", "NULL", "LPT10"}) {
        EXPECT_TRUE(IsSafeZoneProfileKey(name)) << name;
    }
    EXPECT_TRUE(IsPlainZoneFileName(std::string(251, 'a')));  // with ".jpg" a 255-character component
    EXPECT_FALSE(IsPlainZoneFileName(std::string(252, 'a')));
}

TEST(ZoneFileName, PathsDotsForbiddenCharactersAndDevicesAreRefused) {
    for (const char* name : {"", ".", "..", "...", "..\\pwn", "../pwn", "C:pwn", "\\\\server\\share", "Kael Drakkel.",
                             "Kael Drakkel ", "CON", "nul", "Com1", "lpt9", "NUL.txt", "CON .x", "conin$"}) {
        EXPECT_FALSE(IsPlainZoneFileName(name)) << '"' << name << '"';
        EXPECT_FALSE(IsSafeZoneProfileKey(name)) << '"' << name << '"';
    }
    std::string refused = "<>:\"/\\|?*\x7F";
    for (int c = 1; c < 0x20; ++c) refused += static_cast<char>(c);
    for (char c : refused) {
        for (const std::string& name : {c + std::string("Kael"), "Kael" + std::string(1, c) + "x", "Kael" + std::string(1, c)})
            EXPECT_FALSE(IsPlainZoneFileName(name)) << "character " << int(c);
    }
    EXPECT_FALSE(IsPlainZoneFileName(std::string("Kael\0x", 6)));
}

TEST(ZoneFileName, ProfileKeysAlsoRefuseEqualsSectionsCommentsAndLeadingBlanks) {
    for (const char* name : {"a=b", "Kael=", "[Physical]", ";Kael", " Kael"}) {
        EXPECT_TRUE(IsPlainZoneFileName(name)) << name;
        EXPECT_FALSE(IsSafeZoneProfileKey(name)) << name;
    }
    EXPECT_TRUE(IsSafeZoneProfileKey("Kael [x];y"));
}

}  // namespace
}  // namespace tolvik
