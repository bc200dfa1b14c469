// Decoding picture files into plain 24-bit GDI bitmaps, and the bitmap
// helpers that make such bitmaps.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/picture_header.h"

namespace tolvik {

// Whether a picture of a given width and height may be decoded.
using PictureSizeCheck = bool (*)(std::int64_t width, std::int64_t height);

// Decodes the picture file at `path` (any format GDI+ reads, whatever its
// extension) into a new 24-bit top-down DIB section; transparent parts come
// out black. Null when the file is missing or not a picture, when the size
// its header gives is not `allowed` (then nothing is decoded), and when it
// decodes beyond the bitmap size limit. The caller owns the result.
HBITMAP LoadImageBitmap(const std::string& path, PictureSizeCheck allowed = PictureSizeAllowed);

// A new 24-bit top-down DIB section with the size and pixels of `bitmap`,
// which is left as it is. Null when the size of `bitmap` cannot be read or
// is beyond the bitmap size limit.
HBITMAP CopyToDibSection(HBITMAP bitmap);

// An empty 24-bit top-down DIB section made against the screen; null for a
// size beyond the bitmap size limit, as for CreateDib24.
HBITMAP CreateTopDownDib(int width, int height);

// An empty (black) 24-bit bottom-up DIB section made against the screen.
HBITMAP CreateDib24(int width, int height);

}  // namespace tolvik
