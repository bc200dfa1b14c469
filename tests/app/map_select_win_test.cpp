// A big zone picture is decoded in the background; one arriving for an earlier selection is dropped.
#include <gtest/gtest.h>

#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

// Dispatches messages until a background picture arrives (at most 30 s): its request number, or -1.
long long PumpUntilPictureArrives() {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(10))
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
            if (DispatchMessageA(&m), m.message == WM_TOLVIK_PICTURE_LOADED) return static_cast<long long>(m.wParam);
    return -1;
}

TEST(BigZonePicture, ArrivesInTheBackgroundAndOnlyForTheLatestSelection) {
    test::TempFolder folder{"bigpicture"};
    test::MakeFolder(folder / "Zones");
    ASSERT_TRUE(test::WritePicture(folder / "Zones\\MissingMap.jpg", test::SolidPicture(600, 400, 0xFF000060u)));
    // Just over the size decoded at once (2,048 x 2,048).
    for (const auto& [name, width] : {std::pair{"Big Zone", 2100}, {"Next Zone", 2200}})
        ASSERT_TRUE(test::WritePicture(folder / "Zones\\" + name + ".jpg", test::SolidPicture(width, 2000, 0xFF808080u)));
    test::MainWindowHarness h(folder.path());
    const CurrentMap& map = h.app().map;

    SelectZoneMap(h.window(), h.program(), "Big Zone");
    // The loading notice on the stand-by picture meanwhile.
    EXPECT_EQ(std::pair(map.imageWidth, h.program().picture.zone), std::pair(600, std::string("Big Zone")));
    ASSERT_GE(PumpUntilPictureArrives(), 0);
    EXPECT_EQ(std::tuple(map.zoneName, map.imageWidth, map.imageHeight), std::tuple(std::string("Big Zone"), 2100, 2000));
    EXPECT_EQ(test::ReadPixels(h.program().gdi.mapBitmap.get()).at(map.imageOffsetX + 1000, map.imageOffsetY + 1000), 0x808080u);
    EXPECT_TRUE(h.program().picture.zone.empty());

    // Another zone chosen while the picture is on its way: the earlier
    // picture never shows as the later zone's map.
    SelectZoneMap(h.window(), h.program(), "Big Zone");
    const long long earlier = static_cast<long long>(h.program().picture.number);
    SelectZoneMap(h.window(), h.program(), "Next Zone");
    for (int arrivals = 0; arrivals < 2; ++arrivals) {
        const long long request = PumpUntilPictureArrives();
        ASSERT_GE(request, 0);
        EXPECT_TRUE(request != earlier || map.imageWidth != 2100);
    }
    EXPECT_EQ(std::pair(map.zoneName, map.imageWidth), std::pair(std::string("Next Zone"), 2200));
}

}  // namespace
}  // namespace tolvik
