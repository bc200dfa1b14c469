// The game's vector map files: their names, their records and the bounds
// pass that measures a map before it is drawn.
//
// A map file is a stream of tokens separated by blanks, tabs and line ends.
// The single-letter token "L" or "P" (either case) starts a record whose
// values follow in scanf style:
//
//   L  "%f, %f, %f, %f, %f, %f, %d, %d, %d"   x1 y1 z1 x2 y2 z2 red green blue
//   P  "%f, %f, %f, %d, %d, %d, %d, %s"       x y z red green blue size label
//
// White space may stand before every value (so a record may span lines);
// each comma must follow its value directly. Every other token is skipped.
//
// Number forms. A real is [sign] digits [. digits] [e|E [sign] digits] (or
// with the digits only after the point); an integer is [sign] digits. As in
// C's formatted input, the longest prefix of such a form is consumed, and a
// prefix that is not a complete number ("-", ".", "12e", "1e+") fails the
// record. "inf", "nan" and hexadecimal reals do not convert: they read as
// text (a hexadecimal real fails at its "x"). A real beyond the
// single-precision range does not convert either; one too small for it
// becomes 0 or the nearest subnormal. An integer keeps the low 32 bits of
// its value, so a colour component keeps the low 8 bits of the number written.
//
// A record whose needed values do not all convert is skipped, and reading
// goes on with the next token after what was consumed.
//
// Tokens and labels are cut to 259 characters (the rest of the run is
// dropped), and end at a NUL byte as C strings do. The byte 26 (Ctrl-Z) ends a file's text, as a text-mode read
// does on Windows. Paths longer than 259 characters are refused like
// missing files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/vector_settings.h"

namespace tolvik {

constexpr std::size_t kMaxVectorTokenChars = 259;
constexpr std::size_t kMaxVectorPathChars = 259;
constexpr int kVectorLayerCount = 4;

// Reset values of the Map Bounds, so that the first record sets them.
constexpr float kBoundsResetMin = 1000000.0f;
constexpr float kBoundsResetMax = -1000000.0f;

// The file of `layer` (0 = base, 1 to 3) of the map with `basePath`: the base
// path itself, or its folder, file name, "_" and the layer number, then its
// extension (from the last dot of the file name on).
std::string VectorMapFilePath(const std::string& basePath, int layer);

// A forward-only byte source with a look-ahead of one byte.
class ByteStream {
public:
    virtual ~ByteStream() = default;

    // The next byte without taking it, or -1 at the end.
    int Peek() {
        if (pos_ == end_ && !Fill()) return -1;
        return *pos_;
    }
    // Takes the next byte, or -1 at the end.
    int Get() {
        if (pos_ == end_ && !Fill()) return -1;
        return *pos_++;
    }

protected:
    // Points pos_/end_ at the next chunk; false at the end of the data.
    virtual bool Refill() = 0;

    const unsigned char* pos_ = nullptr;
    const unsigned char* end_ = nullptr;

private:
    bool Fill();
    bool ended_ = false;
};

// Bytes held by the caller (which must outlive the stream).
class MemoryByteStream : public ByteStream {
public:
    MemoryByteStream(const void* data, std::size_t size);
    explicit MemoryByteStream(std::string_view text) : MemoryByteStream(text.data(), text.size()) {}

protected:
    bool Refill() override;

private:
    const unsigned char* data_;
    std::size_t size_;
    bool given_ = false;
};

// A file read in chunks.
class FileByteStream : public ByteStream {
public:
    explicit FileByteStream(std::FILE* file) : file_(file), buffer_(64 * 1024) {}
    ~FileByteStream() override;
    FileByteStream(const FileByteStream&) = delete;
    FileByteStream& operator=(const FileByteStream&) = delete;

protected:
    bool Refill() override;

private:
    std::FILE* file_;
    std::vector<unsigned char> buffer_;
};

// Opens a map file for reading, or null when `path` is longer than 259
// characters, does not exist, is a folder or cannot be read.
std::unique_ptr<ByteStream> OpenVectorMapFile(const std::string& path);

// How the passes open files; tests and benchmarks give their own.
using VectorFileOpener = std::function<std::unique_ptr<ByteStream>(const std::string& path)>;

// An L record: a line segment.
struct VectorLineRecord {
    float x1 = 0.0f, y1 = 0.0f, z1 = 0.0f;
    float x2 = 0.0f, y2 = 0.0f, z2 = 0.0f;
    std::uint32_t colour = 0;  // red + 256 green + 65536 blue, each its low 8 bits
};

// A P record: a labelled point.
struct VectorPointRecord {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    std::uint32_t colour = 0;
    int size = 0;       // label size in points, before the font adjustment
    std::string label;  // underscores already replaced by blanks
};

// Receives the records of the drawing pass in file order.
class VectorRecordVisitor {
public:
    virtual ~VectorRecordVisitor() = default;
    virtual void OnLine(const VectorLineRecord& line) = 0;
    virtual void OnPoint(const VectorPointRecord& point) = 0;
};

// Drawing pass over one file: every complete L record, and with
// `readPoints` every complete P record (without it, P records are skipped
// as ordinary tokens).
void ReadVectorRecords(ByteStream& in, bool readPoints, VectorRecordVisitor& visitor);

// The Map Bounds, in file coordinates.
struct MapBounds {
    float minX = kBoundsResetMin;
    float maxX = kBoundsResetMax;
    float minY = kBoundsResetMin;
    float maxY = kBoundsResetMax;

    void Add(float x, float y);
};

// Bounds pass over one file: widens `bounds` by both end points of each L
// record whose six reals convert and by the point of each P record whose
// two reals convert.
void ReadVectorBounds(ByteStream& in, MapBounds& bounds);

// The colour of a record from its three components (low 8 bits of each).
constexpr std::uint32_t VectorColour(int red, int green, int blue) {
    return MakeColour(static_cast<unsigned>(red), static_cast<unsigned>(green), static_cast<unsigned>(blue));
}

// True when `search` is empty or occurs in `label`, without regard to the
// case of ANSI letters (ASCII and the letters of Windows code page 1252).
bool MatchesSearchFilter(const std::string& label, const std::string& search);

// Resets the Map Bounds in the working calibration (logical point 1 =
// (max x, max y), logical point 2 = (min x, min y)), runs the bounds pass over
// the four files whatever the layer flags say, and returns whether at least
// one file could be read.
bool MeasureVectorMap(VectorMapSettings& settings, const std::string& basePath,
                      const VectorFileOpener& open = OpenVectorMapFile);

// The Map Bounds held in the working calibration during a render.
MapBounds WorkingBounds(const CalibrationPoints& working);

}  // namespace tolvik
