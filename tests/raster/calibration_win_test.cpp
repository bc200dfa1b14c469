#include "raster/calibration_win.h"

#include <gtest/gtest.h>

#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

std::vector<float> Values(const CalibrationPoints& p) {
    return {float(p.physicalX1), float(p.physicalY1), float(p.physicalX2), float(p.physicalY2),
            p.logicalX1,         p.logicalY1,         p.logicalX2,         p.logicalY2};
}

TEST(CalibrationFile, RoundTripAndMissingParts) {
    test::TempFolder folder("calfile");
    const std::string path = folder / "Greater Faydark.ini";
    const CalibrationPoints written{120, 80, 940, 610, 1500.0f, -200.0f, -1300.0f, 1800.0f};
    WriteCalibrationFile(path, written);
    std::string text = test::ReadFile(path);  // blank lines between sections do not count
    for (size_t i; (i = text.find("\r\n\r\n")) != std::string::npos;) text.erase(i, 2);
    EXPECT_EQ(text,
              "[Physical]\r\nX1=120\r\nY1=80\r\nX2=940\r\nY2=610\r\n[Logical]\r\nX1=1500.0000\r\nY1=-200.0000\r\n"
              "X2=-1300.0000\r\nY2=1800.0000\r\n");
    CalibrationPoints read;
    ReadCalibrationFile(path, read);
    EXPECT_EQ(Values(read), Values(written));

    test::WriteFile(folder / "a.ini", "[Physical]\r\nX1=5\r\nY1=-6\r\nX2=700\r\nY2=8\r\n");
    read = CalibrationPoints{1, 1, 1, 1, 9.0f, 9.0f, 9.0f, 9.0f};
    ReadCalibrationFile(folder / "a.ini", read);
    EXPECT_EQ(Values(read), (std::vector<float>{5, -6, 700, 8, 0, 0, 0, 0}));
    ReadCalibrationFile(folder / "absent.ini", read);
    EXPECT_EQ(Values(read), std::vector<float>(8, 0.0f));
    test::WriteFile(folder / "odd.ini", "[Physical]\r\nX1=abc\r\n[Logical]\r\nX1=12.5xyz\r\nY1=\r\nX2=nan\r\n");
    ReadCalibrationFile(folder / "odd.ini", read);
    EXPECT_EQ(Values(read), (std::vector<float>{0, 0, 0, 0, 12.5f, 0, 0, 0}));
}

}  // namespace
}  // namespace tolvik
