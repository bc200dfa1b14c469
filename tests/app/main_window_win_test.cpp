// The main window: closing, messages, the zone list, following logs and choosing one.
#include <gtest/gtest.h>

#include <string_view>

#include "app/main_window_win.h"
#include "res/version.h"
#include "support/main_window_harness_win.h"
#include "vector/settings_window_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;

class MainWindowTest : public ::testing::Test {
protected:
    test::TempFolder folder{"main"};
    test::TempFolder logs{"logs"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    void UseLog(const std::string& path) { WritePrivateProfileStringA("Settings", "Log File", path.c_str(), Ini().c_str()); }
    // The zone list's entries, joined by '|'.
    static std::string Listed(MainWindowHarness& h) {
        std::string all;
        for (LRESULT i = 0, n = SendMessageA(h.Item(IDC_ZONE_LIST), CB_GETCOUNT, 0, 0); i < n; ++i) {
            char text[300] = {};
            SendMessageA(h.Item(IDC_ZONE_LIST), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            (all += i ? "|" : "") += text;
        }
        return all;
    }
    // Picks the first entry ("< my zone >" sorts first) as the user does.
    static void ChooseFirst(MainWindowHarness& h) {
        SendMessageA(h.Item(IDC_ZONE_LIST), CB_SETCURSEL, 0, 0);
        h.Command(IDC_ZONE_LIST, CBN_SELCHANGE);
    }
};

TEST_F(MainWindowTest, TitleIconsAboutAndTheCloseBoxAndExitClose) {
    MainWindowHarness h(folder.path());
    EXPECT_EQ(WholeWindowText(h.window()).substr(0, 6), "Tolvik");
    for (WPARAM size : {ICON_BIG, ICON_SMALL}) EXPECT_NE(SendMessageA(h.window(), WM_GETICON, size, 0), 0) << size;
    h.Command(IDC_ABOUT);
    h.Command(IDC_INSTRUCTIONS);
    const auto& messages = h.rec().messages;
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption + "|" + messages[1].caption, "About Tolvik|Calibration Instructions");
    EXPECT_NE(messages[0].text.find(std::string("Tolvik ") + TOLVIK_VERSION_TEXT), std::string::npos);
    EXPECT_NE(messages[0].text.find("report"), std::string::npos);
    EXPECT_EQ(messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(messages[1].text.rfind("Calibration Instructions\n\n", 0), 0u);
    h.Send(WM_CLOSE);  // the cancel command that follows ends with 1
    h.Command(IDC_EXIT);
    EXPECT_EQ(h.rec().endResults, (std::vector<INT_PTR>{1, 42}));
}

// The ticks come from the program's own loop; timer 1 gives them only while
// a loop of others runs: a menu, a move or size (which may nest).
TEST_F(MainWindowTest, TimerOneTicksOnlyWhileALoopOfOthersRuns) {
    MainWindowHarness h(folder.path());
    const auto tickArrives = [&h](DWORD withinMs) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < withinMs; Sleep(10)) {
            MSG m;
            if (PeekMessageA(&m, h.window(), WM_TIMER, WM_TIMER, PM_REMOVE) && m.wParam == IDT_MAIN_TICK) return true;
        }
        return false;
    };
    EXPECT_FALSE(tickArrives(250));
    SendMessageA(h.window(), WM_ENTERMENULOOP, TRUE, 0);
    SendMessageA(h.window(), WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(h.window(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(tickArrives(500));
    SendMessageA(h.window(), WM_EXITMENULOOP, TRUE, 0);
    EXPECT_FALSE(tickArrives(250));
}

TEST_F(MainWindowTest, MyZoneBeforeAnyZoneLeavesNothingToCalibrateOrGiveAPicture) {
    test::MakeFolder(folder / "Zones");
    test::WriteFile(folder / "Zones\\Befallen.ini", "");
    const std::string log = folder / "eqlog_A_P1999.txt";
    test::WriteFile(log, "[Mon Jan 01 00:00:00 2024] Welcome to EverQuest!\r\n");
    UseLog(log);
    // With the stand-by picture built in, and with none on disk or in the program.
    for (const bool builtIn : {true, false}) {
        MainWindowHarness h(folder.path(), false);
        if (!builtIn) h.program().seams.builtInPicture = [](const std::string&) { return std::string_view(); };
        h.Create();
        ChooseFirst(h);
        EXPECT_EQ(SendMessageA(h.Item(IDC_ZONE_LIST), CB_GETCURSEL, 0, 0), CB_ERR) << builtIn;
        EXPECT_EQ(Listed(h), "< my zone >|Befallen") << builtIn;  // no empty entry added
        h.Command(IDC_CALIBRATE);  // refused with a message
        h.rec().pickAnswer = true, h.rec().pickPath = folder / "Zones\\Befallen.ini";
        h.Command(IDC_CHOOSE_MAP);
        EXPECT_EQ(std::tuple(h.rec().messages.size(), h.app().calibrationMode, h.rec().pickCalls), std::tuple(size_t{1}, 0, 0))
            << builtIn;
        EXPECT_EQ(GetFileAttributesA((folder / "Zones\\.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(MainWindowTest, ZoneListSelectionShowsTheInfoFieldColours) {
    test::MakeFolder(folder / "Zones");
    test::WriteFile(folder / "Zones\\Befallen.ini", "");
    MainWindowHarness h(folder.path());
    SelectZoneInList(h.window(), "Befallen");
    ShowWindow(h.window(), SW_SHOWNOACTIVATE);  // a hidden list paints no text
    RECT box{};
    GetClientRect(h.Item(IDC_ZONE_LIST), &box);
    test::Canvas canvas(box.right, box.bottom);
    PrintWindow(h.Item(IDC_ZONE_LIST), canvas.dc(), PW_CLIENTONLY);
    const test::Picture p = canvas.pixels();
    int dark = 0, light = 0, other = 0;
    for (int y = 3; y < box.bottom - 3; ++y)
        for (int x = 3; x < box.right - GetSystemMetrics(SM_CXVSCROLL) - 3; ++x)
            ++(p.argb[y * p.width + x] == 0x373737u ? dark : p.argb[y * p.width + x] == 0xBCBCBCu ? light : other);
    // The field's dark ground under light text.
    EXPECT_TRUE(dark > 10 * light && light + other > 20 && light > other / 4) << dark << " " << light << " " << other;
    // The drop-down list answers in the same colours.
    UniqueMemoryDc probe(CreateCompatibleDC(nullptr));
    const auto brush = SendMessageA(h.window(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(probe.get()), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), h.program().gdi.darkBrush.get());
    EXPECT_EQ(std::pair(GetTextColor(probe.get()), GetBkColor(probe.get())), std::pair(RGB(188, 188, 188), RGB(55, 55, 55)));
}

// Every label's caption, drawn unclipped as the label draws it, leaves no ink outside its box
// (under Wine a glyph may reach past its advance, so measuring is not enough).
void ExpectNoLabelCut(HWND window, const char* name) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr) << name;
    int labels = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = {}, text[128] = {};
        GetClassNameA(child, cls, sizeof cls);
        const LONG kind = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (_stricmp(cls, "Static") != 0 || (kind != SS_LEFT && kind != SS_RIGHT && kind != SS_CENTER) ||
            GetWindowTextA(child, text, sizeof text) == 0)
            continue;
        ++labels;
        RECT box{};
        GetClientRect(child, &box);
        test::Canvas canvas(box.right + 80, box.bottom + 80);
        SelectObject(canvas.dc(), font);
        SetTextColor(canvas.dc(), RGB(255, 255, 255));
        SetBkMode(canvas.dc(), TRANSPARENT);
        RECT place{40, 40, 40 + box.right, 40 + box.bottom};
        const UINT align = kind == SS_RIGHT ? DT_RIGHT : kind == SS_CENTER ? DT_CENTER : DT_LEFT;
        DrawTextA(canvas.dc(), text, -1, &place, align | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP);
        test::Picture p = canvas.pixels();
        int outside = 0, inside = 0;
        for (int i = 0; i < p.width * p.height; ++i)
            if (p.argb[i]) ++(PtInRect(&place, POINT{i % p.width, i / p.width}) ? inside : outside);
        EXPECT_TRUE(inside > 0 && outside == 0) << name << " label \"" << text << "\": " << outside << " pixels cut";
    }
    EXPECT_GE(labels, 10) << name;
}

TEST_F(MainWindowTest, NoLabelIsCutInEitherWindow) {
    MainWindowHarness h(folder.path());
    ExpectNoLabelCut(h.window(), "main window");
    const HWND settings = OpenVectorSettingsWindow(h.window(), h.program());
    ASSERT_NE(settings, nullptr);
    ExpectNoLabelCut(settings, "settings window");
    DestroyWindow(settings);
}

TEST_F(MainWindowTest, LocationFieldsFollowTheLog) {
    const std::string log = logs / "eqlog_A_P1999.txt";
    test::WriteFile(log, "You have entered Greater Faydark.\r\nYour Location is 300, -45.5, 2.25\r\n");
    UseLog(log);
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.Text(IDC_LOG_FILE) + "|" + h.Text(IDC_ZONE_FIELD), log + "|Greater Faydark");
    EXPECT_EQ(h.Text(IDC_POS_X) + " " + h.Text(IDC_POS_Y) + " " + h.Text(IDC_POS_Z), "-45.50 300.00 2.25");
    test::AppendFile(log, "Your Location is -1.5, 2, 3\r\n");
    h.Tick();  // the first tick polls at once
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");
    test::AppendFile(log, "Your Location is 7, 8, 9\r\n");
    h.Tick(500);  // too soon for the next poll
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");
    h.Tick(600);
    EXPECT_EQ(h.Text(IDC_POS_X), "8.00");
}

TEST_F(MainWindowTest, MissingLogFileIsShownAndTheLogFolderComesFromTheInstallation) {
    const std::string gone = logs / "eqlog_Gone_P1999.txt";
    UseLog(gone);
    MainWindowHarness h(folder.path(), false);
    h.rec().gameLogFolder = "C:\\EverQuest\\logs\\";
    h.Create();
    EXPECT_EQ(h.Text(IDC_LOG_FILE) + "|" + h.app().logFolder + "|" + h.Text(IDC_POS_X), gone + "|C:\\EverQuest\\logs\\|None");
}

TEST_F(MainWindowTest, ZoneListIsSortedCaseInsensitiveAndOffersMyZoneOnlyWithMaps) {
    EXPECT_EQ(Listed(*std::make_unique<MainWindowHarness>(folder.path())), "");  // no .ini: not even "< my zone >"
    test::MakeFolder(folder / "Zones");
    test::MakeFolder(folder / "Zones\\Old.ini");  // a folder named like a calibration file is not a zone
    EXPECT_EQ(Listed(*std::make_unique<MainWindowHarness>(folder.path())), "");
    for (const char* name : {"West Freeport.ini", "Befallen.ini", "Befallen.jpg"}) test::WriteFile(folder / "Zones\\" + name, "");
    MainWindowHarness h(folder.path());
    EXPECT_EQ(Listed(h), "< my zone >|Befallen|West Freeport");
    EXPECT_EQ(SendMessageA(h.Item(IDC_ZONE_LIST), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("befallen")), 1);
    // "< my zone >" picks the zone the player is in, adding it when unlisted.
    SetDlgItemTextA(h.window(), IDC_ZONE_FIELD, "Lesser Faydark");
    ChooseFirst(h);
    EXPECT_EQ(GetListedZone(h.window()) + "|" + h.app().map.zoneName, "Lesser Faydark|Lesser Faydark");
    EXPECT_EQ(Listed(h), "< my zone >|Befallen|Lesser Faydark|West Freeport");
}

// Automatic selection follows the folder's newest log; the game's "dbg.txt" alone is no log.
TEST_F(MainWindowTest, AutomaticSelectionSwitchesToANewerLogAndDropsAGoneOne) {
    const std::string a = logs / "eqlog_A_P1999.txt", b = logs / "eqlog_B_P1999.txt";
    test::WriteFile(a, "You have entered Befallen.\r\nYour Location is 1, 2, 3\r\n");
    test::SetWriteTime(a, 10);
    UseLog(a);
    WritePrivateProfileStringA("Mode", "AutoDetectLogFile", "1", Ini().c_str());
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.app().logFolder, logs.path());
    h.Poll();
    EXPECT_EQ(h.app().logFile + h.Text(IDC_POS_X), a + "2.00");
    test::WriteFile(b, "You have entered Guk.\r\nYour Location is 10, 20, 30\r\n");
    test::SetWriteTime(b, 20);
    h.Poll();
    EXPECT_EQ(h.Text(IDC_LOG_FILE) + "|" + h.Stored("Settings", "Log File"), b + "|" + b);
    EXPECT_EQ(h.Text(IDC_ZONE_FIELD) + " " + h.Text(IDC_POS_X), "Guk 20.00");
    for (int i = 0; i < h.app().zones.table.recordsInUse; ++i)  // the records of the old log are gone
        EXPECT_NE(h.app().zones.table.storage[static_cast<size_t>(i)].name, "Befallen");
    for (const std::string& gone : {a, b}) DeleteFileA(gone.c_str());
    test::WriteFile(logs / "dbg.txt", "debug\r\n");
    h.Poll();
    EXPECT_EQ(h.app().logFile + h.Text(IDC_LOG_FILE) + h.Stored("Settings", "Log File"), "");
    for (int id : {IDC_POS_X, IDC_POS_Y, IDC_POS_Z}) EXPECT_EQ(h.Text(id), "None") << id;
}

TEST_F(MainWindowTest, AutoSelectWithoutALogFolderOpensTheChooserAndTurnsItselfOn) {
    const std::string a = logs / "eqlog_A_P1999.txt";
    test::WriteFile(a, "You have entered Befallen.\r\nYour Location is 1, 2, 3\r\n");
    MainWindowHarness h(folder.path());
    ASSERT_TRUE(h.app().logFolder.empty());
    h.Command(IDC_AUTO_SELECT);  // cancelled: nothing changes
    EXPECT_EQ(std::pair(h.rec().pickCalls, h.rec().lastFilter), std::pair(1, FileFilter::LogFiles));
    EXPECT_EQ(std::pair(h.app().AutoDetectLogFile, h.Stored("Settings", "Log File")), std::pair(0, std::string("<missing>")));
    h.rec().pickAnswer = true, h.rec().pickPath = a;
    h.Command(IDC_AUTO_SELECT);
    EXPECT_EQ(h.app().AutoDetectLogFile, 1);
    EXPECT_EQ(h.app().logFile + "|" + h.app().logFolder + "|" + h.Stored("Settings", "Log File"), a + "|" + logs.path() + "|" + a);
    EXPECT_EQ(h.Text(IDC_POS_X), "2.00");
    // Choosing through Set... turns automatic selection off; with a Log Folder known, the button toggles it.
    for (auto [id, on] : {std::pair{IDC_SET_LOG, 0}, {IDC_AUTO_SELECT, 1}, {IDC_AUTO_SELECT, 0}}) {
        h.Command(id);
        EXPECT_EQ(std::pair(h.rec().pickCalls, h.app().AutoDetectLogFile), std::pair(3, on)) << id;
    }
}

}  // namespace
}  // namespace tolvik
