// Bilinear magnification of the zoomed Map View.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "raster/zoom_scale.h"

namespace tolvik {
namespace {

std::vector<std::uint32_t> Scale(std::vector<std::uint32_t> source, int width, int height, double zoom, double panX,
                                 double panY, int left, int top, int outWidth, int outHeight) {
    std::vector<std::uint32_t> out(static_cast<size_t>(outWidth * outHeight), 0xABCDEFu);
    ScaleSmoothly(PixelRows{source.data(), width, height, width}, zoom, panX, panY, left, top,
                  PixelRows{out.data(), outWidth, outHeight, outWidth});
    return out;
}

TEST(ZoomScale, BlendsNeighboursByWhereEachCentreFallsAndLeavesTheRestBlack) {
    // Two pixels at 4x from view x = 10: black before and after them, each
    // pure near its own centre, blended in between (green included).
    EXPECT_EQ(Scale({0xFF8000u, 0x0000FFu}, 2, 1, 4.0, 10.0, 20.0, 8, 19, 11, 6),
              (std::vector<std::uint32_t>{
                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // the row above the picture
                  0, 0, 0xFF8000u, 0xFF8000u, 0xDF701Fu, 0x9F505Fu, 0x5F309Fu, 0x1F10DFu, 0x0000FFu, 0x0000FFu, 0,
                  0, 0, 0xFF8000u, 0xFF8000u, 0xDF701Fu, 0x9F505Fu, 0x5F309Fu, 0x1F10DFu, 0x0000FFu, 0x0000FFu, 0,
                  0, 0, 0xFF8000u, 0xFF8000u, 0xDF701Fu, 0x9F505Fu, 0x5F309Fu, 0x1F10DFu, 0x0000FFu, 0x0000FFu, 0,
                  0, 0, 0xFF8000u, 0xFF8000u, 0xDF701Fu, 0x9F505Fu, 0x5F309Fu, 0x1F10DFu, 0x0000FFu, 0x0000FFu, 0,
                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // the row below
    // Down a column as along a row, each output row from the two source rows about it.
    EXPECT_EQ(Scale({0xFF0000u, 0x00FF00u, 0x0000FFu}, 1, 3, 2.0, 0.0, 0.0, 0, 0, 1, 6),
              (std::vector<std::uint32_t>{0xFF0000u, 0xBF3F00u, 0x3FBF00u, 0x00BF3Fu, 0x003FBFu, 0x0000FFu}));
    EXPECT_EQ(Scale({0xFF0000u, 0x00FF00u, 0x0000FFu}, 1, 3, 1.25, 0.0, -1.0, 0, 0, 1, 3),
              (std::vector<std::uint32_t>{0x4CB200u, 0x007F7Fu, 0x0000FFu}));
    EXPECT_EQ(Scale({0xFF0000u}, 1, 1, 0.0, 0.0, 0.0, 0, 0, 1, 1), std::vector<std::uint32_t>{0xABCDEFu});
}

}  // namespace
}  // namespace tolvik
