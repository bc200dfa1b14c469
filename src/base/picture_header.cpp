#include "base/picture_header.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tolvik {
namespace {

// Reads through a window of the bytes, so that walking a header's segments
// one small field at a time costs one read per window.
class Cursor {
public:
    explicit Cursor(PictureBytes& bytes) : bytes_(bytes) {}

    bool Read(std::uint64_t offset, unsigned char* out, std::size_t count) {
        if (offset > UINT64_MAX - count) return false;
        if (offset < start_ || offset + count > start_ + length_) {
            start_ = offset;
            length_ = bytes_.ReadAt(offset, window_, sizeof window_);
        }
        if (offset + count > start_ + length_) return false;
        std::memcpy(out, window_ + (offset - start_), count);
        return true;
    }

    // The offset of the first byte `value` at or after `offset`.
    bool Find(std::uint64_t offset, unsigned char value, std::uint64_t& found) {
        for (;;) {
            unsigned char byte = 0;
            if (!Read(offset, &byte, 1)) return false;  // loads the window at `offset`
            const unsigned char* from = window_ + (offset - start_);
            const void* hit = std::memchr(from, value, static_cast<std::size_t>(length_ - (offset - start_)));
            if (hit) {
                found = start_ + static_cast<std::uint64_t>(static_cast<const unsigned char*>(hit) - window_);
                return true;
            }
            offset = start_ + length_;
        }
    }

    bool U8(std::uint64_t offset, unsigned& value) {
        unsigned char b = 0;
        if (!Read(offset, &b, 1)) return false;
        value = b;
        return true;
    }
    bool U16(std::uint64_t offset, bool bigEndian, unsigned& value) {
        unsigned char b[2];
        if (!Read(offset, b, 2)) return false;
        value = bigEndian ? (b[0] << 8 | b[1]) : (b[1] << 8 | b[0]);
        return true;
    }
    bool U32(std::uint64_t offset, bool bigEndian, std::uint32_t& value) {
        unsigned char b[4];
        if (!Read(offset, b, 4)) return false;
        if (!bigEndian) std::reverse(b, b + 4);
        value = std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
        return true;
    }
    // A signed 32-bit little-endian field as its magnitude.
    bool Magnitude32(std::uint64_t offset, std::int64_t& value) {
        std::uint32_t raw = 0;
        if (!U32(offset, false, raw)) return false;
        const std::int64_t v = raw > INT32_MAX ? static_cast<std::int64_t>(raw) - (std::int64_t{1} << 32) : raw;
        value = v < 0 ? -v : v;
        return true;
    }
    bool Starts(std::uint64_t offset, const char* signature, std::size_t length) {
        unsigned char b[16];
        return Read(offset, b, length) && std::memcmp(b, signature, length) == 0;
    }

private:
    PictureBytes& bytes_;
    unsigned char window_[4096];
    std::uint64_t start_ = 0;
    std::size_t length_ = 0;
};

PictureHeader Sized(PictureKind kind, std::int64_t width, std::int64_t height) {
    return PictureHeader{kind, true, width, height};
}

constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";

bool IsFrameMarker(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments from the start-of-image marker to the first frame
// header, finding each marker as a JPEG decoder does: bytes before a marker
// are skipped, 0xFF fill bytes too, and 0xFF 0x00 is no marker.
PictureHeader JpegHeader(Cursor& c) {
    std::uint64_t pos = 2;
    for (;;) {
        unsigned marker = 0;
        for (;;) {
            if (!c.Find(pos, 0xFF, pos)) return {PictureKind::Jpeg};
            do {
                if (!c.U8(++pos, marker)) return {PictureKind::Jpeg};
            } while (marker == 0xFF);
            ++pos;
            if (marker != 0) break;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length follows
        if (marker == 0xD9 || marker == 0xDA) return {PictureKind::Jpeg};  // image ends or data begins
        unsigned length = 0;
        if (!c.U16(pos, true, length) || length < 2) return {PictureKind::Jpeg};
        if (IsFrameMarker(marker)) {
            unsigned height = 0, width = 0;
            if (!c.U16(pos + 3, true, height) || !c.U16(pos + 5, true, width)) return {PictureKind::Jpeg};
            return Sized(PictureKind::Jpeg, width, height);
        }
        pos += length;
    }
}

// The size from the IHDR chunk of a PNG stream at `base`.
bool PngSize(Cursor& c, std::uint64_t base, std::int64_t& width, std::int64_t& height) {
    std::uint32_t w = 0, h = 0;
    if (!c.Starts(base, kPngSignature, 8) || !c.Starts(base + 12, "IHDR", 4)) return false;
    if (!c.U32(base + 16, true, w) || !c.U32(base + 20, true, h)) return false;
    width = w;
    height = h;
    return true;
}

// The logical screen, widened to the first image if that reaches further.
PictureHeader GifHeader(Cursor& c) {
    unsigned screenWidth = 0, screenHeight = 0, flags = 0;
    if (!c.U16(6, false, screenWidth) || !c.U16(8, false, screenHeight) || !c.U8(10, flags)) {
        return {PictureKind::Gif};
    }
    std::int64_t width = screenWidth, height = screenHeight;
    std::uint64_t pos = 13 + ((flags & 0x80) ? 3u * (2u << (flags & 7)) : 0u);
    unsigned block = 0;
    while (c.U8(pos, block) && block == 0x21) {  // extension: label, then sub-blocks to an empty one
        pos += 2;
        unsigned n = 0;
        do {
            if (!c.U8(pos, n)) return Sized(PictureKind::Gif, width, height);
            pos += 1 + n;
        } while (n != 0);
    }
    unsigned left = 0, top = 0, w = 0, h = 0;
    if (block == 0x2C && c.U16(pos + 1, false, left) && c.U16(pos + 3, false, top) && c.U16(pos + 5, false, w) &&
        c.U16(pos + 7, false, h)) {
        width = std::max<std::int64_t>(width, left + w);
        height = std::max<std::int64_t>(height, top + h);
    }
    return Sized(PictureKind::Gif, width, height);
}

PictureHeader BmpHeader(Cursor& c) {
    std::uint32_t headerSize = 0;
    if (!c.U32(14, false, headerSize)) return {PictureKind::Bmp};
    if (headerSize == 12) {  // OS/2 core header: 16-bit sides
        unsigned w = 0, h = 0;
        if (!c.U16(18, false, w) || !c.U16(20, false, h)) return {PictureKind::Bmp};
        return Sized(PictureKind::Bmp, w, h);
    }
    std::int64_t w = 0, h = 0;  // a negative height is a top-down picture
    if (headerSize < 16 || !c.Magnitude32(18, w) || !c.Magnitude32(22, h)) return {PictureKind::Bmp};
    return Sized(PictureKind::Bmp, w, h);
}

// Image width (tag 256) and length (tag 257) of the first directory.
PictureHeader TiffHeader(Cursor& c, bool bigEndian) {
    std::uint32_t directory = 0;
    unsigned entries = 0;
    if (!c.U32(4, bigEndian, directory) || !c.U16(directory, bigEndian, entries)) return {PictureKind::Tiff};
    std::int64_t size[2] = {-1, -1};
    for (unsigned i = 0; i < entries; ++i) {
        const std::uint64_t e = directory + 2 + 12ull * i;
        unsigned tag = 0, type = 0;
        std::uint32_t count = 0;
        if (!c.U16(e, bigEndian, tag) || !c.U16(e + 2, bigEndian, type) || !c.U32(e + 4, bigEndian, count)) break;
        if ((tag != 256 && tag != 257) || count < 1) continue;
        std::uint32_t value = 0;
        unsigned shortValue = 0;
        if (type == 3 && c.U16(e + 8, bigEndian, shortValue)) {
            value = shortValue;
        } else if (type != 4 || !c.U32(e + 8, bigEndian, value)) {
            continue;
        }
        size[tag - 256] = value;
    }
    if (size[0] < 0 || size[1] < 0) return {PictureKind::Tiff};
    return Sized(PictureKind::Tiff, size[0], size[1]);
}

// The largest image of an icon: its directory entry, and the PNG stream or
// bitmap header (twice the height: picture and mask) that its data holds.
PictureHeader IconHeader(Cursor& c) {
    unsigned count = 0;
    if (!c.U16(4, false, count) || count == 0) return {PictureKind::Icon};
    std::int64_t width = 0, height = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint64_t e = 6 + 16ull * i;
        unsigned w = 0, h = 0;
        std::uint32_t data = 0;
        if (!c.U8(e, w) || !c.U8(e + 1, h) || !c.U32(e + 12, false, data)) {
            if (i == 0) return {PictureKind::Icon};
            break;
        }
        std::int64_t dataWidth = 0, dataHeight = 0;
        std::uint32_t infoSize = 0;
        if (!PngSize(c, data, dataWidth, dataHeight) && c.U32(data, false, infoSize) && infoSize == 40 &&
            c.Magnitude32(data + 4, dataWidth) && c.Magnitude32(data + 8, dataHeight)) {
            dataHeight /= 2;
        }
        width = std::max({width, std::int64_t{w == 0 ? 256u : w}, dataWidth});
        height = std::max({height, std::int64_t{h == 0 ? 256u : h}, dataHeight});
    }
    return Sized(PictureKind::Icon, width, height);
}

class BufferBytes final : public PictureBytes {
public:
    BufferBytes(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t ReadAt(std::uint64_t offset, unsigned char* out, std::size_t count) override {
        if (offset >= size_) return 0;
        const std::size_t n = std::min<std::size_t>(count, size_ - static_cast<std::size_t>(offset));
        std::memcpy(out, data_ + offset, n);
        return n;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

class FileBytes final : public PictureBytes {
public:
    explicit FileBytes(std::FILE* file) : file_(file) {}
    std::size_t ReadAt(std::uint64_t offset, unsigned char* out, std::size_t count) override {
        if (offset > static_cast<std::uint64_t>(LONG_MAX)) return 0;
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return 0;
        return std::fread(out, 1, count, file_);
    }

private:
    std::FILE* file_;
};

}  // namespace

bool BitmapSizeAllowed(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) return false;
    return width <= kMaxBitmapPixels / height;
}

bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width <= kMaxPictureSide && height <= kMaxPictureSide && BitmapSizeAllowed(width, height);
}

PictureHeader ReadPictureHeader(PictureBytes& bytes) {
    Cursor c(bytes);
    PictureHeader header;
    if (c.Starts(0, "\xFF\xD8", 2)) return JpegHeader(c);
    if (c.Starts(0, kPngSignature, 8)) {
        header.kind = PictureKind::Png;
        header.sizeKnown = PngSize(c, 0, header.width, header.height);
    } else if (c.Starts(0, "GIF8", 4)) {
        return GifHeader(c);
    } else if (c.Starts(0, "BM", 2)) {
        return BmpHeader(c);
    } else if (c.Starts(0, "II*\0", 4) || c.Starts(0, "MM\0*", 4)) {
        return TiffHeader(c, c.Starts(0, "MM", 2));
    } else if (c.Starts(0, "\0\0\1\0", 4)) {
        return IconHeader(c);
    }
    return header;
}

PictureHeader ReadPictureHeader(const unsigned char* data, std::size_t size) {
    BufferBytes bytes(data, size);
    return ReadPictureHeader(bytes);
}

PictureHeader ReadPictureFileHeader(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return {};
    FileBytes bytes(file.get());
    return ReadPictureHeader(bytes);
}

bool HeaderAllowsDecoding(const PictureHeader& header) {
    if (!header.sizeKnown) return true;
    // A side of 0 is no picture at all; the decoder refuses it by itself.
    if (header.width == 0 || header.height == 0) return true;
    return PictureSizeAllowed(header.width, header.height);
}

}  // namespace tolvik
