#include "raster/map_texts.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

bool StartsWith(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }
bool EndsWith(const std::string& s, const std::string& p) {
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

TEST(RasterTexts, InstructionsParagraphs) {
    const std::string& text = CalibrationInstructionsText();
    EXPECT_TRUE(StartsWith(text, "Calibration Instructions\n\nFollow these steps to configure Tolvik to use your own "
                                 "maps:\n\n1. Select an image (jpeg file) of the map representing the current "
                                 "zone.  Tolvik will create"));
    EXPECT_NE(text.find("\n\nRepeat this process for the second point using the RIGHT SHIFT key.\n\n"),
              std::string::npos);
    EXPECT_TRUE(EndsWith(text, "key to lock in the position.\n\nNext, enter the logical (in-game) coordinates for "
                               "the physical point you chose by reading them off the map (if it has them) or by "
                               "visiting the location in-game and getting a /loc.\n\nRepeat this process for the "
                               "second point using the RIGHT SHIFT key.\n\n3. Save the calibration settings.\n\n"));
    EXPECT_EQ(text.find("\n\n\n"), std::string::npos);
    EXPECT_EQ(text.size(), 961u);
}

TEST(RasterTexts, GettingStarted) {
    const std::string& text = GettingStartedText();
    EXPECT_TRUE(StartsWith(text, "Tolvik\n\nBefore you can use Tolvik you'll need to do the following:\n\n1. Enable "
                                 "logging from within the game by entering \"/log on\".\n\n2. [Select...] a log "
                                 "file.  If you've"));
    EXPECT_TRUE(EndsWith(text, "[Enable Auto-Select].\n\n3. When you want to update the Tolvik map, use the "
                               "\"/loc\" command from within the game.\n\n"));
}

TEST(RasterTexts, MissingMapTextIsCutAt1023) {
    const std::string text = MissingMapText("Greater Faydark");
    EXPECT_EQ(text, "No map presently exists for Greater Faydark.\n\n" + CalibrationInstructionsText());

    const std::string longName(200, 'z');
    const std::string cut = MissingMapText(longName);
    EXPECT_EQ(cut.size(), 1023u);
    EXPECT_TRUE(StartsWith(cut, "No map presently exists for " + longName + ".\n\nCalibration Instructions"));

    EXPECT_EQ(MissingMapText(std::string(31, 'a')).size(), 1023u);  // just fits
    EXPECT_EQ(MissingMapText(std::string(32, 'a')).size(), 1023u);  // one character cut
    EXPECT_TRUE(EndsWith(MissingMapText(std::string(31, 'a')), "settings.\n\n"));
    EXPECT_TRUE(EndsWith(MissingMapText(std::string(32, 'a')), "settings.\n"));
}

}  // namespace
}  // namespace tolvik
