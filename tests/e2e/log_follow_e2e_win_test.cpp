// Tolvik.exe following a log that another process writes to.
#include <gtest/gtest.h>

#include "e2e/tolvik_process_win.h"

namespace tolvik::e2e {
namespace {

TEST(FollowingLog, ZoneAndPositionShowUpWithinTwoSeconds) {
    StagedProgram staged{"follow"};
    staged.StartLog("[Sun Dec 06 20:00:00 2026] Welcome to EverQuest!\r\n");
    RunningTolvik tolvik(staged);
    ASSERT_NE(tolvik.window(), nullptr);
    EXPECT_EQ(tolvik.Text(IDC_LOG_FILE), staged.log());
    AppendFile(staged.log(), "[Sun Dec 06 20:00:05 2026] You have entered Greater Faydark.\r\n"
                             "[Sun Dec 06 20:00:06 2026] Your Location is 1534.56, -220.13, 3.75\r\n");
    EXPECT_TRUE(tolvik.TextBecomes(IDC_POS_X, "-220.13", 2000)) << tolvik.Text(IDC_POS_X);
    EXPECT_EQ(tolvik.Text(IDC_ZONE_FIELD) + " " + tolvik.Text(IDC_POS_Y) + " " + tolvik.Text(IDC_POS_Z), "Greater Faydark 1534.56 3.75");
    EXPECT_EQ(tolvik.Close(), 0u);
}

}  // namespace
}  // namespace tolvik::e2e
