// The timer's frames copy to the screen only what changed since the frame
// before; whatever ran before, the screen shows what a whole frame shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "raster/map_view_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

TEST(MapViewFrames, TheScreenAfterEveryTickIsTheWholeFrame) {
    test::TempFolder folder{"frames"};
    test::MakeFolder(folder / "Zones");
    // A picture whose every pixel differs from its neighbours, so that a part
    // put back at the wrong place shows.
    test::Picture picture = test::SolidPicture(400, 300, 0);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) picture.at(x, y) = 0xFF000000u | ((x * 0x10203u + y * 0x30501u) & 0xFFFFFFu);
    ASSERT_TRUE(test::WritePicture(folder / "Zones\\Frames.jpg", picture));
    test::WriteFile(folder / "Zones\\Frames.ini",
                    "[Physical]\r\nX1=100\r\nY1=50\r\nX2=300\r\nY2=250\r\n[Logical]\r\nX1=0\r\nY1=0\r\nX2=-200\r\nY2=200\r\n");
    test::MainWindowHarness h(folder.path());
    ShowWindow(h.window(), SW_SHOW);
    UpdateWindow(h.window());
    h.PumpMessages();
    h.Select("Frames");
    ZoneRecord* record = h.app().zones.Current();
    ASSERT_TRUE(record && h.app().map.calibrated == 1);
    const RECT rect = h.ViewRect();

    for (int step = 0; step < 24; ++step) {
        // The player walks for a while, then stands; the map follows him at first.
        // His trail's long steps make markers whose boxes are far apart.
        h.app().KeepCentered = step < 8 ? 1 : 0;
        const int walked = std::min(step, 14);
        record->current.count = std::min(walked + 1, 6);
        for (int i = 0; i < record->current.count; ++i)
            record->current.slots[i] = Position{-5.0f * walked + 20.0f * i, 9.0f * walked - 40.0f - 36.0f * i, 0.0f};
        h.Tick(step % 3 ? 100 : 250);
        test::Canvas screen(rect.right, rect.bottom), whole(rect.right, rect.bottom);
        BitBlt(screen.dc(), 0, 0, rect.right, rect.bottom, WindowDc(h.Item(IDC_MAP_VIEW)).get(), 0, 0, SRCCOPY);
        DrawMapFrame(whole.dc(), rect, h.program(), false, h.rec().tick);
        const test::Picture shown = screen.pixels(), expected = whole.pixels();
        const auto [s, e] = std::mismatch(shown.argb.begin(), shown.argb.end(), expected.argb.begin());
        const long first = s - shown.argb.begin();
        ASSERT_TRUE(s == shown.argb.end()) << "after tick " << step << ", first at " << first % rect.right << ","
                                           << first / rect.right << std::hex << " shown " << *s << " expected " << *e;
    }
}

}  // namespace
}  // namespace tolvik
