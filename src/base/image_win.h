// Decoding picture files into plain 24-bit GDI bitmaps, and the bitmap
// helpers that make such bitmaps.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace tolvik {

// Files bigger than this are not read as pictures.
constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;

// Decodes a picture held in memory (any format GDI+ reads) into a new 24-bit
// top-down DIB section; transparent parts come out black. Null when the
// bytes are not a picture. The caller owns the result. Every picture the
// program shows is decoded here.
HBITMAP DecodeImageBytes(const void* data, std::size_t size);

// Reads the picture file at `path` (whatever its extension) and decodes it
// with DecodeImageBytes. Null when the file is missing, unreadable, bigger
// than kMaxPictureFileBytes or not a picture.
HBITMAP LoadImageBitmap(const std::string& path);

// A new 24-bit top-down DIB section with the size and pixels of `bitmap`,
// which is left as it is. Null when the size of `bitmap` cannot be read.
HBITMAP CopyToDibSection(HBITMAP bitmap);

// An empty 24-bit top-down DIB section made against the screen.
HBITMAP CreateTopDownDib(int width, int height);

// An empty (black) 24-bit bottom-up DIB section made against the screen.
HBITMAP CreateDib24(int width, int height);

}  // namespace tolvik
