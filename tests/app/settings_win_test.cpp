// The settings file as the main window reads and writes it.
#include <gtest/gtest.h>

#include "app/map_zoom_win.h"
#include "app/settings_win.h"
#include "base/profile_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {

using test::MainWindowHarness;

class SettingsTest : public ::testing::Test {
protected:
    test::TempFolder folder{"settings"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    std::string Value(const char* section, const char* key) const { return ReadProfileText(section, key, "<missing>", Ini()); }
    static RECT Placement(MainWindowHarness& h) {
        RECT r{};
        return GetWindowRect(h.window(), &r), r;
    }
};

namespace {

TEST_F(SettingsTest, DefaultsWithoutAFileAndMapOnlyKeepsTheTemplatePlacement) {
    auto first = std::make_unique<MainWindowHarness>(folder.path());
    const AppState& app = first->app();
    // MapResolution is the file's default, not the start value.
    EXPECT_EQ(std::tuple(app.vector.MapResolution, app.vector.Color, app.vector.FollowHeight, app.vector.FadeOtherLevels),
              std::tuple(800, MakeColour(128, 128, 128), 1, 0));
    EXPECT_EQ(GetFileAttributesA(Ini().c_str()), INVALID_FILE_ATTRIBUTES);  // nothing written just by starting
    const RECT templ = Placement(*first);
    first.reset();
    test::WriteFile(Ini(), "[Mode]\r\nMapOnly=1\r\n");
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.app().MapOnly, 1);
    const RECT r = Placement(h);
    EXPECT_EQ(std::tuple(r.left, r.top, r.right - r.left), std::tuple(templ.left, templ.top, templ.right - templ.left));
    // Map-only view hides the window's controls.
    EXPECT_FALSE(IsWindowVisible(h.Item(IDC_LOG_FILE)) && GetWindowLongA(h.Item(IDC_LOG_FILE), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(SettingsTest, AnyNonZeroFlagIsOnAndWrittenBackAsOne) {
    test::WriteFile(Ini(), "[Mode]\r\nOnTop=5\r\nKeepCentered=-3\r\n[VURavaZiro]\r\nColor=255\r\nShowBase=7\r\n");
    MainWindowHarness h(folder.path());
    EXPECT_TRUE(h.app().OnTop && GetWindowLongA(h.window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(h.app().vector.Color, 255u);  // pure red background
    h.Command(IDC_EXIT);
    EXPECT_EQ(Value("Mode", "OnTop") + Value("Mode", "KeepCentered") + Value("VURavaZiro", "ShowBase") + "|" +
                  Value("VURavaZiro", "Color"), "111|255");
}

TEST_F(SettingsTest, SaveThenLoadGivesTheSameWindowModesAndVectorOptions) {
    // Every saved value set apart from its default and from the others.
    const std::pair<int AppState::*, int> modes[] = {{&AppState::KeepCentered, 1}, {&AppState::OnTop, 1},
                                                     {&AppState::AutoDetectLogFile, 1}, {&AppState::UseVURavaZiro, 1}};
    const std::pair<int VectorMapSettings::*, int> options[] = {
        {&VectorMapSettings::ShowLayer2, 0},      {&VectorMapSettings::MapResolution, 1234},
        {&VectorMapSettings::UseHeightFilter, 1}, {&VectorMapSettings::FilterHigh, 33},
        {&VectorMapSettings::FilterLow, 7},       {&VectorMapSettings::FontAdjust, 9},
        {&VectorMapSettings::LabelSpacing, 12},   {&VectorMapSettings::FollowHeight, 0},
        {&VectorMapSettings::FadeOtherLevels, 1}};
    RECT placed{};
    {
        MainWindowHarness h(folder.path());
        SetWindowPos(h.window(), nullptr, 60, 40, 720, 780, SWP_NOZORDER | SWP_NOACTIVATE);
        placed = Placement(h);
        for (auto [flag, value] : modes) h.app().*flag = value;
        for (auto [option, value] : options) h.app().vector.*option = value;
        h.app().vector.Color = 0x123456;
        h.app().vectorMapFolder = "C:\\maps\\";
        SendMessageA(h.window(), WM_CLOSE, 0, 0);
    }
    const std::string ini = test::ReadFile(Ini());
    EXPECT_NE(ini.find("[WindowPos]\r\nX=60\r\nY=40\r\nW=720\r\nH=780\r\n"), std::string::npos) << ini;
    EXPECT_EQ(ini.find("Log File"), std::string::npos);  // written only when the log changes
    MainWindowHarness again(folder.path());
    const RECT r = Placement(again);
    EXPECT_TRUE(EqualRect(&r, &placed));
    const AppState& app = again.app();
    for (auto [flag, value] : modes) EXPECT_EQ(app.*flag, value);
    for (auto [option, value] : options) EXPECT_EQ(app.vector.*option, value) << value;
    EXPECT_EQ(std::tuple(app.MapOnly, app.vector.ShowLayer1, app.vector.Color), std::tuple(0, 1, 0x123456u));
    EXPECT_EQ(app.vectorMapFolder, "C:\\maps\\");
}

// A hand-edited map scale far beyond the window's range starts at the largest allowed; set later, the stand-by picture.
TEST_F(SettingsTest, HugeMapScaleInTheFileStartsWithinTheWindowsRanges) {
    const std::string log = folder / "eqlog_A_P1999.txt";
    test::WriteFile(log, "You have entered Befallen.\r\n");
    for (const char* sub : {"VURavaZiro", "Zones"}) test::MakeFolder(folder / sub);
    test::WriteFile(folder / "VURavaZiro\\befallen.txt", "L 0, 0, 0, 1000, 500, 0, 255, 0, 0\r\n");
    ASSERT_TRUE(CopyFileA((std::string(TOLVIK_DATA_DIR) + "\\Zones\\MissingMap.jpg").c_str(),
                          (folder / "Zones\\MissingMap.jpg").c_str(), FALSE));
    test::WriteFile(Ini(), "[Settings]\r\nLog File=" + log +
                               "\r\n[VURavaZiro]\r\nUseVURavaZiro=1\r\nMapResolution=40000\r\nFontAdjust=99\r\n"
                               "LabelSpacing=-5\r\nFilterLow=-3\r\n");
    MainWindowHarness h(folder.path());
    const AppState& app = h.app();
    EXPECT_EQ(std::tuple(app.vector.MapResolution, app.vector.FontAdjust, app.vector.LabelSpacing, app.vector.FilterLow),
              std::tuple(1600, 10, 0, 0));
    EXPECT_EQ(app.map.zoneName, "Befallen");
    EXPECT_EQ(std::tuple(app.map.imageWidth, app.map.imageHeight, app.map.calibrated), std::tuple(1600, 800, 1));
    h.app().vector.MapResolution = 40000;
    h.Select("Befallen");  // the stand-by picture
    EXPECT_EQ(std::tuple(app.map.imageWidth, app.map.imageHeight, app.map.calibrated), std::tuple(800, 600, 0));
}

TEST_F(SettingsTest, WindowIsRestoredWithItsTitleBarInReach) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // Off every screen: centred on the work area (the geometry itself is the portable core's).
    test::WriteFile(Ini(), "[WindowPos]\r\nX=-30000\r\nY=-30000\r\nW=700\r\nH=720\r\n");
    MainWindowHarness h(folder.path());
    const RECT r = Placement(h);
    EXPECT_EQ(std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
              std::tuple(work.left + (work.right - work.left - 700) / 2, work.top + (work.bottom - work.top - 720) / 2, 700, 720));
}

}  // namespace

TEST_F(SettingsTest, ZoomIsKeptPerZoneUnderItsName) {
    test::MakeFolder(folder / "Zones");
    ASSERT_TRUE(test::WritePicture(folder / "Zones\\MissingMap.jpg", test::SolidPicture(60, 40, 0xFF000060u)));
    test::WriteFile(Ini(), "[Zoom]\r\neast commonlands=-3\r\nBefallen=99\r\nLavastorm=junk\r\n");
    {
        MainWindowHarness h(folder.path());
        const int& step = h.app().map.zoomStep;
        // Each zone, the zoom it gets (99 kept in range, junk the actual size), the zoom given; "Bad=Zone" fits no key.
        const struct { const char* zone; int expected, zoomTo; } steps[] = {
            {"East Commonlands", -3, -3}, {"Befallen", 8, 0}, {"Lavastorm", 0, 2}, {"Bad=Zone", 0, 1}, {"Befallen", 0, 0}};
        for (const auto& s : steps) {
            h.Select(s.zone);
            EXPECT_EQ(step, s.expected) << s.zone;
            if (s.zoomTo != step) ZoomMapView(h.window(), h.program(), s.zoomTo, POINT{10, 10});
        }
        SendMessageA(h.window(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(Value("Zoom", "East Commonlands") + "|" + Value("Zoom", "Lavastorm") + "|" + Value("Zoom", "Befallen"),
              "-3|2|<missing>");
    EXPECT_EQ(test::ReadFile(Ini()).find("Bad"), std::string::npos);
}

}  // namespace tolvik
