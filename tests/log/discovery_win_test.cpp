// Finding the game's folders and the newest log with Windows paths and the
// system's own registry and wildcard search.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "log/discovery.h"
#include "log/newest_log_cases.h"

namespace tolvik {
namespace {

constexpr const char* kGameKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EverQuest.exe";

TEST(GameLogFolderWin, FromTheInstallationRecord) {
    // Sets the game's installation record and puts back what was there before.
    HKEY key = nullptr;
    DWORD disposition = 0, oldType = REG_SZ, size = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    std::vector<BYTE> old;
    bool hadValue = RegQueryValueExA(key, "Path", nullptr, &oldType, nullptr, &size) == ERROR_SUCCESS;
    old.resize(size);
    hadValue = hadValue && RegQueryValueExA(key, "Path", nullptr, &oldType, old.data(), &size) == ERROR_SUCCESS;

    struct Case {
        std::string value;
        const char* folder;
    };
    for (const Case& c : {Case{"E:\\Game", "E:\\Game\\logs\\"}, Case{"E:\\Game\\", "E:\\Game\\logs\\"},
                          Case{"", ""}, Case{std::string(300, 'x'), ""}}) {  // none usable past 260 bytes
        RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value.c_str()),
                       static_cast<DWORD>(c.value.size() + 1));
        std::string out = "stale";
        FindGameLogFolder(out);
        EXPECT_EQ(out, c.folder) << c.value;
    }
    RegDeleteValueA(key, "Path");
    std::string out = "stale";
    FindGameLogFolder(out);
    EXPECT_EQ(out, "");

    if (hadValue) RegSetValueExA(key, "Path", 0, oldType, old.data(), static_cast<DWORD>(old.size()));
    RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKey);
}

TEST(NewestLogWin, NewestCandidateByTheSystemSearch) { test::ExpectNewestLogRules(); }

}  // namespace
}  // namespace tolvik
