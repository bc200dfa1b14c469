// Decoding picture files into plain 24-bit GDI bitmaps, and the bitmap
// helpers that make such bitmaps.
#pragma once

#include <windows.h>

#include <string>

namespace tolvik {

// Decodes the picture file at `path` (any format GDI+ reads, whatever its
// extension) into a new 24-bit top-down DIB section; transparent parts come
// out black. Null when the file is missing or not a picture. The caller owns
// the result.
HBITMAP LoadImageBitmap(const std::string& path);

// A new 24-bit top-down DIB section with the size and pixels of `bitmap`,
// which is left as it is. Null when the size of `bitmap` cannot be read.
HBITMAP CopyToDibSection(HBITMAP bitmap);

// An empty 24-bit top-down DIB section made against the screen.
HBITMAP CreateTopDownDib(int width, int height);

// An empty (black) 24-bit bottom-up DIB section made against the screen.
HBITMAP CreateDib24(int width, int height);

}  // namespace tolvik
