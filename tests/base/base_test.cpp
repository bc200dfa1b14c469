// Shared helpers: number text, picture headers and zone file names.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>

#include "base/number_text.h"
#include "base/picture_header.h"
#include "base/zone_file_name.h"
#include "log/zone_names.h"
#include "support/picture_headers.h"

namespace tolvik {
namespace {

TEST(RealParsing, LeadingDecimalNumberOrZero) {
    // Only the decimal form converts; beyond single precision, the largest finite value of the sign.
    const struct { const char* text; float value; } cases[] = {
        {"-12.5abc", -12.5f}, {"  3.75", 3.75f}, {"1534.56,", 1534.56f}, {"+7", 7.0f}, {".5", 0.5f}, {"5.", 5.0f},
        {"1.5e3", 1500.0f}, {"2E-2x", 0.02f}, {"4e", 4.0f}, {"4e+", 4.0f}, {"", 0.0f}, {"   ", 0.0f}, {"abc", 0.0f},
        {"-", 0.0f}, {".", 0.0f}, {"inf", 0.0f}, {"-infinity", 0.0f}, {"nan", 0.0f}, {"0x1p4", 0.0f},
        {"1e39", FLT_MAX}, {"-1e39", -FLT_MAX}, {"1e999999", FLT_MAX}, {"-1e999999", -FLT_MAX}};
    for (const auto& c : cases) EXPECT_EQ(ParseLeadingReal(c.text), c.value) << '"' << c.text << '"';
}

using Bytes = std::string;
using namespace test_pictures;

PictureHeader Read(const Bytes& b) { return ReadPictureHeader(reinterpret_cast<const unsigned char*>(b.data()), b.size()); }

void ExpectSize(const Bytes& bytes, PictureKind kind, std::int64_t width, std::int64_t height) {
    const PictureHeader h = Read(bytes);
    EXPECT_TRUE(h.sizeKnown && h.kind == kind) << static_cast<int>(h.kind);
    EXPECT_EQ(std::pair(h.width, h.height), std::pair(width, height));
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

// The frame header is found past long and odd segments, fill bytes, stray bytes and restart markers.
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
                           Bytes()})
        EXPECT_FALSE(Read(b).sizeKnown) << testing::PrintToString(b);
    // Every prefix of a header either knows the right size or none.
    for (const Bytes& whole : {PngHeader(27000, 27000), JpegHeader(30000, 20000), GifHeader(7, 8, 0, 0, 7, 8, true),
                               BmpHeader(40, 5, 6), TiffHeader(true, 3, 5, 6), IconHeader(5, 6, PngHeader(5, 6))})
        for (std::size_t n = 0; n < whole.size(); ++n) {
            const PictureHeader cut = Read(whole.substr(0, n)), full = Read(whole);
            EXPECT_TRUE(full.sizeKnown && (!cut.sizeKnown || std::pair(cut.width, cut.height) == std::pair(full.width, full.height))) << n;
        }
}

TEST(PictureHeader, LimitsOnPicturesAndBitmaps) {
    EXPECT_TRUE(PictureSizeAllowed(16384, 4096) && !PictureSizeAllowed(16385, 1) && !PictureSizeAllowed(1, 16385));

    EXPECT_FALSE(HeaderAllowsDecoding(Read(PngHeader(27000, 27000))) || HeaderAllowsDecoding(Read(JpegHeader(9000, 8000))));
    // No picture or no size: the decoder refuses it.
    EXPECT_TRUE(HeaderAllowsDecoding(Read(JpegHeader(8000, 8000))) && HeaderAllowsDecoding(Read(PngHeader(0, 100000))) &&
                HeaderAllowsDecoding(Read("not a picture")));
}


TEST(ZoneFileName, RealZoneNamesPass) {
    int rows = 0;
    const ZoneNameRow* table = ZoneNameTable(rows);
    for (int i = 0; i < rows; ++i) EXPECT_TRUE(IsSafeZoneProfileKey(table[i].displayName)) << table[i].displayName;
    // Names a log shows that the table does not hold, and ANSI bytes above 127.
    for (const char* name : {"The Plane of Knowledge", "Kael Drakkel", ".hidden", "Plane of Sky (PoS) v1.2", "Caf\xE9",
                             "x", "COM0", "Console", "NULL", "LPT10"})
        EXPECT_TRUE(IsSafeZoneProfileKey(name)) << name;
    EXPECT_TRUE(IsPlainZoneFileName(std::string(251, 'a')) && !IsPlainZoneFileName(std::string(252, 'a')));  // with ".jpg" 255
}

TEST(ZoneFileName, PathsDotsForbiddenCharactersAndDevicesAreRefused) {
    for (const char* name : {"", ".", "..", "...", "..\\pwn", "../pwn", "C:pwn", "\\\\server\\share", "Kael Drakkel.",
                             "Kael Drakkel ", "CON", "nul", "Com1", "lpt9", "NUL.txt", "CON .x", "conin$"})
        EXPECT_FALSE(IsPlainZoneFileName(name) || IsSafeZoneProfileKey(name)) << '"' << name << '"';
    std::string refused = "<>:\"/\\|?*\x7F";
    for (int c = 1; c < 0x20; ++c) refused += static_cast<char>(c);
    for (char c : refused)
        for (const std::string& name : {c + std::string("Kael"), "Kael" + std::string(1, c) + "x", "Kael" + std::string(1, c)})
            EXPECT_FALSE(IsPlainZoneFileName(name)) << "character " << int(c);
    EXPECT_FALSE(IsPlainZoneFileName(std::string("Kael\0x", 6)));
    for (const char* name : {"a=b", "Kael=", "[Physical]", ";Kael", " Kael"})  // profile keys refuse more
        EXPECT_TRUE(IsPlainZoneFileName(name) && !IsSafeZoneProfileKey(name)) << name;
    EXPECT_TRUE(IsSafeZoneProfileKey("Kael [x];y"));
}

}  // namespace
}  // namespace tolvik
