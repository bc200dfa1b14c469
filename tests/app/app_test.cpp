// Where the program keeps its files, and where its windows come back.
#include <gtest/gtest.h>

#include <climits>

#include "app/folders.h"
#include "app/tick_pace.h"
#include "app/window_placement.h"
#include "base/app_state.h"
#include "base/paths.h"
#include "support/temp_files.h"

namespace tolvik {
namespace {

TEST(ProgramFolders, SubFoldersHangOffTheProgramFolderWithOneSeparator) {
    AppState app;
    for (const char* given : {"E:\\Games\\Tolvik\\", "E:\\Games\\Tolvik"}) {
        SetProgramFolders(app, given);
        EXPECT_EQ(app.programFolder + "|" + app.texturesFolder + "|" + app.vectorMapFolder + "|" + app.zonesFolder,
                  "E:\\Games\\Tolvik\\|E:\\Games\\Tolvik\\Textures\\|E:\\Games\\Tolvik\\VURavaZiro\\|E:\\Games\\Tolvik\\Zones\\");
    }
    for (const char* local : {"C:\\Users\\me\\AppData\\Local", "C:\\Users\\me\\AppData\\Local\\"})
        EXPECT_EQ(FallbackProgramFolder(local), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(ChooseProgramFolder("E:\\Games\\Tolvik\\", false, ""), "E:\\Games\\Tolvik\\");  // no fallback
}

// The program's own folder when the background picture (a file, not a folder) is beside it; else the per-user one.
TEST(ProgramFolders, InitChoosesByTheTexturePictureOnDisk) {
    test::TempFolder root("folders");
    test::MakeFolder(root / "Textures");
    const std::string picture = root / "Textures" + SeparatorOf(root.path()) + "BackgroundDialog.jpg";
    test::MakeFolder(picture);
    AppState app;
    InitProgramFolders(app, root / "Tolvik.exe", "/home/me/.local");
    EXPECT_EQ(app.programFolder, "/home/me/.local/Tolvik/");
    test::RemoveFolder(picture), test::WriteFile(picture, "x");
    InitProgramFolders(app, root / "Tolvik.exe", "/home/me/.local");
    EXPECT_EQ(app.programFolder + "|" + app.zonesFolder, root.path() + "|" + root / "Zones" + root.path().back());
}

// Two monitors side by side, the primary one with a task bar at its bottom.
const Rect kPrimary{0, 0, 1920, 1040};
const Rect kSecond{1920, 0, 3200, 1024};
const Rect kTemplate{100, 100, 760, 800};
constexpr int kTitle = 30;

Rect Restore(const Rect& stored, const std::vector<Rect>& areas = {kPrimary, kSecond}) {
    return RestoredWindowRect(stored, areas, kPrimary, kTemplate, kTitle);
}

// Ticks a period apart, anchored to the schedule rather than to when each was
// taken; a loop that fell behind starts afresh; the clock wraps around.
TEST(TickPace, TicksKeepTheirPeriodAcrossLateTicksAndTheClockWrap) {
    for (const std::uint32_t start : {1000u, 0xFFFFFFC0u}) {
        TickPace pace;
        StartTicks(pace, start);
        EXPECT_EQ(UntilNextTick(pace, start), 100u);
        EXPECT_EQ(UntilNextTick(pace, start + 99), 1u);
        EXPECT_EQ(UntilNextTick(pace, start + 100), 0u);
        EXPECT_EQ(UntilNextTick(pace, start + 130), 0u);
        TakeTick(pace, start + 130);  // taken 30 ms late: the next one keeps its time
        EXPECT_EQ(UntilNextTick(pace, start + 130), 70u);
        TakeTick(pace, start + 450);  // more than a period behind
        EXPECT_EQ(UntilNextTick(pace, start + 450), 100u);
    }
}

// Attentive for two seconds after input, and never before any came.
TEST(TickPace, AttentiveForTwoSecondsAfterInput) {
    TickPace pace;
    StartTicks(pace, 0xFFFFF000u);
    EXPECT_FALSE(Attentive(pace, 0xFFFFF000u));
    NoteInput(pace, 0xFFFFFF00u);
    EXPECT_TRUE(Attentive(pace, 0xFFFFFF00u));
    EXPECT_TRUE(Attentive(pace, 0xFFFFFF00u + 1999));
    EXPECT_FALSE(Attentive(pace, 0xFFFFFF00u + 2000));
}

TEST(WindowPlacement, TitleBarOnTheWorkAreasKeepsTheWindowExactly) {
    // Hanging over the bottom edge and over the far right edge, title bar in reach; across the seam of the monitors.
    for (const Rect& r : {Rect{200, 900, 900, 1600}, Rect{2900, 994, 3200, 1500}, Rect{0, 0, 1920, 1040}, Rect{1500, 100, 2400, 800}})
        EXPECT_EQ(Restore(r), r);
    // Across two monitors stacked one above the other, and across the gap a task bar leaves between them.
    const Rect below{0, 1080, 1920, 2160};
    EXPECT_EQ(Restore(Rect{100, 1070, 800, 1600}, {Rect{0, 0, 1920, 1080}, below}), (Rect{100, 1070, 800, 1600}));
    EXPECT_EQ(Restore(Rect{100, 1030, 800, 1600}, {kPrimary, below}), (Rect{100, 1080, 800, 1650}));
    // The same on the primary monitor alone reaches past its right edge.
    EXPECT_EQ(Restore(Rect{1500, 100, 2400, 800}, {kPrimary}), (Rect{1020, 100, 1920, 800}));
}

TEST(WindowPlacement, TitleBarOutOfReachMovesTheWindowTheLeastDistance) {
    // Above the top: one pixel is enough to lose the title bar's top row. Beyond the second monitor's right side.
    EXPECT_EQ(Restore(Rect{300, -1, 1000, 699}), (Rect{300, 0, 1000, 700}));
    EXPECT_EQ(Restore(Rect{2700, 50, 3400, 750}), (Rect{2500, 50, 3200, 750}));
    // The title bar only just below the work area's bottom (the task bar).
    EXPECT_EQ(Restore(Rect{300, 1020, 1000, 1720}), (Rect{300, 340, 1000, 1040}));
    // Too big for the monitor it is mostly on: shrunk to fit there, not elsewhere.
    EXPECT_EQ(Restore(Rect{1800, -100, 4000, 900}), (Rect{1920, 0, 3200, 1000}));
    EXPECT_EQ(Restore(Rect{-50, 10, 600, 2000}), (Rect{0, 0, 650, 1040}));
}

TEST(WindowPlacement, WindowOnARemovedMonitorComesBackCentredOnThePrimary) {
    EXPECT_EQ(Restore(Rect{2500, 100, 3200, 800}, {kPrimary}), (Rect{610, 170, 1310, 870}));  // (1920 - 700) / 2, (1040 - 700) / 2
    EXPECT_EQ(Restore(Rect{5000, 5000, 9000, 9000}, {kPrimary}), kPrimary);
    // No size stored: the template's size.
    EXPECT_EQ(Restore(Rect{50, 50, 50, 50}), (Rect{50, 50, 50 + kTemplate.Width(), 50 + kTemplate.Height()}));
    // Values no screen has cannot overflow.
    EXPECT_EQ(Restore(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {kPrimary}), kPrimary);
}

TEST(WindowPlacement, SettingsWindowCentredOnItsOwnerAndWhollyOnTheWorkArea) {
    EXPECT_EQ(CentredOn(Rect{0, 0, 460, 300}, Rect{100, 100, 800, 800}, kPrimary), (Rect{220, 300, 680, 600}));
    // Larger than the work area: its top-left corner stays on it.
    EXPECT_EQ(MovedInside(Rect{-10, -10, 2000, 1100}, kPrimary), (Rect{0, 0, 2010, 1110}));
}

}  // namespace
}  // namespace tolvik
