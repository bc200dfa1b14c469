#include "chrome/layout_win.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "chrome/control_sets.h"
#include "chrome/tolvik_dialog_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

using test::TolvikDialog;

class LayoutModes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr) << GetLastError();
        ShowCalibrationPanel(dialog.get(), program(), false);
        ApplyViewMode(dialog.get(), program(), false);
    }
    Program& program() { return dialog.program(); }
    POINT Corner(int id) const { return {dialog.clientRectOf(id).left, dialog.clientRectOf(id).top}; }
    // The Map View reaches exactly from `topLeft` to the client area's edges.
    void ExpectMapViewFrom(POINT topLeft, const char* mode) {
        const RECT view = dialog.clientRectOf(IDC_MAP_VIEW);
        const RECT rect = MapViewRect(dialog.get(), program());
        const SIZE client = dialog.clientSize();
        for (const RECT& r : {view, rect}) {
            EXPECT_EQ(r.left, topLeft.x) << mode;
            EXPECT_EQ(r.top, topLeft.y) << mode;
            EXPECT_EQ(r.right, client.cx) << mode;
            EXPECT_EQ(r.bottom, client.cy) << mode;
        }
    }
    void ExpectVisible(bool info, bool window, bool panel, const char* mode) {
        for (int id : kInfoFields) EXPECT_EQ(dialog.visible(id), info) << mode << " control " << id;
        for (int id : kWindowControls) EXPECT_EQ(dialog.visible(id), window) << mode << " control " << id;
        for (int id : kCalibrationPanel) EXPECT_EQ(dialog.visible(id), panel) << mode << " control " << id;
        for (int id : {IDC_ANCHOR_NORMAL, IDC_ANCHOR_CAL, IDC_ANCHOR_EXTENT}) EXPECT_FALSE(dialog.visible(id)) << mode;
        EXPECT_TRUE(dialog.visible(IDC_MAP_VIEW)) << mode;
    }
    void Resize(int w, int h) { SetWindowPos(dialog.get(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); }
    TolvikDialog dialog;
};

TEST_F(LayoutModes, EachModeShowsItsControlsAndPlacesTheMap) {
    const POINT normal = Corner(IDC_ANCHOR_NORMAL);
    EXPECT_EQ(normal.x, 0);
    EXPECT_GT(normal.y, 0);
    ExpectVisible(true, true, false, "normal");
    ExpectMapViewFrom(normal, "normal");
    Resize(900, 800);
    LayoutMapView(dialog.get(), program());
    ExpectMapViewFrom(normal, "normal, larger");

    program().app.calibrationMode = 1;
    ShowCalibrationPanel(dialog.get(), program(), true);
    ExpectVisible(true, true, true, "calibration");
    EXPECT_GT(Corner(IDC_ANCHOR_CAL).y, normal.y);
    ExpectMapViewFrom(Corner(IDC_ANCHOR_CAL), "calibration");
    program().app.calibrationMode = 0;
    ShowCalibrationPanel(dialog.get(), program(), false);
    ExpectMapViewFrom(normal, "calibration closed");

    const RECT exitBefore = dialog.clientRectOf(IDC_EXIT);
    program().app.MapOnly = 1;
    ApplyViewMode(dialog.get(), program(), true);
    ExpectVisible(false, false, false, "map only");
    ExpectMapViewFrom({0, 0}, "map only");
    Resize(300, 220);
    LayoutMapView(dialog.get(), program());
    ExpectMapViewFrom({0, 0}, "map only, smaller");

    program().app.MapOnly = 0;
    ApplyViewMode(dialog.get(), program(), false);
    ExpectVisible(true, true, false, "back to normal");
    EXPECT_EQ(dialog.clientRectOf(IDC_EXIT).left, exitBefore.left);
    ExpectMapViewFrom(normal, "back to normal");
}

TEST_F(LayoutModes, LeavingMapOnlyGrowsASmallWindowAndMinimumSizeFollowsTheExtent) {
    SetWindowPos(dialog.get(), nullptr, 40, 30, 250, 180, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT before = {}, after = {};
    GetWindowRect(dialog.get(), &before);
    program().app.MapOnly = 1;  // still map-only: nothing changes
    EnsureFullLayoutFits(dialog.get(), program());
    GetWindowRect(dialog.get(), &after);
    EXPECT_EQ(after.right, before.right);
    MINMAXINFO info = {};
    info.ptMinTrackSize = {1, 2};
    ApplyMinimumSize(dialog.get(), program(), &info);
    EXPECT_EQ(info.ptMinTrackSize.x, 1);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);

    program().app.MapOnly = 0;
    EnsureFullLayoutFits(dialog.get(), program());
    GetWindowRect(dialog.get(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    const RECT extent = dialog.clientRectOf(IDC_ANCHOR_EXTENT);
    EXPECT_GE(dialog.clientSize().cx, extent.left);
    EXPECT_GE(dialog.clientSize().cy, extent.top);
    ApplyMinimumSize(dialog.get(), program(), &info);
    EXPECT_EQ(info.ptMinTrackSize.x, extent.right + 10);
    EXPECT_EQ(info.ptMinTrackSize.y, extent.bottom);
    ApplyMinimumSize(dialog.get(), program(), nullptr);  // no answer record: nothing to do

    Resize(1000, 900);  // large enough: kept
    GetWindowRect(dialog.get(), &before);
    EnsureFullLayoutFits(dialog.get(), program());
    GetWindowRect(dialog.get(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
}  // namespace tolvik
