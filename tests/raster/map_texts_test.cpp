#include "raster/map_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvik {
namespace {

TEST(MapTexts, MissingMapTextNamesTheZoneThenHowToCalibrateCutAt1023) {
    const std::string text = MissingMapText("Guk");
    EXPECT_EQ(text, "No map presently exists for Guk.\n\n" + CalibrationInstructionsText());
    EXPECT_EQ(MissingMapText(std::string(2000, 'z')), "No map presently exists for " + std::string(995, 'z'));
    const std::string longest(1023 - text.size() + 3, 'n');  // just fits whole
    EXPECT_EQ(MissingMapText(longest).size(), 1023u);
    EXPECT_EQ(MissingMapText(longest).back(), '\n');
}

}  // namespace
}  // namespace tolvik
