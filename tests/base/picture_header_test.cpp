#include "base/picture_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/picture_headers.h"

namespace tolvik {
namespace {

using Bytes = std::string;
using namespace test_pictures;

PictureHeader Read(const Bytes& b) {
    return ReadPictureHeader(reinterpret_cast<const unsigned char*>(b.data()), b.size());
}

void ExpectSize(const Bytes& bytes, PictureKind kind, std::int64_t width, std::int64_t height) {
    const PictureHeader h = Read(bytes);
    EXPECT_EQ(h.kind, kind);
    ASSERT_TRUE(h.sizeKnown);
    EXPECT_EQ(h.width, width);
    EXPECT_EQ(h.height, height);
}

TEST(PictureHeader, SizesOfEveryFormatWidthFirst) {
    ExpectSize(PngHeader(27000, 26000), PictureKind::Png, 27000, 26000);
    ExpectSize(JpegHeader(8000, 6000), PictureKind::Jpeg, 8000, 6000);
    ExpectSize(JpegHeader(640, 480, 0xC2), PictureKind::Jpeg, 640, 480);  // progressive
    ExpectSize(GifHeader(300, 200, 0, 0, 10, 10, true), PictureKind::Gif, 300, 200);
    ExpectSize(GifHeader(300, 200, 250, 0, 60000, 10, false), PictureKind::Gif, 60250, 200);
    ExpectSize(BmpHeader(40, 7000, -5000), PictureKind::Bmp, 7000, 5000);  // top-down
    ExpectSize(BmpHeader(12, 900, 700), PictureKind::Bmp, 900, 700);
    ExpectSize(BmpHeader(124, 30, INT32_MIN), PictureKind::Bmp, 30, std::int64_t{1} << 31);
    ExpectSize(TiffHeader(false, 3, 3000, 2000), PictureKind::Tiff, 3000, 2000);
    ExpectSize(TiffHeader(true, 4, 70000, 50), PictureKind::Tiff, 70000, 50);
    ExpectSize(IconHeader(16, 32, PngHeader(20000, 30)), PictureKind::Icon, 20000, 32);
    ExpectSize(IconHeader(0, 0, BitmapInfo(64, 128)), PictureKind::Icon, 256, 256);
    ExpectSize(IconHeader(1, 1, BitmapInfo(900, 1800)), PictureKind::Icon, 900, 900);
}

// The frame header is found past long and odd segments: tables whose bytes
// look like a frame header, fill bytes, stray bytes and restart markers.
TEST(PictureHeader, JpegFrameHeaderFoundPastOtherSegments) {
    Bytes b = "\xFF\xD8";
    b += Segment(0xE1, Bytes(65000, '\xC0'));
    b += Segment(0xC4, Bytes("\x08\xFF\xFF\xFF\xFF", 5));  // Huffman table, not a frame
    b += Segment(0xCC, Bytes("\x08\xFF\xFF\xFF\xFF", 5));  // arithmetic conditioning
    b += Bytes("junk\xFF\x00\xFF\xFF\xFF\xD3", 10);
    b += JpegHeader(123, 45).substr(2);
    ExpectSize(b, PictureKind::Jpeg, 123, 45);
}

TEST(PictureHeader, MalformedOrCutShortHeadersGiveNoSize) {
    for (const Bytes& b : {Bytes("\xFF\xD8\xFF\xE0\x00\x01", 6),          // segment shorter than its length field
                           Bytes("\xFF\xD8\xFF\xDA\x00\x08", 6) + JpegHeader(9, 9),  // data before the frame
                           Bytes("\xFF\xD8\xFF\xD9", 4) + JpegHeader(9, 9),  // image ended
                           Bytes("\x89PNG\r\n\x1A\n\0\0\0\x0DIDAT", 16) + Bytes(8, '\x7F'),
                           Bytes("BM") + Bytes(12, '\0') + Bytes("\x0D\0\0\0", 4) + Bytes(16, '\0'),
                           TiffHeader(false, 7, 10, 10), IconHeader(0, 0, "").substr(0, 4), Bytes("plain text"),
                           Bytes()}) {
        EXPECT_FALSE(Read(b).sizeKnown) << testing::PrintToString(b);
    }
    // Every prefix of a header either knows the right size or none.
    for (const Bytes& whole : {PngHeader(27000, 27000), JpegHeader(30000, 20000), GifHeader(7, 8, 0, 0, 7, 8, true),
                               BmpHeader(40, 5, 6), TiffHeader(true, 3, 5, 6), IconHeader(5, 6, PngHeader(5, 6))}) {
        const PictureHeader full = Read(whole);
        ASSERT_TRUE(full.sizeKnown);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            const PictureHeader cut = Read(whole.substr(0, n));
            if (cut.sizeKnown) {
                EXPECT_EQ(cut.width, full.width) << n;
                EXPECT_EQ(cut.height, full.height) << n;
            }
        }
    }
}

TEST(PictureHeader, LimitsOnPicturesAndBitmaps) {
    EXPECT_TRUE(BitmapSizeAllowed(8192, 8192) && BitmapSizeAllowed(1, kMaxBitmapPixels));
    EXPECT_FALSE(BitmapSizeAllowed(8192, 8193) || BitmapSizeAllowed(8193, 8192) || BitmapSizeAllowed(0, 5) ||
                 BitmapSizeAllowed(5, -1) || BitmapSizeAllowed(INT64_MAX, 2));
    EXPECT_TRUE(PictureSizeAllowed(16384, 4096));
    EXPECT_FALSE(PictureSizeAllowed(16385, 1) || PictureSizeAllowed(1, 16385));

    EXPECT_FALSE(HeaderAllowsDecoding(Read(PngHeader(27000, 27000))));
    EXPECT_FALSE(HeaderAllowsDecoding(Read(JpegHeader(9000, 8000))));
    EXPECT_TRUE(HeaderAllowsDecoding(Read(JpegHeader(8000, 8000))));
    EXPECT_TRUE(HeaderAllowsDecoding(Read(PngHeader(0, 100000))));  // no picture: the decoder refuses it
    EXPECT_TRUE(HeaderAllowsDecoding(Read("not a picture")));
}

}  // namespace
}  // namespace tolvik
