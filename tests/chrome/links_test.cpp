#include "chrome/links.h"

#include <gtest/gtest.h>

#include <string>

#include "chrome/hover_text.h"

namespace tolvik {
namespace {

const std::string kItemPrefix = "http://everquest.allakhazam.com/db/searchdb.html?iname=";
const std::string kWikiPrefix = "http://wiki.project1999.com/index.php?search=";

TEST(ChromeLinks, ItemDatabaseTurnsBlanksIntoPlusAndAppendsZonesMark) {
    EXPECT_EQ(ItemDatabaseSearchAddress("East Freeport"), kItemPrefix + "East+Freeport#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress("The Feerrott  (old)"), kItemPrefix + "The+Feerrott++(old)#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress("Cazic's Temple&x=1"), kItemPrefix + "Cazic's+Temple&x=1#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress(""), kItemPrefix + "#Zones");
}

TEST(ChromeLinks, WikiKeepsTextUnchanged) {
    EXPECT_EQ(WikiSearchAddress("East Freeport"), kWikiPrefix + "East Freeport");
    EXPECT_EQ(WikiSearchAddress("Plane of Sky (Air)'s"), kWikiPrefix + "Plane of Sky (Air)'s");
    EXPECT_EQ(WikiSearchAddress(""), kWikiPrefix);
}

TEST(ChromeLinks, LongTextIsCutAtEachLookupsLimit) {
    const std::string text(300, 'a');
    EXPECT_EQ(ItemDatabaseSearchAddress(text), kItemPrefix + std::string(255, 'a') + "#Zones");
    EXPECT_EQ(WikiSearchAddress(text), kWikiPrefix + std::string(258, 'a'));
    const std::string blanks(256, ' ');
    EXPECT_EQ(ItemDatabaseSearchAddress(blanks), kItemPrefix + std::string(255, '+') + "#Zones");
}

TEST(ChromeHoverTitle, ShowsTwoDecimalsWithSign) {
    EXPECT_EQ(HoverTitleText(1520.25f, -310.5f), "Tolvik - [ 1520.25, -310.50 ]");
    EXPECT_EQ(HoverTitleText(0.0f, 0.004f), "Tolvik - [ 0.00, 0.00 ]");
    EXPECT_EQ(HoverTitleText(-0.5f, 3.14159f), "Tolvik - [ -0.50, 3.14 ]");
    // Huge but finite values are written out whole, not cut.
    const std::string huge = HoverTitleText(3.0e38f, 1.0f);
    EXPECT_EQ(huge.substr(0, 12), "Tolvik - [ 3");
    EXPECT_EQ(huge.substr(huge.size() - 8), ", 1.00 ]");
}

}  // namespace
}  // namespace tolvik
