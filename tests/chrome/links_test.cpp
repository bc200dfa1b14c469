#include "chrome/links.h"

#include <gtest/gtest.h>

#include <string>

#include "chrome/hover_text.h"

namespace tolvik {
namespace {

TEST(ChromeLinks, AddressesEscapeOnlyBlanksAndCutAtEachLimit) {
    const std::string item = kItemDatabaseSearchPrefix, wiki = kWikiSearchPrefix;
    EXPECT_EQ(item, "http://everquest.allakhazam.com/db/searchdb.html?iname=");
    EXPECT_EQ(wiki, "http://wiki.project1999.com/index.php?search=");
    EXPECT_EQ(ItemDatabaseSearchAddress("The Feerrott  (old)"), item + "The+Feerrott++(old)#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress("Cazic's Temple&x=1"), item + "Cazic's+Temple&x=1#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress(""), item + "#Zones");
    EXPECT_EQ(WikiSearchAddress("Plane of Sky (Air)'s"), wiki + "Plane of Sky (Air)'s");
    EXPECT_EQ(ItemDatabaseSearchAddress(std::string(300, 'a')), item + std::string(255, 'a') + "#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress(std::string(256, ' ')), item + std::string(255, '+') + "#Zones");
    EXPECT_EQ(WikiSearchAddress(std::string(300, 'a')), wiki + std::string(258, 'a'));
}

TEST(ChromeHoverTitle, ShowsTwoDecimalsWithSign) {
    EXPECT_EQ(HoverTitleText(1520.25f, -310.5f), "Tolvik - [ 1520.25, -310.50 ]");
    EXPECT_EQ(HoverTitleText(-0.5f, 0.004f), "Tolvik - [ -0.50, 0.00 ]");
    const std::string huge = HoverTitleText(3.0e38f, 1.0f);  // written out whole, not cut
    EXPECT_EQ(huge.substr(0, 12), "Tolvik - [ 3");
    EXPECT_EQ(huge.substr(huge.size() - 8), ", 1.00 ]");
}

}  // namespace
}  // namespace tolvik
