// Decoding picture files into plain 24-bit GDI bitmaps, and the bitmap
// helpers that make such bitmaps.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/picture_header.h"

namespace tolvik {

// GDI+ running for the lifetime of one object. Each decoding starts its own;
// the program entry also holds one for the whole run, so that pictures
// decoded on two threads at once never start or stop GDI+ itself.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// Whether a picture of a given width and height may be decoded.
using PictureSizeCheck = bool (*)(std::int64_t width, std::int64_t height);

// Files bigger than this are not read as pictures.
constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;

// Decodes a picture held in memory (any format GDI+ reads) into a new 24-bit
// top-down DIB section; transparent parts come out black. Null when the
// bytes are not a picture, when the size its header gives is not `allowed`
// (then nothing is decoded), and when it decodes beyond the bitmap size
// limit. The caller owns the result. Every picture the program shows is
// decoded here.
HBITMAP DecodeImageBytes(const void* data, std::size_t size, PictureSizeCheck allowed = PictureSizeAllowed);

// Reads the picture file at `path` (whatever its extension) and decodes it
// with DecodeImageBytes; a file whose header gives a size that is not
// `allowed` is not read further. Null when the file is missing, unreadable,
// bigger than kMaxPictureFileBytes or not a picture.
HBITMAP LoadImageBitmap(const std::string& path, PictureSizeCheck allowed = PictureSizeAllowed);

// A new 24-bit top-down DIB section with the size and pixels of `bitmap`,
// which is left as it is. Null when the size of `bitmap` cannot be read or
// is beyond the bitmap size limit.
HBITMAP CopyToDibSection(HBITMAP bitmap);

// An empty 24-bit top-down DIB section made against the screen; null for a
// size beyond the bitmap size limit, as for CreateDib24.
HBITMAP CreateTopDownDib(int width, int height);

// An empty (black) 32-bit top-down DIB section made against the screen,
// with its pixels in `bits` (rows from the top, width * 4 bytes apart); null
// for a size beyond the bitmap size limit.
HBITMAP CreatePixelBitmap(int width, int height, void*& bits);

// An empty (black) 24-bit bottom-up DIB section made against the screen.
HBITMAP CreateDib24(int width, int height);

}  // namespace tolvik
