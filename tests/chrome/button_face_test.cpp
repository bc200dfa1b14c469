#include "chrome/button_face.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "res/resource.h"

namespace tolvik {
namespace {

// A bottom-up 24-bit face filled with one colour, padding bytes marked.
struct Face {
    int width;
    int height;
    std::vector<std::uint8_t> bytes;

    Face(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b)
        : width(w), height(h), bytes(static_cast<std::size_t>(Dib24Stride(w) * h), 0xAA) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) Set(x, y, r, g, b);
        }
    }
    std::uint8_t* At(int x, int y) { return &bytes[static_cast<std::size_t>(y * Dib24Stride(width) + x * 3)]; }
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        At(x, y)[0] = b;
        At(x, y)[1] = g;
        At(x, y)[2] = r;
    }
    int Red(int x, int y) { return At(x, y)[2]; }
    std::uint32_t Shade(int bevel, int lighten) { return ShadeButtonFace(bytes.data(), width, height, bevel, lighten); }
};

TEST(ChromeButtonFace, FlatGreyFaceHasWhiteHighlightAndGrey127Shadow) {
    Face face(20, 10, 192, 192, 192);
    const std::uint32_t highlight = face.Shade(4, 0);
    EXPECT_EQ(highlight, 0xFFFFFFu);
    EXPECT_EQ(BevelShadowColor(highlight), 127u | (127u << 8) | (127u << 16));
}

TEST(ChromeButtonFace, BevelDarkensFourPixelsLeftAndBottomThreeRightAndTop) {
    Face face(20, 10, 192, 192, 192);
    face.Shade(4, 0);
    // Along the middle row (y = 5): left column black, fading in over four
    // pixels; right column a quarter, fading in over three.
    const int expectedLeft[] = {0, 48, 96, 144, 192};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(face.Red(x, 5), expectedLeft[x]) << "x " << x;
    const int expectedRight[] = {192, 144, 96, 48};  // x = 16 .. 19
    for (int i = 0; i < 4; ++i) EXPECT_EQ(face.Red(16 + i, 5), expectedRight[i]) << "x " << 16 + i;
    // Along the middle column: bottom row (first in memory) black, top row a quarter.
    EXPECT_EQ(face.Red(10, 0), 0);
    EXPECT_EQ(face.Red(10, 1), 48);
    EXPECT_EQ(face.Red(10, 4), 192);
    EXPECT_EQ(face.Red(10, 9), 48);
    EXPECT_EQ(face.Red(10, 8), 96);
    // Corners take the nearer edge.
    EXPECT_EQ(face.Red(19, 9), 48);
    EXPECT_EQ(face.Red(0, 9), 0);
    // All three channels are treated alike.
    EXPECT_EQ(face.At(2, 5)[0], 96);
    EXPECT_EQ(face.At(2, 5)[1], 96);
}

TEST(ChromeButtonFace, PressedFaceIsLighterEverywhereIncludingBevelAndBlack) {
    Face released(12, 9, 192, 192, 192);
    Face pressed(12, 9, 192, 192, 192);
    // A texture smaller than the face leaves black pixels: they lighten too.
    for (int x = 6; x < 12; ++x) {
        released.Set(x, 0, 0, 0, 0);
        pressed.Set(x, 0, 0, 0, 0);
    }
    released.Shade(4, 0);
    pressed.Shade(4, 20);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 12; ++x) {
            EXPECT_GT(pressed.Red(x, y), released.Red(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(pressed.Red(0, 3), 51);           // black bevel column: a fifth of the way to white
    EXPECT_EQ(pressed.Red(5, 4), 204);          // interior: 192 * 0.8 + 51
    EXPECT_EQ(released.Red(5, 4), 192);         // interior unchanged without lightening
    EXPECT_EQ(pressed.Red(6, 8), 89);           // top row: (48 * 80 + 255 * 20) / 100
}

TEST(ChromeButtonFace, BlackPartOfFaceStaysBlackWithoutLightening) {
    Face face(16, 16, 0, 0, 0);
    for (int y = 8; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) face.Set(x, y, 200, 200, 200);  // texture covers the top-left quarter
    }
    face.Shade(4, 0);
    EXPECT_EQ(face.Red(12, 4), 0);
    EXPECT_EQ(face.Red(12, 12), 0);
    EXPECT_EQ(face.Red(5, 12), 200);
}

TEST(ChromeButtonFace, HighlightIsAverageLiftedToFullStrongestChannel) {
    Face face(5, 3, 100, 50, 25);
    const std::uint32_t highlight = face.Shade(0, 0);
    EXPECT_EQ(highlight & 0xFF, 255u);          // red 100 + 155
    EXPECT_EQ((highlight >> 8) & 0xFF, 205u);   // green 50 + 155
    EXPECT_EQ((highlight >> 16) & 0xFF, 180u);  // blue 25 + 155
    EXPECT_EQ(face.Red(0, 0), 100);             // no bevel: nothing darkened
    EXPECT_EQ(BevelShadowColor(highlight), 127u | (127u << 8) | (127u << 16));
}

TEST(ChromeButtonFace, RowPaddingIsLeftAlone) {
    EXPECT_EQ(Dib24Stride(1), 4);
    EXPECT_EQ(Dib24Stride(3), 12);
    EXPECT_EQ(Dib24Stride(4), 12);
    Face face(3, 4, 192, 192, 192);
    face.Shade(4, 20);
    for (int y = 0; y < 4; ++y) {
        for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(face.bytes[static_cast<std::size_t>(y * 12 + pad)], 0xAA);
    }
}

TEST(ChromeButtonFace, TinyAndEmptyFacesDoNotFault) {
    Face one(1, 1, 192, 192, 192);
    EXPECT_EQ(one.Shade(4, 0), 0xFFFFFFu);  // the single pixel is black: white by lifting
    EXPECT_EQ(one.Red(0, 0), 0);
    EXPECT_EQ(ShadeButtonFace(nullptr, 0, 0, 4, 0), 0xFFFFFFu);
    std::vector<std::uint8_t> bytes(4, 7);
    EXPECT_EQ(ShadeButtonFace(bytes.data(), 1, 0, 4, 0), 0xFFFFFFu);
    EXPECT_EQ(bytes[0], 7);
}

TEST(ChromeButtonText, DrawnTextsFollowTheToggles) {
    EXPECT_EQ(MainButtonText(IDC_ABOUT, 0, 0), "About...");
    EXPECT_EQ(MainButtonText(IDC_ITEM_DB, 0, 0), "Allakhazam");
    EXPECT_EQ(MainButtonText(IDC_CALIBRATE, 0, 0), "Calibrate");
    EXPECT_EQ(MainButtonText(IDC_CHOOSE_MAP, 0, 0), "Select Map Image...");
    EXPECT_EQ(MainButtonText(IDC_SET_LOG, 0, 0), "Select...");
    EXPECT_EQ(MainButtonText(IDC_INSTRUCTIONS, 0, 0), "Instructions");
    EXPECT_EQ(MainButtonText(IDC_WIKI, 0, 0), "P1999 Wiki");
    EXPECT_EQ(MainButtonText(IDC_EXIT, 0, 0), "Exit");
    EXPECT_EQ(MainButtonText(IDC_SAVE_CAL, 0, 0), "Save Calibration");

    EXPECT_EQ(MainButtonText(IDC_KEEP_ON_TOP, 0, 1), "Keep on top");
    EXPECT_EQ(MainButtonText(IDC_KEEP_ON_TOP, 1, 0), "Allow underneath");
    EXPECT_EQ(MainButtonText(IDC_KEEP_ON_TOP, -3, 0), "Allow underneath");  // any non-zero flag is on
    EXPECT_EQ(MainButtonText(IDC_RELOAD, 1, 0), "Enable Auto-Select");
    EXPECT_EQ(MainButtonText(IDC_RELOAD, 0, 1), "Disable Auto-Select");

    // Controls the program does not draw.
    EXPECT_EQ(MainButtonText(IDC_MAP_VIEW, 0, 0), "");
    EXPECT_EQ(MainButtonText(IDC_LOG_FILE, 0, 0), "");
    EXPECT_EQ(MainButtonText(IDC_VM_CLOSE, 0, 0), "");
}

}  // namespace
}  // namespace tolvik
