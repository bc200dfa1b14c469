#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "chrome/button_face.h"
#include "chrome/hover_text.h"
#include "chrome/links.h"
#include "base/colour.h"
#include "res/resource.h"

namespace tolvik {
namespace {

// A bottom-up 24-bit face of one grey, row padding marked 0xAA.
struct Face {
    int width, height;
    std::vector<std::uint8_t> bytes;
    Face(int w, int h, std::uint8_t grey) : width(w), height(h), bytes(static_cast<size_t>(Dib24Stride(w) * h), 0xAA) {
        for (int i = 0; i < w * h; ++i) Set(i % w, i / w, grey);
    }
    std::uint8_t* At(int x, int y) { return &bytes[static_cast<size_t>(y * Dib24Stride(width) + x * 3)]; }
    void Set(int x, int y, std::uint8_t grey) { std::fill_n(At(x, y), 3, grey); }
    int Red(int x, int y) { return At(x, y)[2]; }
    std::uint32_t Shade(int lighten) { return ShadeButtonFace(bytes.data(), width, height, 4, lighten); }
};

TEST(ChromeButtonFace, FlatGreyFaceHasWhiteHighlightAndABevel) {
    Face face(20, 10, 192);
    EXPECT_EQ(face.Shade(0), 0xFFFFFFu);
    // Middle row (y = 5): left column black fading in over four pixels, right column a quarter fading in over three;
    // bottom row (first in memory) black, top row a quarter; corners take the nearer edge.
    struct Pixel { int x, y, red; };
    for (const Pixel& p : {Pixel{0, 5, 0}, Pixel{1, 5, 48}, Pixel{2, 5, 96}, Pixel{3, 5, 144}, Pixel{4, 5, 192},
                           Pixel{16, 5, 192}, Pixel{17, 5, 144}, Pixel{19, 5, 48}, Pixel{10, 0, 0}, Pixel{10, 1, 48},
                           Pixel{10, 9, 48}, Pixel{10, 8, 96}, Pixel{19, 9, 48}, Pixel{0, 9, 0}})
        EXPECT_TRUE(face.Red(p.x, p.y) == p.red && face.At(p.x, p.y)[0] == p.red) << p.x << "," << p.y;  // all channels alike
}

TEST(ChromeButtonFace, PressedFaceIsLighterEverywhereAndBlackStaysBlackOtherwise) {
    Face released(12, 9, 192), pressed(12, 9, 192);
    for (int x = 6; x < 12; ++x) released.Set(x, 0, 0), pressed.Set(x, 0, 0);  // a texture smaller than the face leaves black
    released.Shade(0);
    pressed.Shade(20);
    for (int i = 0; i < 12 * 9; ++i) EXPECT_GT(pressed.Red(i % 12, i / 12), released.Red(i % 12, i / 12)) << i;
    // Black without lightening; black a fifth of the way to white; 192 * 0.8 + 51; top row (48 * 80 + 255 * 20) / 100.
    EXPECT_EQ(std::tuple(released.Red(8, 0), pressed.Red(0, 3), pressed.Red(5, 4), pressed.Red(6, 8)), std::tuple(0, 51, 204, 89));
}

TEST(ChromeButtonFace, HighlightIsTheAverageLiftedAndOddSizesAreSafe) {
    Face face(5, 3, 0);
    for (int i = 0; i < 15; ++i) std::copy_n("\x19\x32\x64", 3, face.At(i % 5, i / 5));  // red 100, green 50, blue 25
    EXPECT_EQ(ShadeButtonFace(face.bytes.data(), 5, 3, 0, 0), 255u | (205u << 8) | (180u << 16));
    EXPECT_EQ(face.Red(0, 0), 100);  // no bevel: nothing darkened
    Face odd(3, 4, 192);  // row padding is left alone
    odd.Shade(20);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(odd.bytes[static_cast<size_t>(y * 12 + 9)], 0xAA);
    std::vector<std::uint8_t> bytes(4, 7);  // a single pixel is black: white by lifting
    EXPECT_EQ(Face(1, 1, 192).Shade(0) & ShadeButtonFace(nullptr, 0, 0, 4, 0) & ShadeButtonFace(bytes.data(), 1, 0, 4, 0), 0xFFFFFFu);
    EXPECT_EQ(bytes[0], 7);
}

TEST(ChromeButtonFace, ShadowIsHalfTheHighlightsRedAndTogglesNameWhatAClickDoes) {
    EXPECT_EQ(BevelShadowColor(MakeColour(200, 90, 30)), MakeColour(100, 100, 100));
    EXPECT_EQ(MainButtonText(IDC_AUTO_SELECT, 0, 1) + "|" + MainButtonText(IDC_AUTO_SELECT, 1, 0) + "|" +
                  MainButtonText(IDC_KEEP_ON_TOP, 1, 0) + "|" + MainButtonText(IDC_KEEP_ON_TOP, 0, 1) + "|" +
                  MainButtonText(IDC_MAP_VIEW, 1, 1),
              "Disable Auto-Select|Enable Auto-Select|Allow underneath|Keep on top|");
}

TEST(ChromeLinks, AddressesEscapeOnlyBlanksAndCutAtEachLimit) {
    const std::string item = "http://everquest.allakhazam.com/db/searchdb.html?iname=";
    const std::string wiki = "http://wiki.project1999.com/index.php?search=";
    EXPECT_EQ(ItemDatabaseSearchAddress("The Feerrott  (old)"), item + "The+Feerrott++(old)#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress("Cazic's Temple&x=1") + ItemDatabaseSearchAddress(""), item + "Cazic's+Temple&x=1#Zones" + item + "#Zones");
    EXPECT_EQ(WikiSearchAddress("Plane of Sky (Air)'s"), wiki + "Plane of Sky (Air)'s");
    EXPECT_EQ(ItemDatabaseSearchAddress(std::string(300, 'a')), item + std::string(255, 'a') + "#Zones");
    EXPECT_EQ(ItemDatabaseSearchAddress(std::string(256, ' ')), item + std::string(255, '+') + "#Zones");
    EXPECT_EQ(WikiSearchAddress(std::string(300, 'a')), wiki + std::string(258, 'a'));
}

TEST(ChromeHoverTitle, ShowsTwoDecimalsWithSign) {
    EXPECT_EQ(HoverTitleText(-0.5f, 0.004f), "Tolvik - [ -0.50, 0.00 ]");
    const std::string huge = HoverTitleText(3.0e38f, 1.0f);  // written out whole, not cut
    EXPECT_EQ(huge.substr(0, 12) + huge.substr(huge.size() - 8), "Tolvik - [ 3, 1.00 ]");
}

}  // namespace
}  // namespace tolvik
