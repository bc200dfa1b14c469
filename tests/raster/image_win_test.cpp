#include "base/image_win.h"

#include <gtest/gtest.h>

#include "support/pictures_win.h"
#include "support/main_window_harness_win.h"
#include "support/picture_headers.h"

namespace tolvik {
namespace {

using test::Picture;
using test::PictureFormat;

class ImageLoad : public ::testing::Test {
protected:
    // Writes `picture` as `name` in `format`, loads it back and returns its pixels;
    // `firstInMemory` gets the pixel stored first in the 24-bit DIB section.
    Picture RoundTrip(const std::string& name, const Picture& picture, PictureFormat format = PictureFormat::Png,
                      std::uint32_t* firstInMemory = nullptr) {
        EXPECT_TRUE(test::WritePicture(folder / name, picture, format));
        HBITMAP bitmap = LoadImageBitmap(folder / name);
        EXPECT_NE(bitmap, nullptr) << name;
        DIBSECTION section{};
        EXPECT_EQ(GetObjectA(bitmap, sizeof section, &section), int{sizeof section}) << name;
        EXPECT_EQ(section.dsBm.bmBitsPixel, 24) << name;
        if (const auto* bits = static_cast<const unsigned char*>(section.dsBm.bmBits); firstInMemory && bits)
            *firstInMemory = std::uint32_t{bits[2]} << 16 | std::uint32_t{bits[1]} << 8 | bits[0];
        Picture read = test::ReadPixels(bitmap);
        DeleteObject(bitmap);
        return read;
    }
    test::TempFolder folder{"image"};
};

TEST_F(ImageLoad, PicturesLoadWhateverTheirNameAndAlphaComesOutOverBlack) {
    Picture picture = test::SolidPicture(3, 2, 0xFF102030u);
    picture.at(0, 0) = 0xFFFF0000u;
    picture.at(1, 1) = 0xFF0000FFu;
    std::uint32_t first = 0;
    Picture read = RoundTrip("map.jpg", picture, PictureFormat::Png, &first);  // a PNG named .jpg
    EXPECT_EQ(first, 0xFF0000u);  // top-down
    EXPECT_EQ(read.width, 3);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.argb, (std::vector<std::uint32_t>{0xFF0000u, 0x102030u, 0x102030u, 0x102030u, 0x0000FFu, 0x102030u}));
    EXPECT_EQ(RoundTrip("dot.jpg", test::SolidPicture(1, 1, 0xFFABCDEFu)).argb, std::vector<std::uint32_t>{0xABCDEFu});
    EXPECT_EQ(RoundTrip("bmp.jpg", test::SolidPicture(5, 9, 0xFF40C080u), PictureFormat::Bmp).at(4, 8), 0x40C080u);
    const std::uint32_t grey = RoundTrip("real.jpg", test::SolidPicture(16, 16, 0xFF808080u), PictureFormat::Jpeg).at(8, 8);
    EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x80, 4);

    picture = test::SolidPicture(3, 1, 0xFFFFFFFFu);
    picture.at(1, 0) = 0x00FFFFFFu;  // fully transparent white
    picture.at(2, 0) = 0x80FF0000u;  // half transparent red
    read = RoundTrip("alpha.jpg", picture);
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
    EXPECT_EQ(RoundTrip("good.jpg", test::SolidPicture(2, 2, 0xFF000000u)).width, 2);
}

// The size in the header decides before anything is decoded: a header
// claiming a huge picture is refused at once, and so is a real picture whose
// size the caller does not allow.
TEST_F(ImageLoad, PicturesTooBigAreRefusedByTheirHeader) {
    test::WriteFile(folder / "png.jpg", test_pictures::PngHeader(27000, 27000) + std::string(100000, '\0'));
    test::WriteFile(folder / "jpeg.jpg", test_pictures::JpegHeader(16385, 100));
    EXPECT_EQ(LoadImageBitmap(folder / "png.jpg"), nullptr);
    EXPECT_EQ(LoadImageBitmap(folder / "jpeg.jpg"), nullptr);
    ASSERT_TRUE(test::WritePicture(folder / "long.jpg", test::SolidPicture(16385, 1, 0xFF808080u)));
    EXPECT_EQ(LoadImageBitmap(folder / "long.jpg"), nullptr);  // one side too long

    for (const PictureFormat format : {PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Bmp}) {
        ASSERT_TRUE(test::WritePicture(folder / "small.jpg", test::SolidPicture(3, 2, 0xFF808080u), format));
        EXPECT_EQ(LoadImageBitmap(folder / "small.jpg", [](std::int64_t w, std::int64_t h) { return !(w == 3 && h == 2); }),
                  nullptr);
        HBITMAP allowed = LoadImageBitmap(folder / "small.jpg", [](std::int64_t w, std::int64_t h) { return w == 3 && h == 2; });
        EXPECT_NE(allowed, nullptr);
        DeleteObject(allowed);
    }
    EXPECT_EQ(CreateTopDownDib(8193, 8192), nullptr);
    EXPECT_EQ(CreateDib24(8192, 8193), nullptr);
}

}  // namespace
}  // namespace tolvik
