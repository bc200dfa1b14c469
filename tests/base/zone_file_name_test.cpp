#include "base/zone_file_name.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "log/zone_names.h"

namespace tolvik {
namespace {

TEST(ZoneFileName, EveryRealZoneNamePasses) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    ASSERT_EQ(rows, 148);
    for (int i = 0; i < rows; ++i) {
        EXPECT_TRUE(IsPlainZoneFileName(table[i].displayName)) << table[i].displayName;
        EXPECT_TRUE(IsSafeZoneProfileKey(table[i].displayName)) << table[i].displayName;
    }
    // Names the log shows that the table does not hold, and bytes of the
    // ANSI code page above 127.
    for (const char* name : {"The Plane of Knowledge", "Kael Drakkel", "Lost Temple of Cazic-Thule", ".hidden",
                             "Plane of Sky (PoS) v1.2", "Caf\xE9", "x"}) {
        EXPECT_TRUE(IsPlainZoneFileName(name)) << name;
        EXPECT_TRUE(IsSafeZoneProfileKey(name)) << name;
    }
}

TEST(ZoneFileName, PathsDotsAndTrailingDotsOrBlanksAreRefused) {
    for (const char* name : {"", ".", "..", "..\\pwn", "../pwn", "..\\..\\Windows\\win", "C:pwn", "C:\\pwn",
                             "\\\\server\\share", "Zones/pwn", "Kael Drakkel.", "Kael Drakkel ", "pwn. .",
                             "..."}) {
        EXPECT_FALSE(IsPlainZoneFileName(name)) << '"' << name << '"';
        EXPECT_FALSE(IsSafeZoneProfileKey(name)) << '"' << name << '"';
    }
}

TEST(ZoneFileName, ForbiddenAndControlCharactersAnywhereAreRefused) {
    std::string refused = "<>:\"/\\|?*\x7F";
    for (int c = 1; c < 0x20; ++c) refused += static_cast<char>(c);
    for (char c : refused) {
        for (const std::string& name : {std::string(1, c) + "Kael", "Kael" + std::string(1, c) + "Drakkel",
                                        "Kael" + std::string(1, c)}) {
            EXPECT_FALSE(IsPlainZoneFileName(name)) << "character " << int(c);
        }
    }
    EXPECT_FALSE(IsPlainZoneFileName(std::string("Kael\0x", 6)));
}

TEST(ZoneFileName, DeviceNamesAndOverlongNamesAreRefused) {
    for (const char* name : {"CON", "nul", "Aux", "PRN", "COM1", "lpt9", "NUL.txt", "CON .x", "conin$"}) {
        EXPECT_FALSE(IsPlainZoneFileName(name)) << name;
    }
    for (const char* name : {"COM0", "COMA", "Console", "NULL", "LPT10", "Prnt"}) {
        EXPECT_TRUE(IsPlainZoneFileName(name)) << name;
    }
    EXPECT_TRUE(IsPlainZoneFileName(std::string(251, 'a')));  // 251 + ".jpg" fills a 255-character component
    EXPECT_FALSE(IsPlainZoneFileName(std::string(252, 'a')));
}

TEST(ZoneFileName, ProfileKeysAlsoRefuseEqualsSectionsCommentsAndLeadingBlanks) {
    for (const char* name : {"a=b", "=", "Kael=", "[Physical]", "[x", ";Kael", " Kael"}) {
        EXPECT_TRUE(IsPlainZoneFileName(name)) << name;
        EXPECT_FALSE(IsSafeZoneProfileKey(name)) << name;
    }
    EXPECT_TRUE(IsSafeZoneProfileKey("Kael [x];y"));
}

}  // namespace
}  // namespace tolvik
