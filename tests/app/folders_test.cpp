#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/app_state.h"
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

TEST(ProgramFolders, PerUserFallbackAndModuleFolder) {
    EXPECT_EQ(ChooseProgramFolder("E:\\Games\\Tolvik\\", false, ""), "E:\\Games\\Tolvik\\");
    EXPECT_EQ(FallbackProgramFolder("C:\\Users\\me\\AppData\\Local"), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(FallbackProgramFolder("C:\\Users\\me\\AppData\\Local\\"), "C:\\Users\\me\\AppData\\Local\\Tolvik\\");
    EXPECT_EQ(FolderOfPath("E:\\Games\\Tolvik\\Tolvik.exe"), "E:\\Games\\Tolvik\\");
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

TEST(ApplicationState, VectorOptionsBeforeTheSettingsFileIsRead) {
    // The settings file's defaults differ from these (MapResolution 800).
    const AppState app;
    EXPECT_EQ(app.vector.MapResolution, 1000);
    EXPECT_EQ(app.vector.Color, 8421504u);
    EXPECT_EQ(app.zones.currentRecord, kNoRecord);
}

}  // namespace
}  // namespace tolvik
