// The main window following logs: fields, automatic selection, choosing a log.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/profile_win.h"
#include "app/main_window_win.h"
#include "app/settings_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;
using test::TempFolder;

class MainWindowLogTest : public ::testing::Test {
protected:
    TempFolder folder{"mainlog"};
    TempFolder logs{"logs"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    std::string StoredLogFile() const { return ReadProfileText("Settings", "Log File", "<missing>", Ini()); }
    void UseLog(const std::string& path) { WritePrivateProfileStringA("Settings", "Log File", path.c_str(), Ini().c_str()); }
    HWND List(MainWindowHarness& h) { return GetDlgItem(h.window(), IDC_ZONE_LIST); }
    std::vector<std::string> ListEntries(MainWindowHarness& h) {
        std::vector<std::string> entries;
        const LRESULT n = SendMessageA(List(h), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char text[300] = {};
            SendMessageA(List(h), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.emplace_back(text);
        }
        return entries;
    }
};

TEST_F(MainWindowLogTest, LocationFieldsFollowTheLog) {
    const std::string log = logs / "eqlog_A_P1999.txt";
    test::WriteFile(log, "You have entered Greater Faydark.\r\nYour Location is 300, -45.5, 2.25\r\n");
    UseLog(log);
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.Text(IDC_LOG_FILE), log);
    EXPECT_EQ(h.Text(IDC_ZONE_FIELD), "Greater Faydark");
    EXPECT_EQ(h.Text(IDC_POS_X), "-45.50");
    EXPECT_EQ(h.Text(IDC_POS_Y), "300.00");
    EXPECT_EQ(h.Text(IDC_POS_Z), "2.25");
    EXPECT_EQ(h.app().map.zoneName, "Greater Faydark");

    test::AppendFile(log, "Your Location is -1.5, 2, 3\r\n");
    h.Tick();  // the first tick polls at once
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");
    test::AppendFile(log, "Your Location is 7, 8, 9\r\n");
    h.Tick(500);  // too soon for the next poll
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");
    h.Tick(600);
    EXPECT_EQ(h.Text(IDC_POS_X), "8.00");
}

TEST_F(MainWindowLogTest, MissingLogFileIsShownAndTheLogFolderComesFromTheInstallation) {
    const std::string gone = logs / "eqlog_Gone_P1999.txt";
    UseLog(gone);
    MainWindowHarness h(folder.path(), false);
    h.rec().gameLogFolder = "C:\\EverQuest\\logs\\";
    h.Create();
    EXPECT_EQ(h.Text(IDC_LOG_FILE), gone);
    EXPECT_EQ(h.app().logFolder, "C:\\EverQuest\\logs\\");
    EXPECT_EQ(h.Text(IDC_POS_X), "None");
}

TEST_F(MainWindowLogTest, ZoneListIsSortedCaseInsensitiveAndOffersMyZoneOnlyWithMaps) {
    {
        MainWindowHarness h(folder.path());
        EXPECT_TRUE(ListEntries(h).empty());  // no .ini: not even "< my zone >"
    }
    test::MakeFolder(folder / "Zones");
    // A folder named like a calibration file is not a zone.
    test::MakeFolder(folder / "Zones\\Old.ini");
    {
        MainWindowHarness h(folder.path());
        EXPECT_TRUE(ListEntries(h).empty());
        // "< my zone >" before the log names a zone lists nothing new.
        SendMessageA(List(h), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("< my zone >"));
        SendMessageA(List(h), CB_SETCURSEL, 0, 0);
        h.Command(IDC_ZONE_LIST, CBN_SELCHANGE);
        EXPECT_EQ(ListEntries(h).size(), 1u);
        EXPECT_EQ(h.app().map.zoneName, "");
    }
    test::WriteFile(folder / "Zones\\West Freeport.ini", "");
    test::WriteFile(folder / "Zones\\Befallen.ini", "");
    test::WriteFile(folder / "Zones\\Befallen.jpg", "");
    MainWindowHarness h(folder.path());
    const auto entries = ListEntries(h);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], "< my zone >");
    EXPECT_EQ(entries[1], "Befallen");
    EXPECT_EQ(entries[2], "West Freeport");
    EXPECT_EQ(SendMessageA(List(h), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("befallen")),
              1);

    // "< my zone >" picks the zone the player is in, adding it when unlisted.
    SetDlgItemTextA(h.window(), IDC_ZONE_FIELD, "Lesser Faydark");
    SendMessageA(List(h), CB_SETCURSEL, 0, 0);
    h.Command(IDC_ZONE_LIST, CBN_SELCHANGE);
    EXPECT_EQ(GetListedZone(h.window()), "Lesser Faydark");
    EXPECT_EQ(h.app().map.zoneName, "Lesser Faydark");
    EXPECT_EQ(ListEntries(h).size(), 4u);
}

TEST_F(MainWindowLogTest, AutomaticSelectionSwitchesToANewerLog) {
    const std::string a = logs / "eqlog_A_P1999.txt";
    const std::string b = logs / "eqlog_B_P1999.txt";
    test::WriteFile(a, "You have entered Befallen.\r\nYour Location is 1, 2, 3\r\n");
    test::SetWriteTime(a, 10);
    UseLog(a);
    WritePrivateProfileStringA("Mode", "AutoDetectLogFile", "1", Ini().c_str());
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.app().logFolder, logs.path());
    h.Poll();
    EXPECT_EQ(h.app().logFile, a);
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");

    test::WriteFile(b, "You have entered Guk.\r\nYour Location is 10, 20, 30\r\n");
    test::SetWriteTime(b, 20);
    h.Poll();
    EXPECT_EQ(h.app().logFile, b);
    EXPECT_EQ(h.Text(IDC_LOG_FILE), b);
    EXPECT_EQ(StoredLogFile(), b);
    EXPECT_EQ(h.Text(IDC_POS_X), "20.00");
    EXPECT_EQ(h.Text(IDC_ZONE_FIELD), "Guk");
    // The records of the old log are gone.
    for (int i = 0; i < h.app().zones.table.recordsInUse; ++i) {
        EXPECT_NE(h.app().zones.table.storage[static_cast<size_t>(i)].name, "Befallen");
    }
}

TEST_F(MainWindowLogTest, FolderWithOnlyDbgTxtEmptiesTheLogFile) {
    const std::string a = logs / "eqlog_A_P1999.txt";
    test::WriteFile(a, "You have entered Befallen.\r\nYour Location is 1, 2, 3\r\n");
    UseLog(a);
    WritePrivateProfileStringA("Mode", "AutoDetectLogFile", "1", Ini().c_str());
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");
    DeleteFileA(a.c_str());
    test::WriteFile(logs / "dbg.txt", "debug\r\n");
    h.Poll();
    EXPECT_EQ(h.app().logFile, "");
    EXPECT_EQ(h.Text(IDC_LOG_FILE), "");
    EXPECT_EQ(h.Text(IDC_POS_X), "None");
    EXPECT_EQ(h.Text(IDC_POS_Y), "None");
    EXPECT_EQ(h.Text(IDC_POS_Z), "None");
    EXPECT_EQ(StoredLogFile(), "");
}

TEST_F(MainWindowLogTest, ReloadWithoutALogFolderOpensTheChooserAndTurnsAutoSelectOn) {
    const std::string a = logs / "eqlog_A_P1999.txt";
    test::WriteFile(a, "You have entered Befallen.\r\nYour Location is 1, 2, 3\r\n");
    MainWindowHarness h(folder.path());
    ASSERT_TRUE(h.app().logFolder.empty());

    // Cancelled: nothing changes.
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.rec().pickCalls, 1);
    EXPECT_EQ(h.rec().lastFilter, FileFilter::LogFiles);
    EXPECT_EQ(h.app().AutoDetectLogFile, 0);
    EXPECT_EQ(StoredLogFile(), "<missing>");

    h.rec().pickAnswer = true;
    h.rec().pickPath = a;
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.app().AutoDetectLogFile, 1);
    EXPECT_EQ(h.app().logFile, a);
    EXPECT_EQ(h.app().logFolder, logs.path());
    EXPECT_EQ(StoredLogFile(), a);
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");

    // Choosing through Set... turns automatic selection off.
    h.Command(IDC_SET_LOG);
    EXPECT_EQ(h.rec().pickCalls, 3);
    EXPECT_EQ(h.app().AutoDetectLogFile, 0);

    // With a Log Folder known, Reload toggles automatic selection.
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.rec().pickCalls, 3);
    EXPECT_EQ(h.app().AutoDetectLogFile, 1);
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.app().AutoDetectLogFile, 0);
}

}  // namespace
}  // namespace tolvik
