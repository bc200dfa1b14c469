#include "raster/image_win.h"

#include <gtest/gtest.h>

#include "raster/test_pictures_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::Picture;
using test::PictureFormat;

// Width, height, bits per pixel of a DIB section; 0 0 0 when it is none. The
// system reports the height as positive either way, so `topDown` looks at
// which row comes first in memory.
struct DibFacts {
    int width = 0, height = 0, bits = 0;
    bool topDown = false;
};
DibFacts FactsOf(HBITMAP bitmap) {
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return {};
    DibFacts facts{section.dsBm.bmWidth, section.dsBm.bmHeight, section.dsBm.bmBitsPixel};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF saved = GetPixel(dc, 0, 0);
    SetPixel(dc, 0, 0, RGB(1, 2, 3));
    GdiFlush();
    const auto* first = static_cast<const unsigned char*>(section.dsBm.bmBits);
    facts.topDown = facts.height > 1 && first[0] == 3 && first[1] == 2 && first[2] == 1;
    SetPixel(dc, 0, 0, saved);
    SelectObject(dc, old);
    DeleteDC(dc);
    return facts;
}

class ImageLoad : public ::testing::Test {
protected:
    // Writes `picture` as `name` in `format`, loads it back and returns its pixels.
    Picture RoundTrip(const std::string& name, const Picture& picture, PictureFormat format, DibFacts* facts = nullptr) {
        EXPECT_TRUE(test::WritePicture(folder / name, picture, format));
        HBITMAP bitmap = LoadImageBitmap(folder / name);
        EXPECT_NE(bitmap, nullptr) << name;
        if (facts) *facts = FactsOf(bitmap);
        Picture read = test::ReadPixels(bitmap);
        DeleteObject(bitmap);
        return read;
    }
    test::TempFolder folder{"image"};
};

TEST_F(ImageLoad, PicturesLoadWhateverTheirName) {
    Picture picture = test::SolidPicture(3, 2, 0xFF102030u);
    picture.at(0, 0) = 0xFFFF0000u;
    picture.at(1, 1) = 0xFF0000FFu;
    DibFacts facts;
    Picture read = RoundTrip("map.jpg", picture, PictureFormat::Png, &facts);  // a PNG named .jpg
    EXPECT_EQ(facts.width, 3);
    EXPECT_EQ(facts.height, 2);
    EXPECT_EQ(facts.bits, 24);
    EXPECT_TRUE(facts.topDown);
    EXPECT_EQ(read.argb, (std::vector<std::uint32_t>{0xFF0000u, 0x102030u, 0x102030u, 0x102030u, 0x0000FFu, 0x102030u}));

    EXPECT_EQ(RoundTrip("dot.jpg", test::SolidPicture(1, 1, 0xFFABCDEFu), PictureFormat::Png).argb,
              std::vector<std::uint32_t>{0xABCDEFu});
    EXPECT_EQ(RoundTrip("bmp.jpg", test::SolidPicture(5, 9, 0xFF40C080u), PictureFormat::Bmp).at(4, 8), 0x40C080u);
    const std::uint32_t grey = RoundTrip("real.jpg", test::SolidPicture(16, 16, 0xFF808080u), PictureFormat::Jpeg).at(8, 8);
    EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x80, 4);
}

TEST_F(ImageLoad, TransparentPartsComeOutBlack) {
    Picture picture = test::SolidPicture(3, 1, 0xFFFFFFFFu);
    picture.at(1, 0) = 0x00FFFFFFu;  // fully transparent white
    picture.at(2, 0) = 0x80FF0000u;  // half transparent red
    Picture read = RoundTrip("alpha.jpg", picture, PictureFormat::Png);
    EXPECT_EQ(read.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(read.at(1, 0), 0x000000u);
    EXPECT_NEAR(static_cast<int>(read.at(2, 0) >> 16), 0x80, 2);
    EXPECT_EQ(read.at(2, 0) & 0xFFFFu, 0u);
}

TEST_F(ImageLoad, MissingOrBrokenFilesGiveNoBitmap) {
    test::WriteFile(folder / "text.jpg", "this is not a picture");
    test::WriteFile(folder / "empty.jpg", "");
    for (const std::string& path : {folder / "absent.jpg", folder / "text.jpg", folder / "empty.jpg", std::string(),
                                    folder.path(), folder.path() + std::string(300, 'a') + ".jpg"})
        EXPECT_EQ(LoadImageBitmap(path), nullptr) << path;
    // After failures a good picture still loads (GDI+ was shut down properly).
    EXPECT_EQ(RoundTrip("good.jpg", test::SolidPicture(2, 2, 0xFF000000u), PictureFormat::Png).width, 2);
}

TEST(ImageHelpers, DibSections) {
    EXPECT_EQ(CopyToDibSection(nullptr), nullptr);
    HBITMAP bottomUp = CreateDib24(7, 3);
    ASSERT_NE(bottomUp, nullptr);
    EXPECT_FALSE(FactsOf(bottomUp).topDown);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bottomUp);
    SetPixel(dc, 6, 0, RGB(1, 2, 3));
    SelectObject(dc, old);
    DeleteDC(dc);
    // A copy keeps size and pixels and is top-down.
    HBITMAP copy = CopyToDibSection(bottomUp);
    const DibFacts facts = FactsOf(copy);
    EXPECT_EQ(facts.width, 7);
    EXPECT_EQ(facts.height, 3);
    EXPECT_EQ(facts.bits, 24);
    EXPECT_TRUE(facts.topDown);
    EXPECT_EQ(test::ReadPixels(copy).at(6, 0), 0x010203u);
    EXPECT_EQ(test::ReadPixels(copy).at(0, 2), 0u);
    HBITMAP topDown = CreateTopDownDib(2, 5);
    EXPECT_TRUE(FactsOf(topDown).topDown);
    DeleteObject(topDown);
    DeleteObject(copy);
    DeleteObject(bottomUp);
}

}  // namespace
}  // namespace tolvik
