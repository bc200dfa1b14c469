#include "raster/zoom_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tolvik {

namespace {

// Where the centres of `count` output pixels from view position `first`
// fall in a source of `size` pixels: the nearer and farther neighbours and
// the farther one's weight in 256ths; -1 for a centre outside the source.
struct Samples {
    std::vector<int> near, far, weight;
};

Samples SampleAlong(double zoom, double pan, int first, int count, int size) {
    Samples s;
    s.near.resize(count), s.far.resize(count), s.weight.resize(count);
    for (int i = 0; i < count; ++i) {
        const double u = (first + i + 0.5 - pan) / zoom;  // in source pixels from its edge
        if (!(u >= 0.0 && u < size)) {
            s.near[i] = -1;
            continue;
        }
        const double centre = u - 0.5;
        const double below = std::floor(centre);
        const int index = static_cast<int>(below);
        s.near[i] = std::clamp(index, 0, size - 1);
        s.far[i] = std::clamp(index + 1, 0, size - 1);
        s.weight[i] = static_cast<int>(std::lround((centre - below) * 256.0));
    }
    return s;
}

// a * (256 - w) + b * w for two 8-bit channels at once (red and blue, or
// green alone), divided by 256.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    const std::uint32_t redBlue = (((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const std::uint32_t green = (((a & 0x00FF00u) * (256 - w) + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
    return redBlue | green;
}

}  // namespace

void ScaleSmoothly(const PixelRows& source, double zoom, double panX, double panY, int left, int top,
                   const PixelRows& out) {
    if (!(zoom > 0.0) || !out.pixels || out.width <= 0 || out.height <= 0) return;
    if (!source.pixels || source.width <= 0 || source.height <= 0) {
        for (int y = 0; y < out.height; ++y) std::fill_n(out.pixels + y * out.stride, out.width, 0u);
        return;
    }
    const Samples across = SampleAlong(zoom, panX, left, out.width, source.width);
    const Samples down = SampleAlong(zoom, panY, top, out.height, source.height);
    // A source row blended across, as the output's columns need it; a
    // magnified row serves several output rows, so the last two are kept.
    struct Blended {
        int row = -1;
        std::vector<std::uint32_t> pixels;
    };
    Blended kept[2];
    int older = 0;
    const auto blendedRow = [&](int row) -> const std::uint32_t* {
        for (Blended& b : kept) {
            if (b.row == row) {
                older = &b == &kept[0] ? 1 : 0;
                return b.pixels.data();
            }
        }
        Blended& b = kept[older];
        older = 1 - older;
        b.row = row;
        b.pixels.resize(static_cast<size_t>(out.width));
        const std::uint32_t* line = source.pixels + row * source.stride;
        for (int x = 0; x < out.width; ++x) {
            const int a = across.near[x];
            b.pixels[x] = a < 0 ? 0u : Mix(line[a], line[across.far[x]], static_cast<std::uint32_t>(across.weight[x]));
        }
        return b.pixels.data();
    };
    for (int y = 0; y < out.height; ++y) {
        std::uint32_t* row = out.pixels + y * out.stride;
        if (down.near[y] < 0) {
            std::fill_n(row, out.width, 0u);
            continue;
        }
        const std::uint32_t* upper = blendedRow(down.near[y]);
        const std::uint32_t* lower = blendedRow(down.far[y]);
        const auto wy = static_cast<std::uint32_t>(down.weight[y]);
        for (int x = 0; x < out.width; ++x) row[x] = Mix(upper[x], lower[x], wy);
    }
}

}  // namespace tolvik
