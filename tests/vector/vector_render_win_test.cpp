#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/gdi_win.h"
#include "app/program_win.h"
#include "vector/vector_render_win.h"
#include "vector_big_map.h"
#include "vector_test_files.h"

namespace tolvik {
namespace {

using testing::MapFolder;

// Reads pixels of a bitmap through a memory device context.
class PixelReader {
public:
    explicit PixelReader(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), selected_(dc_.get(), bitmap) {}
    COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }
    int Count(COLORREF colour, int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) n += At(x, y) == colour ? 1 : 0;
        }
        return n;
    }

private:
    UniqueMemoryDc dc_;
    Selection selected_;
};

struct Rendered {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
};

// A map of 200 by 100 units, rendered at 200 pixels: one pixel per unit,
// file x = pixel x, file y = pixel y.
const char* const kFrame = "L 0, 0, 0, 200, 100, 0, 0, 0, 0\n";

Rendered Render(VectorMapSettings& s, const MapFolder& folder, const std::string& name, float height = 0.0f) {
    Rendered r;
    r.bitmap.reset(RenderVectorMap(s, folder.Base(name), height));
    r.width = s.BitmapWidth;
    r.height = s.BitmapHeight;
    return r;
}

TEST(VectorRenderWin, BackgroundAndLinesInTheirColours) {
    MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) +
                                 "L 20, 30, 0, 120, 30, 0, 300, 0, 0\n"    // red 300 acts as 44
                                 "L 50, 60, 0, 50, 90, 0, 0, 200, 0\n");
    VectorMapSettings s;
    s.MapResolution = 200;
    s.Color = RGB(10, 20, 30);
    Rendered r = Render(s, folder, "zone");
    ASSERT_TRUE(r.bitmap);
    DIBSECTION dib{};  // a 24-bit bottom-up DIB of the map's size
    ASSERT_EQ(GetObjectA(r.bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBmih.biWidth, 200);
    EXPECT_EQ(dib.dsBmih.biHeight, 100);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    PixelReader px(r.bitmap.get());
    EXPECT_EQ(px.At(150, 10), RGB(10, 20, 30));
    EXPECT_EQ(px.At(199, 5), RGB(10, 20, 30));
    EXPECT_EQ(px.At(199, 99), RGB(0, 0, 0));  // the frame diagonal
    // The horizontal line covers 20..119 of row 30; its last pixel stays bare.
    EXPECT_EQ(px.Count(RGB(44, 0, 0), 0, 30, 200, 31), 100);
    EXPECT_EQ(px.At(20, 30), RGB(44, 0, 0));
    EXPECT_EQ(px.At(120, 30), RGB(10, 20, 30));
    EXPECT_EQ(px.Count(RGB(0, 200, 0), 50, 0, 51, 100), 30);
    // Nothing else was drawn but the frame's diagonal.
    const int background = px.Count(RGB(10, 20, 30), 0, 0, 200, 100);
    const int frame = px.Count(RGB(0, 0, 0), 0, 0, 200, 100);
    EXPECT_EQ(background + frame + 100 + 30, 200 * 100);
}

TEST(VectorRenderWin, LabelWithLeaderCutAtTheBoxAndWhiteAnchorSquare) {
    MapFolder folder;
    // A blank label (written "_") has no glyph pixels: whatever is drawn in
    // its box would be the leader.
    folder.Write("zone.txt", std::string(kFrame) + "P 100, 20, 0, 0, 0, 255, 2, _\n");
    VectorMapSettings s;
    s.MapResolution = 200;
    Rendered r = Render(s, folder, "zone");
    ASSERT_TRUE(r.bitmap);
    PixelReader px(r.bitmap.get());
    const COLORREF blue = RGB(0, 0, 255);
    // Square from (98, 18) to (101, 21): outline in the colour, inside white.
    EXPECT_EQ(px.At(98, 18), blue);
    EXPECT_EQ(px.At(101, 21), blue);
    EXPECT_EQ(px.At(99, 19), RGB(255, 255, 255));
    EXPECT_EQ(px.At(100, 20), RGB(255, 255, 255));
    EXPECT_EQ(px.At(102, 22), s.Color);
    // Find the box: the label sits straight below the anchor, bh + 10 down,
    // so the leader runs down and ends where the box begins.
    int lastLeaderRow = 0;
    for (int y = 22; y < 100; ++y) {
        if (px.Count(blue, 98, y, 110, y + 1) > 0) lastLeaderRow = y;
    }
    ASSERT_GT(lastLeaderRow, 25);
    const int boxTop = lastLeaderRow + 1;
    const int bh = boxTop - 20 - 10;
    EXPECT_GT(bh, 5);
    EXPECT_EQ(px.Count(blue, 95, boxTop, 130, boxTop + bh), 0);
}

TEST(VectorRenderWin, LabelTextIsDrawnTransparently) {
    MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) + "P 60, 20, 0, 255, 255, 0, 5, WWW\n");
    VectorMapSettings s;
    s.MapResolution = 200;
    s.Color = RGB(0, 0, 0);
    Rendered r = Render(s, folder, "zone");
    ASSERT_TRUE(r.bitmap);
    PixelReader px(r.bitmap.get());
    // Text pixels in the colour below the anchor; no opaque text background.
    EXPECT_GT(px.Count(RGB(255, 255, 0), 55, 35, 140, 80), 20);
    EXPECT_EQ(px.Count(RGB(255, 255, 255), 55, 35, 140, 80), 0);
}

TEST(VectorRenderWin, LabelFontIsArialAtTheScreenResolution) {
    UniqueFont font(CreateLabelFont(7));
    ASSERT_TRUE(font);
    LOGFONTA logical{};
    ASSERT_NE(GetObjectA(font.get(), sizeof logical, &logical), 0);
    WindowDc screen(nullptr);
    EXPECT_EQ(logical.lfHeight, -(7 * GetDeviceCaps(screen.get(), LOGPIXELSY) / 72));
    EXPECT_STREQ(logical.lfFaceName, "Arial");
    EXPECT_EQ(logical.lfWeight, 0);
    EXPECT_EQ(logical.lfCharSet, 0);
}

TEST(VectorRenderWin, BigMapRendersInTime) {
    // 30,000 lines and 1,000 labels at 1600 pixels, with real fonts.
    MapFolder folder;
    folder.Write("big.txt", testing::BigVectorMap(20240611u, 30000, 1000));
    VectorMapSettings s;
    s.MapResolution = 1600;
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    UniqueBitmap bitmap(RenderVectorMap(s, folder.Base("big"), 0.0f));
    QueryPerformanceCounter(&end);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(s.BitmapWidth, 1600);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("whole render of the big map: %.1f ms\n", ms);
    RecordProperty("render_ms", static_cast<int>(ms));
    // Far above the usual figure; catches a render gone quadratic.
    EXPECT_LT(ms, 3000.0);
}

class VectorZoneWin : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = std::make_unique<Program>();
        program_->app.vectorMapFolder = folder_.Folder();
        program_->app.vector.MapResolution = 400;
        program_->app.map.points.physicalX2 = 77;  // stale values are replaced
    }
    MapFolder folder_;
    std::unique_ptr<Program> program_;
};

TEST_F(VectorZoneWin, ZoneMapCalibratedFromItsBounds) {
    // A layer file alone is a map.
    folder_.Write("qeynos2_2.txt", "L -100, -50, 0, 300, 150, 0, 255, 0, 0\n");
    UniqueBitmap bitmap(RenderZoneVectorMap(*program_, "north qeynos"));
    ASSERT_TRUE(bitmap);
    const CalibrationPoints& c = program_->app.map.points;
    EXPECT_EQ(c.physicalX1, 0);
    EXPECT_EQ(c.physicalY1, 0);
    EXPECT_EQ(c.physicalX2, 400);
    EXPECT_EQ(c.physicalY2, 200);
    EXPECT_EQ(c.logicalX1, 100.0f);
    EXPECT_EQ(c.logicalY1, 50.0f);
    EXPECT_EQ(c.logicalX2, -300.0f);
    EXPECT_EQ(c.logicalY2, -150.0f);
}

TEST_F(VectorZoneWin, HeightFilterUsesTheCurrentPosition) {
    folder_.Write("qeynos2.txt",
                  "L 0, 0, 0, 400, 200, 0, 0, 0, 0\n"
                  "L 10, 100, 500, 390, 100, 500, 255, 0, 0\n");
    program_->app.vector.UseHeightFilter = 1;
    program_->app.zones.currentRecord = FindOrAddZoneRecord(program_->app.zones.table, "North Qeynos");
    program_->app.zones.Current()->current.slots[0].z = 490.0f;
    program_->app.zones.Current()->current.count = 1;
    UniqueBitmap closeBy(RenderZoneVectorMap(*program_, "North Qeynos"));
    ASSERT_TRUE(closeBy);
    EXPECT_GT(PixelReader(closeBy.get()).Count(RGB(255, 0, 0), 0, 100, 400, 101), 300);
    program_->app.zones.Current()->current.slots[0].z = 0.0f;
    UniqueBitmap farAway(RenderZoneVectorMap(*program_, "North Qeynos"));
    ASSERT_TRUE(farAway);
    EXPECT_EQ(PixelReader(farAway.get()).Count(RGB(255, 0, 0), 0, 100, 400, 101), 0);
}

TEST_F(VectorZoneWin, ZoneMissingFromTheNameTableHasNoMap) {
    folder_.Write(".txt", "L 0, 0, 0, 100, 100, 0, 0, 0, 0\n");
    EXPECT_EQ(RenderZoneVectorMap(*program_, "Nowhere Valley"), nullptr);
    EXPECT_EQ(program_->app.map.points.physicalX2, 0);
    EXPECT_EQ(RenderZoneVectorMap(*program_, ""), nullptr);
}

TEST_F(VectorZoneWin, NoFilesOrARefusedBitmapGiveNoMap) {
    EXPECT_EQ(RenderZoneVectorMap(*program_, "North Qeynos"), nullptr);
    EXPECT_EQ(program_->app.map.points.physicalX2, 0);
    // A size the system refuses: no map, and the last size stays recorded.
    folder_.Write("qeynos2.txt", "L 0, 0, 0, 100, 100, 0, 0, 0, 0\n");
    program_->app.vector.MapResolution = 2000000000;
    program_->app.vector.BitmapWidth = 5;
    EXPECT_EQ(RenderZoneVectorMap(*program_, "North Qeynos"), nullptr);
    EXPECT_EQ(program_->app.vector.BitmapWidth, 5);
    EXPECT_EQ(program_->app.map.points.physicalX2, 0);
}

}  // namespace
}  // namespace tolvik
