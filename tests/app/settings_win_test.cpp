// The settings file as the main window reads and writes it.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/profile_win.h"
#include "app/settings_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;

class SettingsTest : public ::testing::Test {
protected:
    test::TempFolder folder{"settings"};
    std::string Ini() const { return folder / "Tolvik.ini"; }
    std::string Value(const char* section, const char* key) const {
        return ReadProfileText(section, key, "<missing>", Ini());
    }
    RECT TemplateRect() {
        MainWindowHarness h(folder.path());
        RECT r{};
        GetWindowRect(h.window(), &r);
        DeleteFileA(Ini().c_str());
        return r;
    }
};

TEST_F(SettingsTest, DefaultsWithoutAFile) {
    MainWindowHarness h(folder.path());
    const AppState& app = h.app();
    EXPECT_EQ(app.MapOnly + app.OnTop + app.KeepCentered + app.AutoDetectLogFile + app.UseVURavaZiro, 0);
    EXPECT_EQ(app.vector.MapResolution, 800);  // the file's default, not the start value
    EXPECT_EQ(app.vector.Color, MakeColour(128, 128, 128));
    EXPECT_EQ(app.vectorMapFolder, folder / "VURavaZiro\\");
    EXPECT_EQ(h.Text(IDC_LOG_FILE), "");
    EXPECT_EQ(h.Text(IDC_POS_X), "None");
    // Nothing is written just by starting.
    EXPECT_EQ(GetFileAttributesA(Ini().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsTest, OnlyModeMapOnlyKeepsTheTemplatePlacement) {
    const RECT templ = TemplateRect();
    test::WriteFile(Ini(), "[Mode]\r\nMapOnly=1\r\n");
    MainWindowHarness h(folder.path());
    EXPECT_EQ(h.app().MapOnly, 1);
    RECT r{};
    GetWindowRect(h.window(), &r);
    EXPECT_EQ(r.left, templ.left);
    EXPECT_EQ(r.top, templ.top);
    EXPECT_EQ(r.right - r.left, templ.right - templ.left);
    // Map-only view hides the window's controls.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(h.window(), IDC_LOG_FILE)) &&
                 GetWindowLongA(GetDlgItem(h.window(), IDC_LOG_FILE), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(SettingsTest, AnyNonZeroFlagIsOnAndWrittenBackAsOne) {
    test::WriteFile(Ini(), "[Mode]\r\nOnTop=5\r\nKeepCentered=-3\r\n[VURavaZiro]\r\nColor=255\r\nShowBase=7\r\n");
    MainWindowHarness h(folder.path());
    EXPECT_NE(h.app().OnTop, 0);
    EXPECT_TRUE(GetWindowLongA(h.window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(h.app().vector.Color, 255u);  // pure red background
    h.Command(IDC_EXIT);
    EXPECT_EQ(Value("Mode", "OnTop"), "1");
    EXPECT_EQ(Value("Mode", "KeepCentered"), "1");
    EXPECT_EQ(Value("VURavaZiro", "ShowBase"), "1");
    EXPECT_EQ(Value("VURavaZiro", "Color"), "255");
}

TEST_F(SettingsTest, SaveThenLoadGivesTheSameWindowModesAndVectorOptions) {
    // Every saved value set apart from its default and from the others.
    const std::pair<int AppState::*, int> modes[] = {{&AppState::KeepCentered, 1}, {&AppState::OnTop, 1},
                                                     {&AppState::AutoDetectLogFile, 1}, {&AppState::UseVURavaZiro, 1}};
    const std::pair<int VectorMapSettings::*, int> options[] = {
        {&VectorMapSettings::ShowLayer2, 0},      {&VectorMapSettings::MapResolution, 1234},
        {&VectorMapSettings::UseHeightFilter, 1}, {&VectorMapSettings::FilterHigh, 33},
        {&VectorMapSettings::FilterLow, 7},       {&VectorMapSettings::FontAdjust, 9},
        {&VectorMapSettings::LabelSpacing, 12}};
    RECT placed{};
    {
        MainWindowHarness h(folder.path());
        SetWindowPos(h.window(), nullptr, 60, 40, 720, 780, SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(h.window(), &placed);
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
    RECT r{};
    GetWindowRect(again.window(), &r);
    EXPECT_TRUE(EqualRect(&r, &placed));
    const AppState& app = again.app();
    for (auto [flag, value] : modes) EXPECT_EQ(app.*flag, value);
    for (auto [option, value] : options) EXPECT_EQ(app.vector.*option, value) << value;
    EXPECT_EQ(app.MapOnly, 0);
    EXPECT_EQ(app.vector.ShowLayer1, 1);
    EXPECT_EQ(app.vector.Color, 0x123456u);
    EXPECT_EQ(app.vectorMapFolder, "C:\\maps\\");
}

TEST_F(SettingsTest, RectangleOnNoMonitorIsBroughtBackIntoView) {
    test::WriteFile(Ini(), "[WindowPos]\r\nX=-30000\r\nY=-30000\r\nW=700\r\nH=720\r\n");
    MainWindowHarness h(folder.path());
    RECT r{};
    GetWindowRect(h.window(), &r);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 720);
    EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(r.left, work.left);
    EXPECT_GE(r.top, work.top);
}

TEST_F(SettingsTest, ProfileRealHelpers) {
    test::WriteFile(Ini(), "[T]\r\nA=-12.5abc\r\nB=\r\n");
    EXPECT_FLOAT_EQ(ReadProfileReal("T", "A", Ini()), -12.5f);
    EXPECT_EQ(ReadProfileReal("T", "B", Ini()), 0.0f);
    WriteProfileReal("T", "D", 0.1f, Ini());
    EXPECT_EQ(ReadProfileText("T", "D", "", Ini()), "0.1000");
}

}  // namespace
}  // namespace tolvik
