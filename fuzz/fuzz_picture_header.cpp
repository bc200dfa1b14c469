// Picture header reading on arbitrary bytes, read from a buffer and through
// a counting reader of the same bytes. Checks that a known size belongs to a known kind, that
// sides fit the fields they come from, and that both reads agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/picture_header.h"

namespace {

using namespace tolvik;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_picture_header: %s\n", what);
        std::abort();
    }
}

// The bytes as a file: counts the reads.
class CountingBytes final : public PictureBytes {
public:
    CountingBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t ReadAt(std::uint64_t offset, unsigned char* out, std::size_t count) override {
        ++reads;
        if (offset >= size_) return 0;
        const std::size_t n = count < size_ - offset ? count : static_cast<std::size_t>(size_ - offset);
        std::memcpy(out, data_ + offset, n);
        return n;
    }
    int reads = 0;

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PictureHeader whole = ReadPictureHeader(data, size);
    Check(!whole.sizeKnown || whole.kind != PictureKind::Unknown, "size without a kind");
    Check(whole.width >= 0 && whole.height >= 0, "negative side");
    Check(whole.width <= (std::int64_t{1} << 32) && whole.height <= (std::int64_t{1} << 32), "side beyond its field");

    CountingBytes file(data, size);
    const PictureHeader read = ReadPictureHeader(file);
    Check(read.kind == whole.kind && read.sizeKnown == whole.sizeKnown && read.width == whole.width &&
              read.height == whole.height,
          "reads disagree");
    // Each window read moves on; walking a header never reads more windows
    // than the bytes (plus a few per entry of an icon) could fill.
    Check(file.reads <= static_cast<int>(size) * 4 + 8, "too many reads");
    return 0;
}
