#include <gtest/gtest.h>

#include "app/folders.h"
#include "base/app_state.h"
#include "base/paths.h"
#include "support/temp_files.h"

namespace tolvik {
namespace {

TEST(ProgramFolders, SubFoldersHangOffTheProgramFolderWithOneSeparator) {
    AppState app;
    for (const char* given : {"E:\\Games\\Tolvik\\", "E:\\Games\\Tolvik"}) {
        SetProgramFolders(app, given);
        EXPECT_EQ(app.programFolder, "E:\\Games\\Tolvik\\");
        EXPECT_EQ(app.texturesFolder, "E:\\Games\\Tolvik\\Textures\\");
        EXPECT_EQ(app.vectorMapFolder, "E:\\Games\\Tolvik\\VURavaZiro\\");
        EXPECT_EQ(app.zonesFolder, "E:\\Games\\Tolvik\\Zones\\");
    }
    EXPECT_EQ(FallbackProgramFolder("C:\\Users\\me\\AppData\\Local"), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(FallbackProgramFolder("C:\\Users\\me\\AppData\\Local\\"), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(FallbackProgramFolder("/home/me/.local"), "/home/me/.local/Tolvik/");
    EXPECT_EQ(ChooseProgramFolder("E:\\Games\\Tolvik\\", false, ""), "E:\\Games\\Tolvik\\");  // no fallback
}

// The program's own folder when the background picture (a file, not a
// folder) is beside it; otherwise the per-user folder.
TEST(ProgramFolders, InitChoosesByTheTexturePictureOnDisk) {
    test::TempFolder root("folders");
    test::MakeFolder(root / "Textures");
    const std::string picture = root / "Textures" + SeparatorOf(root.path()) + "BackgroundDialog.jpg";
    test::MakeFolder(picture);
    AppState app;
    InitProgramFolders(app, root / "Tolvik.exe", "/home/me/.local");
    EXPECT_EQ(app.programFolder, "/home/me/.local/Tolvik/");
    test::RemoveFolder(picture);
    test::WriteFile(picture, "x");
    InitProgramFolders(app, root / "Tolvik.exe", "/home/me/.local");
    EXPECT_EQ(app.programFolder, root.path());
    EXPECT_EQ(app.zonesFolder, root / "Zones" + root.path().back());
}

TEST(LogFolder, DerivedOnlyFromAnExistingLogFile) {
    test::TempFolder root("logfolder");
    test::WriteFile(root / "chat.txt", "x");
    AppState app;
    app.logFolder = "E:\\Game\\logs\\";
    for (const std::string& file : {std::string(), root / "missing.txt", root.path()}) {
        app.logFile = file;
        DeriveLogFolder(app);
        EXPECT_EQ(app.logFolder, "E:\\Game\\logs\\") << file;
    }
    app.logFile = root / "chat.txt";
    DeriveLogFolder(app);
    EXPECT_EQ(app.logFolder, root.path());
}

}  // namespace
}  // namespace tolvik
