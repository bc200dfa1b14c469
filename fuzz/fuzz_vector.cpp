// Vector map reading, measuring and label placement on arbitrary input.
//
// Input: four option bytes, then up to four map files (base and layers 1 to
// 3) separated by the byte 0x01.
//   byte 0: layer and label flags (bits 0-4), height filter (bit 5), fading (bit 6)
//   byte 1: MapResolution = 8 + 4 × value
//   byte 2: FontAdjust (low 4 bits), LabelSpacing (high 4 bits, as signed)
//   byte 3: length of the search text (low 2 bits) taken from the next bytes;
//           the player height (the high 6 bits, as signed)
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vector/vector_plan.h"

namespace {

using namespace tolvik;

class Metrics : public TextMeasurer {
public:
    TextExtent Measure(const std::string& text, int points) override {
        const long long p = points;
        const long long width = static_cast<long long>(text.size()) * (p < 0 ? -p : p) / 2;
        return TextExtent{static_cast<int>(width > 100000 ? 100000 : width), 4 + (points & 15)};
    }
};

class CheckingSink : public VectorDrawSink {
public:
    explicit CheckingSink(int resolution) : resolution_(resolution) {}
    bool BeginCanvas(int width, int height, std::uint32_t) override {
        if (width <= 0 || height <= 0 || width > resolution_ || height > resolution_) __builtin_trap();
        width_ = width;
        height_ = height;
        return true;
    }
    void DrawLine(const VectorLineOp& line) override {
        for (const int v : {line.x1, line.y1, line.x2, line.y2}) {
            if (v < -kMaxPixelCoordinate || v > kMaxPixelCoordinate) __builtin_trap();
        }
    }
    void DrawLabel(const VectorLabelOp& label) override {
        const Rect& b = label.box;
        if (b.left < 0 || b.top < 0 || b.right > width_ || b.bottom > height_) __builtin_trap();
        if (label.text.size() > kMaxVectorTokenChars) __builtin_trap();
        if (label.text.find('\0') != std::string::npos) __builtin_trap();
        if (label.text.find('_') != std::string::npos) __builtin_trap();
    }

private:
    int resolution_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    VectorMapSettings s;
    s.ShowBase = data[0] & 1;
    s.ShowLayer1 = data[0] & 2;
    s.ShowLayer2 = data[0] & 4;
    s.ShowLayer3 = data[0] & 8;
    s.ShowLabels = data[0] & 16;
    s.UseHeightFilter = data[0] & 32;
    s.FadeOtherLevels = data[0] & 64;
    s.MapResolution = 8 + 4 * data[1];
    s.FontAdjust = data[2] & 15;
    s.LabelSpacing = static_cast<int8_t>(data[2]) >> 4;
    std::size_t at = 4;
    const std::size_t searchLength = data[3] & 3;
    if (at + searchLength > size) return 0;
    s.SearchFilter.assign(reinterpret_cast<const char*>(data + at), searchLength);
    at += searchLength;

    std::vector<std::string_view> files;
    const std::string_view rest(reinterpret_cast<const char*>(data + at), size - at);
    std::size_t start = 0;
    while (files.size() < 4) {
        const std::size_t end = rest.find('\x01', start);
        files.push_back(rest.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    const VectorFileOpener open = [&files](const std::string& path) -> std::unique_ptr<ByteStream> {
        for (std::size_t layer = 0; layer < files.size(); ++layer) {
            if (path == VectorMapFilePath("map.txt", static_cast<int>(layer))) {
                return std::make_unique<MemoryByteStream>(files[layer]);
            }
        }
        return nullptr;
    };

    Metrics metrics;
    CheckingSink sink(s.MapResolution);
    PlanVectorMap(s, "map.txt", static_cast<float>(static_cast<int8_t>(data[3]) >> 2), metrics, sink, open);
    return 0;
}
