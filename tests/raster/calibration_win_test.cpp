#include "raster/calibration_win.h"

#include <gtest/gtest.h>

#include "raster/test_pictures_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::TempFolder;

// The lines of a profile file, blank lines dropped.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TEST(CalibrationFile, WritesTheEightKeysInOrder) {
    TempFolder folder("calfile");
    const std::string path = folder / "Greater Faydark.ini";
    WriteCalibrationFile(path, CalibrationPoints{120, 80, 940, 610, 1500.0f, -200.0f, -1300.0f, 1800.0f});
    const std::vector<std::string> expected = {"[Physical]",     "X1=120",        "Y1=80",          "X2=940",
                                               "Y2=610",         "[Logical]",     "X1=1500.0000",   "Y1=-200.0000",
                                               "X2=-1300.0000",  "Y2=1800.0000"};
    EXPECT_EQ(Lines(test::ReadFile(path)), expected);

    CalibrationPoints read;
    ReadCalibrationFile(path, read);
    EXPECT_EQ(read.physicalX1, 120);
    EXPECT_EQ(read.physicalY1, 80);
    EXPECT_EQ(read.physicalX2, 940);
    EXPECT_EQ(read.physicalY2, 610);
    EXPECT_EQ(read.logicalX1, 1500.0f);
    EXPECT_EQ(read.logicalY1, -200.0f);
    EXPECT_EQ(read.logicalX2, -1300.0f);
    EXPECT_EQ(read.logicalY2, 1800.0f);
}

TEST(CalibrationFile, MissingPartsReadAsZeros) {
    TempFolder folder("calfile");
    const std::string physicalOnly = folder / "a.ini";
    test::WriteFile(physicalOnly, "[Physical]\r\nX1=5\r\nY1=-6\r\nX2=700\r\nY2=8\r\n");
    CalibrationPoints read{1, 1, 1, 1, 9.0f, 9.0f, 9.0f, 9.0f};
    ReadCalibrationFile(physicalOnly, read);
    EXPECT_EQ(read.physicalX1, 5);
    EXPECT_EQ(read.physicalY1, -6);
    EXPECT_EQ(read.physicalX2, 700);
    EXPECT_EQ(read.physicalY2, 8);
    EXPECT_EQ(read.logicalX1, 0.0f);
    EXPECT_EQ(read.logicalY1, 0.0f);
    EXPECT_EQ(read.logicalX2, 0.0f);
    EXPECT_EQ(read.logicalY2, 0.0f);

    CalibrationPoints none{1, 2, 3, 4, 5.0f, 6.0f, 7.0f, 8.0f};
    ReadCalibrationFile(folder / "absent.ini", none);
    EXPECT_EQ(none.physicalX1, 0);
    EXPECT_EQ(none.physicalY2, 0);
    EXPECT_EQ(none.logicalX1, 0.0f);
    EXPECT_EQ(none.logicalY2, 0.0f);

    // Text where numbers belong, and an empty value.
    const std::string odd = folder / "odd.ini";
    test::WriteFile(odd, "[Physical]\r\nX1=abc\r\n[Logical]\r\nX1=12.5xyz\r\nY1=\r\nX2=nan\r\n");
    ReadCalibrationFile(odd, read);
    EXPECT_EQ(read.physicalX1, 0);
    EXPECT_EQ(read.logicalX1, 12.5f);
    EXPECT_EQ(read.logicalY1, 0.0f);
    EXPECT_EQ(read.logicalX2, 0.0f);
}

TEST(CalibrationFile, LoadZoneImageReadsTheCalibrationWithOrWithoutPicture) {
    TempFolder folder("calzone");
    test::Recorders rec;
    auto program = test::MakeTestProgram(folder.path(), rec);
    test::MakeFolder(program->app.zonesFolder);
    test::WriteFile(program->app.zonesFolder + "Befallen.ini", "[Physical]\r\nX1=3\r\nX2=4\r\n[Logical]\r\nY2=2.5\r\n");
    EXPECT_EQ(LoadZoneImage(*program, "Befallen"), nullptr);
    EXPECT_EQ(program->app.map.points.physicalX1, 3);
    EXPECT_EQ(program->app.map.points.physicalX2, 4);
    EXPECT_EQ(program->app.map.points.logicalY2, 2.5f);

    ASSERT_TRUE(test::WritePicture(program->app.zonesFolder + "Befallen.jpg", test::SolidPicture(9, 4, 0xFF112233u),
                                   test::PictureFormat::Png));
    program->app.map.points = CalibrationPoints{};
    HBITMAP image = LoadZoneImage(*program, "Befallen");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(test::ReadPixels(image).width, 9);
    EXPECT_EQ(program->app.map.points.physicalX2, 4);
    EXPECT_EQ(program->app.map.calibrated, 0);  // left to the map selection
    DeleteObject(image);
}

}  // namespace
}  // namespace tolvik
