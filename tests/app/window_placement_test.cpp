#include <gtest/gtest.h>

#include "app/window_placement.h"

namespace tolvik {
namespace {

const Rect kPrimary{0, 0, 1920, 1040};
const Rect kSecond{1920, 0, 3200, 1024};
const Rect kTemplate{100, 100, 760, 800};

TEST(WindowPlacement, VisibleRectanglesAreRestoredAsStored) {
    const Rect stored{200, 150, 900, 850};
    const Rect r = RestoredWindowRect(stored, {kPrimary, kSecond}, kPrimary, kTemplate);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.Width(), 700);
    EXPECT_EQ(r.Height(), 700);
    // A rectangle only touching a work area is not on it.
    EXPECT_EQ(RestoredWindowRect(Rect{-700, 0, 0, 700}, {kPrimary}, kPrimary, kTemplate).left, (1920 - 700) / 2);
    // Partly off-screen but still showing a corner on the second monitor.
    const Rect edge{3100, 900, 3800, 1600};
    const Rect e = RestoredWindowRect(edge, {kPrimary, kSecond}, kPrimary, kTemplate);
    EXPECT_EQ(e.left, 3100);
}

TEST(WindowPlacement, RectangleOnAnUnpluggedMonitorComesBackCentred) {
    const Rect stored{2500, 100, 3200, 800};  // was on the second monitor
    const Rect r = RestoredWindowRect(stored, {kPrimary}, kPrimary, kTemplate);
    EXPECT_EQ(r.Width(), 700);
    EXPECT_EQ(r.Height(), 700);
    EXPECT_EQ(r.left, (1920 - 700) / 2);
    EXPECT_EQ(r.top, (1040 - 700) / 2);
}

TEST(WindowPlacement, OversizedOrEmptyRectanglesAreMadeToFit) {
    const Rect huge{-9000, -9000, -1000, 5000};
    const Rect r = RestoredWindowRect(huge, {kPrimary}, kPrimary, kTemplate);
    EXPECT_EQ(r.Width(), 1920);
    EXPECT_EQ(r.Height(), 1040);
    EXPECT_EQ(r.left, 0);
    const Rect empty{50, 50, 50, 50};
    const Rect e = RestoredWindowRect(empty, {kPrimary}, kPrimary, kTemplate);
    EXPECT_EQ(e.Width(), kTemplate.Width());
    EXPECT_EQ(e.Height(), kTemplate.Height());
}

}  // namespace
}  // namespace tolvik
