#include "raster/image_win.h"

#include <gtest/gtest.h>

#include "raster/test_pictures_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::Picture;
using test::PictureFormat;

struct DibFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool topDown = false;
    bool isDibSection = false;
};

DibFacts FactsOf(HBITMAP bitmap) {
    DibFacts facts;
    DIBSECTION section{};
    const int got = GetObjectA(bitmap, sizeof section, &section);
    facts.isDibSection = got == sizeof section;
    facts.width = section.dsBm.bmWidth;
    facts.height = section.dsBm.bmHeight;
    facts.bitsPerPixel = section.dsBm.bmBitsPixel;
    // The system reports the height as positive either way; look at which row
    // comes first in memory instead.
    if (facts.isDibSection && section.dsBm.bmBits && facts.height > 1) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const COLORREF saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, RGB(1, 2, 3));
        GdiFlush();
        const auto* first = static_cast<const unsigned char*>(section.dsBm.bmBits);
        facts.topDown = first[0] == 3 && first[1] == 2 && first[2] == 1;
        SetPixel(dc, 0, 0, saved);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    return facts;
}

class ImageLoad : public ::testing::Test {
protected:
    test::TempFolder folder{"image"};
};

TEST_F(ImageLoad, PngNamedJpgLoadsWithItsSizeAndColours) {
    Picture picture = test::SolidPicture(3, 2, 0xFF102030u);
    picture.at(0, 0) = 0xFFFF0000u;
    picture.at(2, 1) = 0xFF00FF00u;
    picture.at(1, 1) = 0xFF0000FFu;
    const std::string path = folder / "map.jpg";
    ASSERT_TRUE(test::WritePicture(path, picture, PictureFormat::Png));

    HBITMAP bitmap = LoadImageBitmap(path);
    ASSERT_NE(bitmap, nullptr);
    const DibFacts facts = FactsOf(bitmap);
    EXPECT_TRUE(facts.isDibSection);
    EXPECT_EQ(facts.width, 3);
    EXPECT_EQ(facts.height, 2);
    EXPECT_EQ(facts.bitsPerPixel, 24);
    EXPECT_TRUE(facts.topDown);
    Picture read = test::ReadPixels(bitmap);
    EXPECT_EQ(read.at(0, 0), 0xFF0000u);
    EXPECT_EQ(read.at(1, 0), 0x102030u);
    EXPECT_EQ(read.at(2, 1), 0x00FF00u);
    EXPECT_EQ(read.at(1, 1), 0x0000FFu);
    DeleteObject(bitmap);
}

TEST_F(ImageLoad, BmpAndJpegLoadWhateverTheirName) {
    const std::string bmp = folder / "bmp.jpg";
    ASSERT_TRUE(test::WritePicture(bmp, test::SolidPicture(5, 9, 0xFF40C080u), PictureFormat::Bmp));
    HBITMAP a = LoadImageBitmap(bmp);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(FactsOf(a).width, 5);
    EXPECT_EQ(FactsOf(a).height, 9);
    EXPECT_EQ(test::ReadPixels(a).at(4, 8), 0x40C080u);
    DeleteObject(a);

    const std::string jpeg = folder / "real.jpg";
    ASSERT_TRUE(test::WritePicture(jpeg, test::SolidPicture(16, 16, 0xFF808080u), PictureFormat::Jpeg));
    HBITMAP b = LoadImageBitmap(jpeg);
    ASSERT_NE(b, nullptr);
    const std::uint32_t grey = test::ReadPixels(b).at(8, 8);
    EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x80, 4);
    DeleteObject(b);
}

TEST_F(ImageLoad, OnePixelImage) {
    const std::string path = folder / "dot.jpg";
    ASSERT_TRUE(test::WritePicture(path, test::SolidPicture(1, 1, 0xFFABCDEFu), PictureFormat::Png));
    HBITMAP bitmap = LoadImageBitmap(path);
    ASSERT_NE(bitmap, nullptr);
    const DibFacts facts = FactsOf(bitmap);
    EXPECT_EQ(facts.width, 1);
    EXPECT_EQ(facts.height, 1);
    EXPECT_EQ(test::ReadPixels(bitmap).at(0, 0), 0xABCDEFu);
    DeleteObject(bitmap);
}

TEST_F(ImageLoad, TransparentPartsComeOutBlack) {
    Picture picture = test::SolidPicture(4, 1, 0xFFFFFFFFu);
    picture.at(1, 0) = 0x00FFFFFFu;  // fully transparent white
    picture.at(2, 0) = 0x80FF0000u;  // half transparent red
    const std::string path = folder / "alpha.jpg";
    ASSERT_TRUE(test::WritePicture(path, picture, PictureFormat::Png));
    HBITMAP bitmap = LoadImageBitmap(path);
    ASSERT_NE(bitmap, nullptr);
    Picture read = test::ReadPixels(bitmap);
    EXPECT_EQ(read.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(read.at(1, 0), 0x000000u);
    EXPECT_NEAR(static_cast<int>(read.at(2, 0) >> 16), 0x80, 2);
    EXPECT_EQ(read.at(2, 0) & 0xFFFFu, 0u);
    EXPECT_EQ(read.at(3, 0), 0xFFFFFFu);
    DeleteObject(bitmap);
}

TEST_F(ImageLoad, MissingOrBrokenFilesGiveNoBitmap) {
    EXPECT_EQ(LoadImageBitmap(folder / "absent.jpg"), nullptr);
    test::WriteFile(folder / "text.jpg", "this is not a picture");
    EXPECT_EQ(LoadImageBitmap(folder / "text.jpg"), nullptr);
    test::WriteFile(folder / "empty.jpg", "");
    EXPECT_EQ(LoadImageBitmap(folder / "empty.jpg"), nullptr);
    EXPECT_EQ(LoadImageBitmap(""), nullptr);
    EXPECT_EQ(LoadImageBitmap(folder.path()), nullptr);  // a folder
    // A path longer than the 260-character buffer.
    EXPECT_EQ(LoadImageBitmap(folder.path() + std::string(300, 'a') + ".jpg"), nullptr);
    // After failures a good picture still loads (GDI+ was shut down properly).
    const std::string good = folder / "good.jpg";
    ASSERT_TRUE(test::WritePicture(good, test::SolidPicture(2, 2, 0xFF000000u), PictureFormat::Png));
    HBITMAP bitmap = LoadImageBitmap(good);
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
}

TEST(ImageHelpers, DibSections) {
    EXPECT_EQ(CopyToDibSection(nullptr), nullptr);

    HBITMAP bottomUp = CreateDib24(7, 3);
    ASSERT_NE(bottomUp, nullptr);
    DibFacts facts = FactsOf(bottomUp);
    EXPECT_TRUE(facts.isDibSection);
    EXPECT_EQ(facts.bitsPerPixel, 24);
    EXPECT_FALSE(facts.topDown);
    Picture zeros = test::ReadPixels(bottomUp);
    for (auto v : zeros.argb) EXPECT_EQ(v, 0u);

    // A copy keeps size and pixels and is top-down; the source stays usable.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bottomUp);
    SetPixel(dc, 6, 0, RGB(1, 2, 3));
    SetPixel(dc, 0, 2, RGB(200, 100, 50));
    SelectObject(dc, old);
    DeleteDC(dc);
    HBITMAP copy = CopyToDibSection(bottomUp);
    ASSERT_NE(copy, nullptr);
    facts = FactsOf(copy);
    EXPECT_EQ(facts.width, 7);
    EXPECT_EQ(facts.height, 3);
    EXPECT_TRUE(facts.topDown);
    Picture read = test::ReadPixels(copy);
    EXPECT_EQ(read.at(6, 0), 0x010203u);
    EXPECT_EQ(read.at(0, 2), 0xC86432u);
    EXPECT_EQ(test::ReadPixels(bottomUp).at(6, 0), 0x010203u);
    DeleteObject(copy);
    DeleteObject(bottomUp);

    HBITMAP topDown = CreateTopDownDib(2, 5);
    ASSERT_NE(topDown, nullptr);
    EXPECT_TRUE(FactsOf(topDown).topDown);
    EXPECT_EQ(FactsOf(topDown).height, 5);
    EXPECT_EQ(FactsOf(topDown).bitsPerPixel, 24);
    DeleteObject(topDown);
}

}  // namespace
}  // namespace tolvik
