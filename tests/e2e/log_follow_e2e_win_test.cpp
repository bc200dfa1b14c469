// Tolvik.exe following a log that another process writes to.
#include <gtest/gtest.h>

#include "e2e/tolvik_process_win.h"

namespace tolvik::e2e {
namespace {

class FollowingLog : public ::testing::Test {
protected:
    StagedProgram staged{"follow"};
    std::string log = staged / "logs\\eqlog_Tester_P1999.txt";

    void SetUp() override {
        WriteFile(log, "[Sun Dec 06 20:00:00 2026] Welcome to EverQuest!\r\n");
        WritePrivateProfileStringA("Settings", "Log File", log.c_str(), (staged / "Tolvik.ini").c_str());
    }
    void Append(const std::string& text) { AppendFile(log, text); }
};

TEST_F(FollowingLog, ZoneAndPositionShowUpWithinTwoSeconds) {
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    EXPECT_EQ(tolvik.Text(IDC_LOG_FILE), log);

    Append("[Sun Dec 06 20:00:05 2026] You have entered Greater Faydark.\r\n");
    Append("[Sun Dec 06 20:00:06 2026] Your Location is 1534.56, -220.13, 3.75\r\n");
    EXPECT_TRUE(WaitFor([&] { return tolvik.Text(IDC_POS_X) == "-220.13"; }, 2000)) << tolvik.Text(IDC_POS_X);
    EXPECT_EQ(tolvik.Text(IDC_ZONE_FIELD), "Greater Faydark");
    EXPECT_EQ(tolvik.Text(IDC_POS_Y), "1534.56");
    EXPECT_EQ(tolvik.Text(IDC_POS_Z), "3.75");

    // A line that arrives in two pieces, cut inside the phrase, still counts.
    Append("[Sun Dec 06 20:00:09 2026] Your Locat");
    Sleep(1500);
    EXPECT_EQ(tolvik.Text(IDC_POS_X), "-220.13");
    Append("ion is 10.00, -20.50, 1.25\r\n");
    EXPECT_TRUE(WaitFor([&] { return tolvik.Text(IDC_POS_X) == "-20.50"; }, 2000)) << tolvik.Text(IDC_POS_X);
    EXPECT_EQ(tolvik.Text(IDC_POS_Y), "10.00");
    EXPECT_EQ(tolvik.Close(), 0u);

    const std::string ini = staged / "Tolvik.ini";
    for (const char* section : {"Settings", "WindowPos", "Mode", "VURavaZiro"}) {
        char names[512] = {};
        EXPECT_GT(GetPrivateProfileStringA(section, nullptr, "", names, sizeof names, ini.c_str()), 0u) << section;
    }
}

TEST_F(FollowingLog, SecondStartComesBackAtTheSamePlaceAndSize) {
    RECT moved{};
    {
        RunningTolvik tolvik(staged);
        ASSERT_NE(tolvik.WaitForWindow(), nullptr);
        SetWindowPos(tolvik.window(), nullptr, 40, 30, 700, 760, SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(300);
        GetWindowRect(tolvik.window(), &moved);
        EXPECT_EQ(tolvik.Close(), 0u);
    }
    const std::string ini = staged / "Tolvik.ini";
    EXPECT_EQ(Profile(ini, "WindowPos", "W"), std::to_string(moved.right - moved.left));
    RunningTolvik again(staged);
    ASSERT_NE(again.WaitForWindow(), nullptr);
    RECT restored{};
    GetWindowRect(again.window(), &restored);
    EXPECT_EQ(restored.left, moved.left);
    EXPECT_EQ(restored.top, moved.top);
    EXPECT_EQ(restored.right - restored.left, moved.right - moved.left);
    EXPECT_EQ(restored.bottom - restored.top, moved.bottom - moved.top);
    EXPECT_EQ(again.Close(), 0u);
}

}  // namespace
}  // namespace tolvik::e2e
