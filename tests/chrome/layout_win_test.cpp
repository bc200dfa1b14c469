#include "chrome/layout_win.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "chrome/control_sets.h"
#include "chrome/tolvik_dialog_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

using test::TolvikDialog;

POINT AnchorCorner(const TolvikDialog& dialog, int id) {
    const RECT r = dialog.clientRectOf(id);
    return {r.left, r.top};
}

void ExpectMapViewAt(const TolvikDialog& dialog, POINT topLeft) {
    const RECT view = dialog.clientRectOf(IDC_MAP_VIEW);
    const SIZE client = dialog.clientSize();
    EXPECT_EQ(view.left, topLeft.x);
    EXPECT_EQ(view.top, topLeft.y);
    EXPECT_EQ(view.right, client.cx);
    EXPECT_EQ(view.bottom, client.cy);
}

template <std::size_t N>
void ExpectSetVisible(const TolvikDialog& dialog, const std::array<int, N>& set, bool shown) {
    for (int id : set) EXPECT_EQ(dialog.visible(id), shown) << "control " << id;
}

class LayoutModes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr) << GetLastError();
        ShowCalibrationPanel(dialog.get(), program(), false);
        ApplyViewMode(dialog.get(), program(), false);
    }
    Program& program() { return dialog.program(); }
    TolvikDialog dialog;
};

TEST_F(LayoutModes, NormalViewShowsEverythingButThePanel) {
    ExpectSetVisible(dialog, kInfoFields, true);
    ExpectSetVisible(dialog, kWindowControls, true);
    ExpectSetVisible(dialog, kCalibrationPanel, false);
    for (int anchor : {IDC_ANCHOR_NORMAL, IDC_ANCHOR_CAL, IDC_ANCHOR_EXTENT}) EXPECT_FALSE(dialog.visible(anchor));
    EXPECT_TRUE(dialog.visible(IDC_MAP_VIEW));

    const POINT anchor = AnchorCorner(dialog, IDC_ANCHOR_NORMAL);
    EXPECT_EQ(anchor.x, 0);
    EXPECT_GT(anchor.y, 0);
    ExpectMapViewAt(dialog, anchor);
    const RECT rect = MapViewRect(dialog.get(), program());
    EXPECT_EQ(rect.left, anchor.x);
    EXPECT_EQ(rect.top, anchor.y);
    EXPECT_EQ(rect.right, dialog.clientSize().cx);
    EXPECT_EQ(rect.bottom, dialog.clientSize().cy);
}

TEST_F(LayoutModes, CalibrationPanelMovesTheMapDownAndBack) {
    program().app.calibrationMode = 1;
    ShowCalibrationPanel(dialog.get(), program(), true);
    ExpectSetVisible(dialog, kCalibrationPanel, true);
    ExpectSetVisible(dialog, kInfoFields, true);
    const POINT calibrationAnchor = AnchorCorner(dialog, IDC_ANCHOR_CAL);
    EXPECT_GT(calibrationAnchor.y, AnchorCorner(dialog, IDC_ANCHOR_NORMAL).y);
    ExpectMapViewAt(dialog, calibrationAnchor);  // exactly to the edges, no overreach
    EXPECT_EQ(MapViewRect(dialog.get(), program()).top, calibrationAnchor.y);

    program().app.calibrationMode = 0;
    ShowCalibrationPanel(dialog.get(), program(), false);
    ExpectSetVisible(dialog, kCalibrationPanel, false);
    ExpectMapViewAt(dialog, AnchorCorner(dialog, IDC_ANCHOR_NORMAL));
}

TEST_F(LayoutModes, MapOnlyHidesAllControlsAndFillsTheClientArea) {
    program().app.MapOnly = 1;
    ApplyViewMode(dialog.get(), program(), true);
    ExpectSetVisible(dialog, kInfoFields, false);
    ExpectSetVisible(dialog, kWindowControls, false);
    ExpectSetVisible(dialog, kCalibrationPanel, false);
    EXPECT_TRUE(dialog.visible(IDC_MAP_VIEW));
    ExpectMapViewAt(dialog, {0, 0});

    // A size change keeps the map filling the window.
    RECT frame = {};
    GetWindowRect(dialog.get(), &frame);
    SetWindowPos(dialog.get(), nullptr, 0, 0, 300, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutMapView(dialog.get(), program());
    ExpectMapViewAt(dialog, {0, 0});

    // Back to normal: the controls reappear at their template places.
    const RECT exitBefore = dialog.clientRectOf(IDC_EXIT);
    program().app.MapOnly = 0;
    ApplyViewMode(dialog.get(), program(), false);
    ExpectSetVisible(dialog, kInfoFields, true);
    ExpectSetVisible(dialog, kWindowControls, true);
    EXPECT_EQ(dialog.clientRectOf(IDC_EXIT).left, exitBefore.left);
    ExpectMapViewAt(dialog, AnchorCorner(dialog, IDC_ANCHOR_NORMAL));
}

TEST_F(LayoutModes, SizeChangeStretchesTheMapToTheNewEdges) {
    SetWindowPos(dialog.get(), nullptr, 0, 0, 900, 800, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutMapView(dialog.get(), program());
    ExpectMapViewAt(dialog, AnchorCorner(dialog, IDC_ANCHOR_NORMAL));
    EXPECT_GT(dialog.clientSize().cx, 800);
}

TEST_F(LayoutModes, LeavingMapOnlyGrowsASmallWindowUntilTheExtentAnchorFits) {
    SetWindowPos(dialog.get(), nullptr, 40, 30, 250, 180, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT before = {};
    GetWindowRect(dialog.get(), &before);

    // While map-only view is still on nothing changes.
    program().app.MapOnly = 1;
    EnsureFullLayoutFits(dialog.get(), program());
    RECT same = {};
    GetWindowRect(dialog.get(), &same);
    EXPECT_EQ(same.right, before.right);

    program().app.MapOnly = 0;
    EnsureFullLayoutFits(dialog.get(), program());
    RECT after = {};
    GetWindowRect(dialog.get(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    const POINT extent = AnchorCorner(dialog, IDC_ANCHOR_EXTENT);
    const SIZE client = dialog.clientSize();
    EXPECT_GE(client.cx, extent.x);
    EXPECT_GE(client.cy, extent.y);

    // A window that is already large enough keeps its size.
    SetWindowPos(dialog.get(), nullptr, 0, 0, 1000, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(dialog.get(), &before);
    EnsureFullLayoutFits(dialog.get(), program());
    GetWindowRect(dialog.get(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(LayoutModes, MinimumSizeComesFromTheExtentAnchorOnlyInNormalView) {
    const RECT extent = dialog.clientRectOf(IDC_ANCHOR_EXTENT);
    MINMAXINFO info = {};
    info.ptMinTrackSize = {1, 2};
    ApplyMinimumSize(dialog.get(), program(), &info);
    EXPECT_EQ(info.ptMinTrackSize.x, extent.right + 10);
    EXPECT_EQ(info.ptMinTrackSize.y, extent.bottom);

    program().app.MapOnly = 1;
    info.ptMinTrackSize = {1, 2};
    ApplyMinimumSize(dialog.get(), program(), &info);
    EXPECT_EQ(info.ptMinTrackSize.x, 1);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);
    ApplyMinimumSize(dialog.get(), program(), nullptr);  // no answer record: nothing to do
}

}  // namespace
}  // namespace tolvik
