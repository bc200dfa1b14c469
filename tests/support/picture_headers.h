// Picture file headers made byte by byte: the start of a file of any size, without its pixels.
#pragma once

#include <cstdint>
#include <string>

namespace tolvik::test_pictures {

inline std::string Be16(std::uint32_t v) { return {char(v >> 8), char(v)}; }
inline std::string Be32(std::uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }
inline std::string Le16(std::uint32_t v) { return {char(v), char(v >> 8)}; }
inline std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// PNG signature and IHDR chunk of a width x height RGB picture.
inline std::string PngHeader(std::uint32_t width, std::uint32_t height) {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
           std::string("\x08\x02\0\0\0", 5) + Be32(0);
}

// A JPEG segment: marker, length, payload.
inline std::string Segment(unsigned marker, const std::string& payload) {
    return std::string{'\xFF', char(marker)} + Be16(static_cast<std::uint32_t>(payload.size() + 2)) + payload;
}

// Start of image, JFIF segment and a three-component frame header.
inline std::string JpegHeader(std::uint32_t width, std::uint32_t height, unsigned frameMarker = 0xC0) {
    return std::string("\xFF\xD8", 2) + Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)) +
           Segment(frameMarker, std::string(1, 8).append(Be16(height)) + Be16(width) + std::string("\x03\x01\x22\0\x02\x11\1\x03\x11\1", 10));
}

// Screen, two-colour table, optionally a graphic control extension, and the first image descriptor.
inline std::string GifHeader(unsigned screenW, unsigned screenH, unsigned left, unsigned top, unsigned w, unsigned h,
                             bool extension) {
    std::string b = "GIF89a" + Le16(screenW) + Le16(screenH) + std::string("\x80\0\0", 3) + std::string(6, '\x55');
    if (extension) b += std::string("\x21\xF9\x04\0\0\0\0\0", 8);
    return b + "\x2C" + Le16(left) + Le16(top) + Le16(w) + Le16(h) + std::string(1, '\0');
}

// File header and an info header of `headerSize` bytes (12: 16-bit sides).
inline std::string BmpHeader(std::uint32_t headerSize, std::int32_t width, std::int32_t height) {
    return "BM" + Le32(0) + Le32(0) + Le32(14 + headerSize) + Le32(headerSize) +
           (headerSize == 12 ? Le16(width) + Le16(height) : Le32(width) + Le32(height)) + std::string("\x01\0\x18\0", 4) +
           std::string(headerSize > 16 ? headerSize - 16 : 0, '\0');
}

// First directory with the subfile type, the width and the length, the sides stored as `type` (3: 16-bit, 4: 32-bit).
inline std::string TiffHeader(bool bigEndian, unsigned type, std::uint32_t width, std::uint32_t height) {
    auto u16 = [&](std::uint32_t v) { return bigEndian ? Be16(v) : Le16(v); };
    auto u32 = [&](std::uint32_t v) { return bigEndian ? Be32(v) : Le32(v); };
    auto value = [&](std::uint32_t v) { return type == 3 ? u16(v) + u16(0) : u32(v); };
    return std::string(bigEndian ? "MM\0*" : "II*\0", 4) + u32(8) + u16(3) + u16(254) + u16(4) + u32(1) + u32(0) +
           u16(256) + u16(type) + u32(1) + value(width) + u16(257) + u16(type) + u32(1) + value(height) + u32(0);
}

// A 40-byte bitmap info header as an icon image holds it.
inline std::string BitmapInfo(std::int32_t width, std::int32_t height) {
    return Le32(40) + Le32(width) + Le32(height) + std::string("\x01\0\x20\0", 4) + std::string(24, '\0');
}

// An icon of one image: its directory entry's sides (0 for 256) and its data.
inline std::string IconHeader(unsigned w, unsigned h, const std::string& data) {
    return std::string("\0\0\1\0", 4) + Le16(1) + std::string{char(w), char(h), 0, 0} + Le16(1) + Le16(32) +
           Le32(static_cast<std::uint32_t>(data.size())) + Le32(22) + data;
}

}  // namespace tolvik::test_pictures
