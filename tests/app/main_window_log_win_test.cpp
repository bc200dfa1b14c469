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

class MainWindowLogTest : public ::testing::Test {
protected:
    test::TempFolder folder{"mainlog"};
    test::TempFolder logs{"logs"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    std::string StoredLogFile() const { return ReadProfileText("Settings", "Log File", "<missing>", Ini()); }
    void UseLog(const std::string& path) { WritePrivateProfileStringA("Settings", "Log File", path.c_str(), Ini().c_str()); }
    // The zone list's entries, joined by '|'.
    std::string Listed(MainWindowHarness& h) {
        std::string all;
        const HWND list = GetDlgItem(h.window(), IDC_ZONE_LIST);
        for (LRESULT i = 0, n = SendMessageA(list, CB_GETCOUNT, 0, 0); i < n; ++i) {
            char text[300] = {};
            SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            all += (i ? "|" : "") + std::string(text);
        }
        return all;
    }
    // Picks the first entry as the user does.
    void ChooseFirst(MainWindowHarness& h) {
        SendDlgItemMessageA(h.window(), IDC_ZONE_LIST, CB_SETCURSEL, 0, 0);
        h.Command(IDC_ZONE_LIST, CBN_SELCHANGE);
    }
};

TEST_F(MainWindowLogTest, LocationFieldsFollowTheLog) {
    const std::string log = logs / "eqlog_A_P1999.txt";
    test::WriteFile(log, "You have entered Greater Faydark.\r\nYour Location is 300, -45.5, 2.25\r\n");
    UseLog(log);
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.Text(IDC_LOG_FILE), log);
    EXPECT_EQ(h.Text(IDC_ZONE_FIELD), "Greater Faydark");
    EXPECT_EQ(h.Text(IDC_POS_X) + " " + h.Text(IDC_POS_Y) + " " + h.Text(IDC_POS_Z), "-45.50 300.00 2.25");
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
    EXPECT_EQ(Listed(*std::make_unique<MainWindowHarness>(folder.path())), "");  // no .ini: not even "< my zone >"
    test::MakeFolder(folder / "Zones");
    test::MakeFolder(folder / "Zones\\Old.ini");  // a folder named like a calibration file is not a zone
    {
        MainWindowHarness h(folder.path());
        EXPECT_EQ(Listed(h), "");
        // "< my zone >" before the log names a zone lists nothing new.
        SendDlgItemMessageA(h.window(), IDC_ZONE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("< my zone >"));
        ChooseFirst(h);
        EXPECT_EQ(Listed(h), "< my zone >");
        EXPECT_EQ(h.app().map.zoneName, "");
    }
    for (const char* name : {"West Freeport.ini", "Befallen.ini", "Befallen.jpg"}) test::WriteFile(folder / "Zones\\" + name, "");
    MainWindowHarness h(folder.path());
    EXPECT_EQ(Listed(h), "< my zone >|Befallen|West Freeport");
    EXPECT_EQ(SendDlgItemMessageA(h.window(), IDC_ZONE_LIST, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>("befallen")),
              1);
    // "< my zone >" picks the zone the player is in, adding it when unlisted.
    SetDlgItemTextA(h.window(), IDC_ZONE_FIELD, "Lesser Faydark");
    ChooseFirst(h);
    EXPECT_EQ(GetListedZone(h.window()), "Lesser Faydark");
    EXPECT_EQ(h.app().map.zoneName, "Lesser Faydark");
    EXPECT_EQ(Listed(h), "< my zone >|Befallen|Lesser Faydark|West Freeport");
}

// Automatic selection follows the newest log of the folder; the game's own
// "dbg.txt" alone leaves no log to follow.
TEST_F(MainWindowLogTest, AutomaticSelectionSwitchesToANewerLogAndDropsAGoneOne) {
    const std::string a = logs / "eqlog_A_P1999.txt", b = logs / "eqlog_B_P1999.txt";
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
    EXPECT_EQ(h.Text(IDC_LOG_FILE), b);
    EXPECT_EQ(StoredLogFile(), b);
    EXPECT_EQ(h.Text(IDC_POS_X), "20.00");
    EXPECT_EQ(h.Text(IDC_ZONE_FIELD), "Guk");
    for (int i = 0; i < h.app().zones.table.recordsInUse; ++i)  // the records of the old log are gone
        EXPECT_NE(h.app().zones.table.storage[static_cast<size_t>(i)].name, "Befallen");

    DeleteFileA(a.c_str());
    DeleteFileA(b.c_str());
    test::WriteFile(logs / "dbg.txt", "debug\r\n");
    h.Poll();
    EXPECT_EQ(h.app().logFile, "");
    EXPECT_EQ(h.Text(IDC_LOG_FILE), "");
    for (int id : {IDC_POS_X, IDC_POS_Y, IDC_POS_Z}) EXPECT_EQ(h.Text(id), "None") << id;
    EXPECT_EQ(StoredLogFile(), "");
}

TEST_F(MainWindowLogTest, AutoSelectWithoutALogFolderOpensTheChooserAndTurnsItselfOn) {
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

    // With a Log Folder known, the button toggles automatic selection.
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.rec().pickCalls, 3);
    EXPECT_EQ(h.app().AutoDetectLogFile, 1);
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.app().AutoDetectLogFile, 0);
}

}  // namespace
}  // namespace tolvik
