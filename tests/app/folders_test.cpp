#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_state.h"
#include "app/folders.h"
#include "log/discovery.h"

namespace tolvik {
namespace {

TEST(ProgramFolders, SubFoldersHangOffTheProgramFolderWithOneBackslash) {
    AppState app;
    SetProgramFolders(app, "E:\\Games\\Tolvik\\");
    EXPECT_EQ(app.programFolder, "E:\\Games\\Tolvik\\");
    EXPECT_EQ(app.texturesFolder, "E:\\Games\\Tolvik\\Textures\\");
    EXPECT_EQ(app.vectorMapFolder, "E:\\Games\\Tolvik\\VURavaZiro\\");
    EXPECT_EQ(app.zonesFolder, "E:\\Games\\Tolvik\\Zones\\");

    // A folder given without its final backslash gets exactly one.
    SetProgramFolders(app, "E:\\Games\\Tolvik");
    EXPECT_EQ(app.zonesFolder, "E:\\Games\\Tolvik\\Zones\\");
}

TEST(ProgramFolders, TexturesBesideTheProgramDecideTheFolder) {
    EXPECT_EQ(ChooseProgramFolder("E:\\Games\\Tolvik\\", true, "C:\\Users\\me\\AppData\\Local\\Tolvik\\"),
              "E:\\Games\\Tolvik\\");
    EXPECT_EQ(ChooseProgramFolder("E:\\Games\\Tolvik\\", false, "C:\\Users\\me\\AppData\\Local\\Tolvik\\"),
              "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    // Without a per-user folder the program's own folder is all there is.
    EXPECT_EQ(ChooseProgramFolder("E:\\Games\\Tolvik\\", false, ""), "E:\\Games\\Tolvik\\");
}

TEST(ProgramFolders, PerUserFallbackNeverDoublesTheSeparator) {
    EXPECT_EQ(FallbackProgramFolder("C:\\Users\\me\\AppData\\Local"), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(FallbackProgramFolder("C:\\Users\\me\\AppData\\Local\\"), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(FallbackProgramFolder(""), "");
}

TEST(ProgramFolders, ModuleFolderIsDriveAndDirectoryOfTheProgram) {
    EXPECT_EQ(FolderOfPath("E:\\Games\\Tolvik\\Tolvik.exe"), "E:\\Games\\Tolvik\\");
    EXPECT_EQ(FolderOfPath("E:\\Game\\Logs\\chat.txt"), "E:\\Game\\Logs\\");
}

TEST(ProgramFolders, InitChoosesByTheTexturePictureOnDisk) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "tolvik-folders-test";
    fs::remove_all(root);
    fs::create_directories(root / "Textures");
    const std::string exe = (root / "Tolvik.exe").string();

    AppState app;
    // "BackgroundDialog.jpg" as a folder does not count.
    fs::create_directories(root / "Textures" / "BackgroundDialog.jpg");
    InitProgramFolders(app, exe, "/home/me/.local");
    EXPECT_EQ(app.programFolder, "/home/me/.local/Tolvik/");

    fs::remove_all(root / "Textures" / "BackgroundDialog.jpg");
    std::ofstream(root / "Textures" / "BackgroundDialog.jpg") << "x";
    InitProgramFolders(app, exe, "/home/me/.local");
    EXPECT_EQ(app.programFolder, FolderOfPath(exe));
    const std::string folder = FolderOfPath(exe);
    EXPECT_EQ(app.zonesFolder, folder + "Zones" + folder.back());
    fs::remove_all(root);
}

TEST(LogFolder, DerivedOnlyFromAnExistingLogFile) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "tolvik-logfolder-test";
    fs::remove_all(root);
    fs::create_directories(root);
    const std::string log = (root / "chat.txt").string();
    std::ofstream(log) << "x";

    AppState app;
    app.logFolder = "E:\\Game\\logs\\";
    app.logFile = "";
    DeriveLogFolder(app);
    EXPECT_EQ(app.logFolder, "E:\\Game\\logs\\");
    app.logFile = (root / "missing.txt").string();
    DeriveLogFolder(app);
    EXPECT_EQ(app.logFolder, "E:\\Game\\logs\\");
    app.logFile = log;
    DeriveLogFolder(app);
    EXPECT_EQ(app.logFolder, FolderOfPath(log));
    fs::remove_all(root);
}

TEST(ApplicationState, StartValues) {
    const AppState app;
    EXPECT_TRUE(app.programFolder.empty());
    EXPECT_TRUE(app.logFile.empty());
    EXPECT_TRUE(app.logFolder.empty());
    EXPECT_EQ(app.zones.table.recordsInUse, 0);
    EXPECT_EQ(app.zones.currentRecord, kNoRecord);
    EXPECT_TRUE(app.map.zoneName.empty());
    EXPECT_EQ(app.logReadOffset, 0u);
    EXPECT_EQ(app.lastPollTime, 0u);
    EXPECT_EQ(app.MapOnly | app.OnTop | app.KeepCentered | app.AutoDetectLogFile | app.UseVURavaZiro, 0);
    EXPECT_EQ(app.calibrationMode | app.crosshairShown, 0);
    EXPECT_EQ(app.map.calibrated, 0);
    EXPECT_EQ(app.map.points.physicalX1 | app.map.points.physicalX2 | app.map.panX | app.map.panY, 0);
    EXPECT_EQ(app.drag.dragging, 0);
    // Vector options before the settings file is read.
    EXPECT_EQ(app.vector.MapResolution, 1000);
    EXPECT_EQ(app.vector.Color, 8421504u);
    EXPECT_EQ(app.vector.FilterLow, 20);
    EXPECT_EQ(app.vector.FilterHigh, 20);
    EXPECT_EQ(app.vector.FontAdjust, 5);
    EXPECT_EQ(app.vector.LabelSpacing, 2);
    EXPECT_EQ(app.vector.ShowBase & app.vector.ShowLayer1 & app.vector.ShowLayer2 & app.vector.ShowLayer3 &
                  app.vector.ShowLabels,
              1);
    EXPECT_EQ(app.vector.UseHeightFilter, 0);
    EXPECT_TRUE(app.vector.SearchFilter.empty());
    EXPECT_EQ(app.mainWindow, nullptr);
}

}  // namespace
}  // namespace tolvik
