// Picture files loaded whatever their format or refused; the built-in pictures and files replacing them.
#include "base/image_win.h"

#include <gtest/gtest.h>

#include "support/main_window_harness_win.h"
#include "support/picture_headers.h"

namespace tolvik {
namespace {

using test::Picture;
using test::PictureFormat;
using test::SolidPicture;

test::Picture PixelsOfFile(const std::string& path) { return test::ReadPixels(UniqueBitmap(LoadImageBitmap(path)).get()); }

class ImageLoad : public ::testing::Test {
protected:
    // `picture` written as `name` and loaded back; `firstInMemory` gets the first pixel of the 24-bit DIB.
    Picture RoundTrip(const std::string& name, const Picture& picture, PictureFormat format = PictureFormat::Png,
                      std::uint32_t* firstInMemory = nullptr) {
        EXPECT_TRUE(test::WritePicture(folder / name, picture, format));
        UniqueBitmap bitmap(LoadImageBitmap(folder / name));
        DIBSECTION section{};
        EXPECT_EQ(GetObjectA(bitmap.get(), sizeof section, &section), int{sizeof section}) << name;
        EXPECT_EQ(section.dsBm.bmBitsPixel, 24) << name;
        if (const auto* bits = static_cast<const unsigned char*>(section.dsBm.bmBits); firstInMemory && bits)
            *firstInMemory = std::uint32_t{bits[2]} << 16 | std::uint32_t{bits[1]} << 8 | bits[0];
        return test::ReadPixels(bitmap.get());
    }
    bool Loads(const std::string& name, PictureSizeCheck allow = PictureSizeAllowed) {
        return UniqueBitmap(LoadImageBitmap(folder / name, allow)).get() != nullptr;
    }
    test::TempFolder folder{"image"};
};

TEST_F(ImageLoad, PicturesLoadWhateverTheirNameAndAlphaComesOutOverBlack) {
    Picture picture = SolidPicture(3, 2, 0xFF102030u);
    picture.at(0, 0) = 0xFFFF0000u, picture.at(1, 1) = 0xFF0000FFu;
    std::uint32_t first = 0;
    Picture read = RoundTrip("map.jpg", picture, PictureFormat::Png, &first);  // a PNG named .jpg
    EXPECT_EQ(std::tuple(first, read.width, read.height), std::tuple(0xFF0000u, 3, 2));  // top-down
    EXPECT_EQ(read.argb, (std::vector<std::uint32_t>{0xFF0000u, 0x102030u, 0x102030u, 0x102030u, 0x0000FFu, 0x102030u}));
    EXPECT_EQ(RoundTrip("dot.jpg", SolidPicture(1, 1, 0xFFABCDEFu)).argb, std::vector<std::uint32_t>{0xABCDEFu});
    EXPECT_EQ(RoundTrip("bmp.jpg", SolidPicture(5, 9, 0xFF40C080u), PictureFormat::Bmp).at(4, 8), 0x40C080u);
    const std::uint32_t grey = RoundTrip("real.jpg", SolidPicture(16, 16, 0xFF808080u), PictureFormat::Jpeg).at(8, 8);
    EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x80, 4);
    // Opaque white, fully transparent white, half transparent red.
    read = RoundTrip("alpha.jpg", Picture{3, 1, {0xFFFFFFFFu, 0x00FFFFFFu, 0x80FF0000u}});
    EXPECT_EQ(std::tuple(read.at(0, 0), read.at(1, 0), read.at(2, 0) & 0xFFFFu), std::tuple(0xFFFFFFu, 0u, 0u));
    EXPECT_NEAR(static_cast<int>(read.at(2, 0) >> 16), 0x80, 2);
}

TEST_F(ImageLoad, MissingOrBrokenFilesGiveNoBitmap) {
    test::WriteFile(folder / "text.jpg", "this is not a picture");
    test::WriteFile(folder / "empty.jpg", "");
    for (const std::string& path : {folder / "absent.jpg", folder / "text.jpg", folder / "empty.jpg", std::string(),
                                    folder.path(), folder.path() + std::string(300, 'a') + ".jpg"})
        EXPECT_EQ(LoadImageBitmap(path), nullptr) << path;
    // After failures a good picture still loads (GDI+ was shut down properly).
    EXPECT_EQ(RoundTrip("good.jpg", SolidPicture(2, 2, 0xFF000000u)).width, 2);
}

// The header's size decides before decoding: too big, or not allowed by the caller.
TEST_F(ImageLoad, PicturesTooBigAreRefusedByTheirHeader) {
    test::WriteFile(folder / "png.jpg", test_pictures::PngHeader(27000, 27000) + std::string(100000, '\0'));
    test::WriteFile(folder / "jpeg.jpg", test_pictures::JpegHeader(16385, 100));
    ASSERT_TRUE(test::WritePicture(folder / "long.jpg", SolidPicture(16385, 1, 0xFF808080u)));
    for (const char* name : {"png.jpg", "jpeg.jpg", "long.jpg"}) EXPECT_FALSE(Loads(name)) << name;  // long: one side
    for (const PictureFormat format : {PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Bmp}) {
        ASSERT_TRUE(test::WritePicture(folder / "small.jpg", SolidPicture(3, 2, 0xFF808080u), format));
        EXPECT_FALSE(Loads("small.jpg", [](std::int64_t w, std::int64_t h) { return !(w == 3 && h == 2); }));
        EXPECT_TRUE(Loads("small.jpg", [](std::int64_t w, std::int64_t h) { return w == 3 && h == 2; }));
    }
    EXPECT_TRUE(CreateTopDownDib(8193, 8192) == nullptr && CreateDib24(8192, 8193) == nullptr);
}

TEST(ShippedArt, AnEmptyProgramFolderShowsTheBuiltInLookAndFilesThereWin) {
    const std::string data = std::string(TOLVIK_DATA_DIR) + "\\";
    const Picture button = PixelsOfFile(data + "Textures\\BackgroundButton.jpg");
    test::TempFolder folder{"alone"};
    {
        test::MainWindowHarness h(folder.path());
        const WinResources& gdi = h.program().gdi;
        EXPECT_EQ(test::ReadPixels(gdi.dialogTexture.get()).argb, PixelsOfFile(data + "Textures\\BackgroundDialog.jpg").argb);
        EXPECT_EQ(test::ReadPixels(gdi.buttonTexture.get()).argb, button.argb);
        // The getting-started picture on the built-in backdrop (not black).
        const Picture standBy = PixelsOfFile(data + "Zones\\MissingMap.jpg");
        EXPECT_EQ(std::pair(h.app().map.imageWidth, h.app().map.imageHeight), std::pair(standBy.width, standBy.height));
        Picture map = test::ReadPixels(gdi.mapBitmap.get());
        int lit = 0;
        for (int x = 0; x < h.app().map.imageOffsetX; ++x) lit += map.at(x, 0) != 0 ? 1 : 0;
        EXPECT_GT(lit, h.app().map.imageOffsetX / 2);
    }
    for (const char* sub : {"Textures", "Zones"}) test::MakeFolder(folder / sub);
    ASSERT_TRUE(test::WritePicture(folder / "Textures\\BackgroundDialog.jpg", SolidPicture(8, 8, 0xFF336699u)));
    ASSERT_TRUE(test::WritePicture(folder / "Zones\\MissingMap.jpg", SolidPicture(100, 50, 0xFF000040u)));
    test::MainWindowHarness h(folder.path());
    EXPECT_EQ(test::ReadPixels(h.program().gdi.dialogTexture.get()).argb, SolidPicture(8, 8, 0x336699u).argb);
    EXPECT_EQ(h.app().map.imageWidth, 100);
    EXPECT_EQ(test::ReadPixels(h.program().gdi.buttonTexture.get()).argb, button.argb);  // no file: still built in
}

}  // namespace
}  // namespace tolvik
