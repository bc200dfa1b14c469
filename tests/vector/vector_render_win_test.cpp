#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/gdi_win.h"
#include "vector/vector_render_win.h"
#include "vector_test_files.h"

namespace tolvik {
namespace {

TEST(VectorRenderWin, BackgroundAndLinesInTheirColours) {
    // 200 by 100 units at 200 pixels: file x = pixel x, file y = pixel y.
    testing::MapFolder folder;
    folder.Write("zone.txt",
                 "L 0, 0, 0, 200, 100, 0, 0, 0, 0\n"
                 "L 20, 30, 0, 120, 30, 0, 300, 0, 0\n"  // red 300 acts as 44
                 "L 50, 60, 0, 50, 90, 0, 0, 200, 0\n");
    VectorMapSettings s;
    s.MapResolution = 200;
    s.Color = RGB(10, 20, 30);
    UniqueBitmap bitmap(RenderVectorMap(s, folder.Base("zone"), 0.0f));
    ASSERT_TRUE(bitmap);
    DIBSECTION dib{};  // a 24-bit DIB of the map's size
    ASSERT_EQ(GetObjectA(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBmih.biWidth, 200);
    EXPECT_EQ(dib.dsBmih.biHeight, 100);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);

    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    Selection selected(dc.get(), bitmap.get());
    int counts[4] = {};  // background, frame, red line, green line
    const COLORREF colours[4] = {RGB(10, 20, 30), RGB(0, 0, 0), RGB(44, 0, 0), RGB(0, 200, 0)};
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            for (int k = 0; k < 4; ++k) counts[k] += GetPixel(dc.get(), x, y) == colours[k] ? 1 : 0;
        }
    }
    EXPECT_EQ(GetPixel(dc.get(), 199, 99), RGB(0, 0, 0));  // the frame diagonal
    // The horizontal line covers 20..119 of row 30; its last pixel stays bare.
    EXPECT_EQ(GetPixel(dc.get(), 20, 30), RGB(44, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 120, 30), RGB(10, 20, 30));
    EXPECT_EQ(counts[2], 100);
    EXPECT_EQ(counts[3], 30);
    // Nothing else was drawn.
    EXPECT_EQ(counts[0] + counts[1] + 100 + 30, 200 * 100);
}

}  // namespace
}  // namespace tolvik
