// The size of a picture read from its file header, before anything is
// decoded, and the limits on pictures and bitmaps that the program makes.
// The format is told from the content, as the decoder tells it, never from
// the file name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvik {

// No bitmap of more pixels than this is made (8,192 x 8,192).
constexpr std::int64_t kMaxBitmapPixels = std::int64_t{64} << 20;

// No picture with a longer side than this is decoded.
constexpr std::int64_t kMaxPictureSide = 16384;

// True for a bitmap of at least one pixel and at most kMaxBitmapPixels.
bool BitmapSizeAllowed(std::int64_t width, std::int64_t height);

// True when a picture of this size may be decoded: a bitmap size that is
// allowed, and neither side longer than kMaxPictureSide.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);

enum class PictureKind { Unknown, Jpeg, Png, Gif, Bmp, Tiff, Icon };

// What a header says. `sizeKnown` is false for content of no kind checked
// here and for a header that is cut short or malformed; the decoder then
// decides what the file is. For an icon the size is the largest of its
// images, for a GIF the larger of its screen and its first image.
struct PictureHeader {
    PictureKind kind = PictureKind::Unknown;
    bool sizeKnown = false;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Random access to the bytes of a file or a buffer.
class PictureBytes {
public:
    virtual ~PictureBytes() = default;
    // Copies up to `count` bytes from `offset` into `out`; returns how many
    // there were (fewer at the end).
    virtual std::size_t ReadAt(std::uint64_t offset, unsigned char* out, std::size_t count) = 0;
};

PictureHeader ReadPictureHeader(PictureBytes& bytes);
PictureHeader ReadPictureHeader(const unsigned char* data, std::size_t size);

// The header of the file at `path`; nothing known when it cannot be opened.
PictureHeader ReadPictureFileHeader(const std::string& path);

// False only when the header gives a size that may not be decoded.
bool HeaderAllowsDecoding(const PictureHeader& header);

}  // namespace tolvik
