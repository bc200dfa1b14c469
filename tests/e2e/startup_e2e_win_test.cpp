// Tolvik.exe started as a user starts it, watched from another process.
#include <gtest/gtest.h>

#include "e2e/tolvik_process_win.h"

namespace tolvik::e2e {
namespace {

TEST(EndToEnd, StartsShowsItsWindowAndClosesWithExitCodeZero) {
    StagedProgram staged("start");
    RunningTolvik tolvik(staged);
    ASSERT_TRUE(tolvik.started());
    ASSERT_NE(tolvik.WaitForWindow(), nullptr);
    // With no log known, the location fields say so.
    EXPECT_EQ(tolvik.Text(1014), "None");
    EXPECT_EQ(tolvik.Text(1019), "None");
    EXPECT_EQ(tolvik.Text(1024), "None");
    EXPECT_EQ(tolvik.Close(), 0u);
    // Closing wrote the settings file beside the program.
    const std::string ini = staged / "Tolvik.ini";
    EXPECT_NE(Profile(ini, "WindowPos", "W"), "<missing>");
    EXPECT_NE(Profile(ini, "Mode", "MapOnly"), "<missing>");
    EXPECT_NE(Profile(ini, "VURavaZiro", "MapResolution"), "<missing>");
}

}  // namespace
}  // namespace tolvik::e2e
