#include "raster/map_texts.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

bool EndsWith(const std::string& s, const std::string& p) {
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

TEST(RasterTexts, StandByTexts) {
    const std::string& help = CalibrationInstructionsText();
    EXPECT_EQ(help.size(), 961u);
    EXPECT_EQ(help.find("\n\n\n"), std::string::npos);
    EXPECT_TRUE(EndsWith(help, "second point using the RIGHT SHIFT key.\n\n3. Save the calibration settings.\n\n"));
    EXPECT_EQ(GettingStartedText().rfind("Tolvik\n\nBefore you can use Tolvik", 0), 0u);

    EXPECT_EQ(MissingMapText("Greater Faydark"), "No map presently exists for Greater Faydark.\n\n" + help);
    // Cut at 1,023 characters.
    const std::string longName(200, 'z');
    const std::string cut = MissingMapText(longName);
    EXPECT_EQ(cut.size(), 1023u);
    EXPECT_EQ(cut.rfind("No map presently exists for " + longName + ".\n\nCalibration Instructions", 0), 0u);
    EXPECT_TRUE(EndsWith(MissingMapText(std::string(31, 'a')), "settings.\n\n"));  // just fits
    EXPECT_TRUE(EndsWith(MissingMapText(std::string(32, 'a')), "settings.\n"));    // one character cut
}

}  // namespace
}  // namespace tolvik
