#include "vector/vector_file.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tolvik {

// ---------------------------------------------------------------------------
// File names
// ---------------------------------------------------------------------------

std::string VectorMapFilePath(const std::string& basePath, int layer) {
    if (layer <= 0) return basePath;
    // Folder (drive included) up to the last separator, then the file name
    // and its extension from the file name's last dot on.
    const std::size_t sep = basePath.find_last_of("\\/");
    const std::size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
    // A drive without a folder ("C:name.txt") keeps its "C:" in front.
    std::size_t dot = basePath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) dot = basePath.size();
    std::string path = basePath.substr(0, dot);
    path += '_';
    path += std::to_string(layer);
    path += basePath.substr(dot);
    return path;
}

// ---------------------------------------------------------------------------
// Byte streams
// ---------------------------------------------------------------------------

bool ByteStream::Fill() {
    if (ended_) return false;
    while (pos_ == end_) {
        if (!Refill()) {
            ended_ = true;
            pos_ = end_ = nullptr;
            return false;
        }
    }
    return true;
}

MemoryByteStream::MemoryByteStream(const void* data, std::size_t size)
    : data_(static_cast<const unsigned char*>(data)), size_(size) {}

bool MemoryByteStream::Refill() {
    if (given_ || size_ == 0) return false;
    given_ = true;
    pos_ = data_;
    end_ = data_ + size_;
    return true;
}

FileByteStream::~FileByteStream() {
    if (file_) std::fclose(file_);
}

bool FileByteStream::Refill() {
    if (!file_) return false;
    const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (got == 0) return false;
    pos_ = buffer_.data();
    end_ = pos_ + got;
    return true;
}

std::unique_ptr<ByteStream> OpenVectorMapFile(const std::string& path) {
    if (path.empty() || path.size() > kMaxVectorPathChars) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    // Some systems open folders for reading; their first read fails.
    const int first = std::fgetc(file);
    if (first == EOF && std::ferror(file)) {
        std::fclose(file);
        return nullptr;
    }
    if (first != EOF) std::ungetc(first, file);
    return std::make_unique<FileByteStream>(file);
}

// ---------------------------------------------------------------------------
// Reading records
// ---------------------------------------------------------------------------

namespace {

constexpr int kEndOfText = 26;  // Ctrl-Z ends a text-mode read

inline bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Powers of ten that single precision holds exactly.
constexpr float kExactPow10[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// The characters of one number: kept in place while short, as almost every
// number is, and only needed when the short cut below does not apply.
class NumberText {
public:
    void Clear() {
        size_ = 0;
        rest_.clear();
    }
    void Add(int c) {
        if (size_ < sizeof head_) {
            head_[size_++] = static_cast<char>(c);
        } else {
            rest_.push_back(static_cast<char>(c));
        }
    }
    bool IsSingleZero() const { return size_ == 1 && head_[0] == '0'; }
    std::string Text() const { return std::string(head_, size_) + rest_; }

private:
    char head_[64];
    std::size_t size_ = 0;
    std::string rest_;
};

class MapTextReader {
public:
    explicit MapTextReader(ByteStream& in) : in_(in) {}

    int Peek() {
        const int c = in_.Peek();
        return c == kEndOfText ? -1 : c;
    }
    void Skip() { in_.Get(); }

    void SkipSpace() {
        for (;;) {
            const int c = Peek();
            if (c < 0 || !IsSpace(c)) return;
            Skip();
        }
    }

    // Skips white space and reads the next run of other characters, keeping
    // its first 259 up to a NUL byte, which ends the text of a token as it
    // ends a C string; false at the end of the text.
    bool ReadToken(std::string& token) {
        token.clear();
        SkipSpace();
        int c = Peek();
        if (c < 0) return false;
        bool ended = false;
        while (c >= 0 && !IsSpace(c)) {
            if (c == 0) ended = true;
            if (!ended && token.size() < kMaxVectorTokenChars) token.push_back(static_cast<char>(c));
            Skip();
            c = Peek();
        }
        return true;
    }

    // The format's ", " between two values: a comma right here, then any
    // white space (which the next value would skip anyway).
    bool Comma() {
        if (Peek() != ',') return false;
        Skip();
        return true;
    }

    // "%d": the value keeps the low 32 bits of the number written.
    bool ReadInt(int& value) {
        SkipSpace();
        bool negative = false;
        int c = Peek();
        if (c == '+' || c == '-') {
            negative = c == '-';
            Skip();
            c = Peek();
        }
        if (!IsDigit(c)) return false;
        std::uint32_t v = 0;
        while (IsDigit(c)) {
            v = v * 10u + static_cast<std::uint32_t>(c - '0');
            Skip();
            c = Peek();
        }
        if (negative) v = 0u - v;
        value = static_cast<int>(v);
        return true;
    }

    // "%f" in its decimal forms.
    bool ReadReal(float& value) {
        SkipSpace();
        text_.Clear();
        int c = Peek();
        bool negative = false;
        if (c == '+' || c == '-') {
            negative = c == '-';
            Skip();
            c = Peek();
        }
        // Mantissa digits, with a short cut for the common case of few digits.
        std::uint64_t mantissa = 0;
        int significant = 0;   // digits counted in `mantissa` (leading zeros excluded)
        int fractionDigits = 0;
        bool anyDigit = false;
        bool exact = true;     // mantissa holds every significant digit
        while (IsDigit(c)) {
            anyDigit = true;
            AddDigit(c, mantissa, significant, exact);
            text_.Add(c);
            Skip();
            c = Peek();
        }
        if (c == '.') {
            text_.Add('.');
            Skip();
            c = Peek();
            while (IsDigit(c)) {
                anyDigit = true;
                AddDigit(c, mantissa, significant, exact);
                ++fractionDigits;
                text_.Add(c);
                Skip();
                c = Peek();
            }
        }
        if (!anyDigit) return false;
        // A hexadecimal form does not convert.
        if ((c == 'x' || c == 'X') && text_.IsSingleZero()) return false;
        int exponent = 0;
        if (c == 'e' || c == 'E') {
            text_.Add('e');
            Skip();
            c = Peek();
            bool expNegative = false;
            if (c == '+' || c == '-') {
                expNegative = c == '-';
                text_.Add(c);
                Skip();
                c = Peek();
            }
            if (!IsDigit(c)) return false;  // "1e" and "1e+" are not numbers
            while (IsDigit(c)) {
                if (exponent < 100000) exponent = exponent * 10 + (c - '0');
                text_.Add(c);
                Skip();
                c = Peek();
            }
            if (expNegative) exponent = -exponent;
        }
        // Exact short cut: a mantissa that single precision holds and a power
        // of ten it holds give a correctly rounded quotient or product.
        const int scale = exponent - fractionDigits;
        float v;
        if (exact && mantissa <= (1u << 24) && scale >= -10 && scale <= 10) {
            const float m = static_cast<float>(mantissa);
            v = scale < 0 ? m / kExactPow10[-scale] : m * kExactPow10[scale];
        } else if (!SlowConvert(v)) {
            return false;
        }
        value = negative ? -v : v;
        return true;
    }

private:
    static void AddDigit(int c, std::uint64_t& mantissa, int& significant, bool& exact) {
        if (mantissa == 0 && c == '0') return;  // leading zeros add nothing
        if (significant >= 18) {
            exact = false;  // beyond the short cut; the text is converted instead
            return;
        }
        mantissa = mantissa * 10u + static_cast<std::uint64_t>(c - '0');
        ++significant;
    }

    // Correctly rounded conversion of text_ (unsigned); false beyond range.
    bool SlowConvert(float& v) {
        const std::string text = text_.Text();
        const char* first = text.data();
        const char* last = first + text.size();
        const auto result = std::from_chars(first, last, v, std::chars_format::general);
        if (result.ec == std::errc() && result.ptr == last) return std::isfinite(v);
        // Out of range: overflow does not convert; underflow gives 0 or a subnormal.
        errno = 0;
        const double d = std::strtod(text.c_str(), nullptr);
        if (!std::isfinite(d) || std::fabs(d) > static_cast<double>(FLT_MAX)) return false;
        v = std::strtof(text.c_str(), nullptr);
        return std::isfinite(v);
    }

    ByteStream& in_;
    NumberText text_;
};

// Reads "%f, %f, ..." for `count` reals.
bool ReadReals(MapTextReader& r, float* out, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !r.Comma()) return false;
        if (!r.ReadReal(out[i])) return false;
    }
    return true;
}

// Reads "%d, %d, ..." for `count` integers, each after a comma.
bool ReadCommaInts(MapTextReader& r, int* out, int count) {
    for (int i = 0; i < count; ++i) {
        if (!r.Comma() || !r.ReadInt(out[i])) return false;
    }
    return true;
}

// The record letter of a token: 'L', 'P' or 0.
char RecordLetter(const std::string& token) {
    if (token.size() != 1) return 0;
    const char c = token[0];
    if (c == 'L' || c == 'l') return 'L';
    if (c == 'P' || c == 'p') return 'P';
    return 0;
}

// Windows code page 1252: the upper-case partner of a lower-case letter.
inline unsigned char FoldCase(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c < 0x80) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

}  // namespace

void ReadVectorRecords(ByteStream& in, bool readPoints, VectorRecordVisitor& visitor) {
    MapTextReader r(in);
    std::string token;
    VectorLineRecord line;
    VectorPointRecord point;
    while (r.ReadToken(token)) {
        const char letter = RecordLetter(token);
        if (letter == 'L') {
            float v[6];
            int rgb[3];
            if (!ReadReals(r, v, 6) || !ReadCommaInts(r, rgb, 3)) continue;
            line.x1 = v[0];
            line.y1 = v[1];
            line.z1 = v[2];
            line.x2 = v[3];
            line.y2 = v[4];
            line.z2 = v[5];
            line.colour = VectorColour(rgb[0], rgb[1], rgb[2]);
            visitor.OnLine(line);
        } else if (letter == 'P' && readPoints) {
            float v[3];
            int values[4];
            if (!ReadReals(r, v, 3) || !ReadCommaInts(r, values, 4) || !r.Comma()) continue;
            if (!r.ReadToken(point.label)) continue;
            for (char& ch : point.label) {
                if (ch == '_') ch = ' ';
            }
            point.x = v[0];
            point.y = v[1];
            point.z = v[2];
            point.colour = VectorColour(values[0], values[1], values[2]);
            point.size = values[3];
            visitor.OnPoint(point);
        }
    }
}

void MapBounds::Add(float x, float y) {
    if (x > maxX) maxX = x;
    if (y > maxY) maxY = y;
    if (x < minX) minX = x;
    if (y < minY) minY = y;
}

void ReadVectorBounds(ByteStream& in, MapBounds& bounds) {
    MapTextReader r(in);
    std::string token;
    while (r.ReadToken(token)) {
        const char letter = RecordLetter(token);
        if (letter == 'L') {
            float v[6];
            if (!ReadReals(r, v, 6)) continue;
            bounds.Add(v[0], v[1]);
            bounds.Add(v[3], v[4]);
        } else if (letter == 'P') {
            float v[2];
            if (!ReadReals(r, v, 2)) continue;
            bounds.Add(v[0], v[1]);
        }
    }
}

bool MatchesSearchFilter(const std::string& label, const std::string& search) {
    if (search.empty()) return true;
    if (search.size() > label.size()) return false;
    const std::size_t last = label.size() - search.size();
    for (std::size_t i = 0; i <= last; ++i) {
        std::size_t k = 0;
        while (k < search.size() && FoldCase(static_cast<unsigned char>(label[i + k])) ==
                                        FoldCase(static_cast<unsigned char>(search[k]))) {
            ++k;
        }
        if (k == search.size()) return true;
    }
    return false;
}

MapBounds WorkingBounds(const CalibrationPoints& working) {
    MapBounds b;
    b.maxX = working.logicalX1;
    b.maxY = working.logicalY1;
    b.minX = working.logicalX2;
    b.minY = working.logicalY2;
    return b;
}

bool MeasureVectorMap(VectorMapSettings& settings, const std::string& basePath, const VectorFileOpener& open) {
    MapBounds bounds;
    bool found = false;
    for (int layer = 0; layer < kVectorLayerCount; ++layer) {
        std::unique_ptr<ByteStream> in = open(VectorMapFilePath(basePath, layer));
        if (!in) continue;
        found = true;
        ReadVectorBounds(*in, bounds);
    }
    settings.working.logicalX1 = bounds.maxX;
    settings.working.logicalY1 = bounds.maxY;
    settings.working.logicalX2 = bounds.minX;
    settings.working.logicalY2 = bounds.minY;
    return found;
}

}  // namespace tolvik
