#include "chrome/layout_win.h"

#include <algorithm>

#include "chrome/control_sets.h"

namespace tolvik {
namespace {

// Top-left corner of anchor `id` in the window's client coordinates; false
// when the window has no such control.
bool AnchorPoint(HWND window, int id, POINT& point) {
    RECT rect = {};
    const HWND anchor = GetDlgItem(window, id);
    if (!anchor || !GetWindowRect(anchor, &rect)) return false;
    point = {rect.left, rect.top};
    return ScreenToClient(window, &point) != FALSE;
}

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// The Map View's place below the anchor of the calibration panel's state,
// reaching to the client area's right and bottom edges.
RECT RectBelowAnchor(HWND window, bool calibration) {
    const SIZE client = ClientSize(window);
    POINT anchor = {0, 0};
    AnchorPoint(window, calibration ? IDC_ANCHOR_CAL : IDC_ANCHOR_NORMAL, anchor);
    return {anchor.x, anchor.y, std::max(anchor.x, static_cast<LONG>(client.cx)),
            std::max(anchor.y, static_cast<LONG>(client.cy))};
}

void PlaceMapView(HWND window, const RECT& rect, bool repaint) {
    const HWND view = GetDlgItem(window, IDC_MAP_VIEW);
    if (!view) return;
    MoveWindow(view, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint ? TRUE : FALSE);
}

template <std::size_t N>
void ShowSet(HWND window, const std::array<int, N>& set, bool show) {
    for (int id : set) {
        if (const HWND control = GetDlgItem(window, id)) ShowWindow(control, show ? SW_SHOWNORMAL : SW_HIDE);
    }
}

}  // namespace

RECT MapViewRect(HWND window, const Program& program) {
    if (program.app.MapOnly) {
        const SIZE client = ClientSize(window);
        return {0, 0, client.cx, client.cy};
    }
    return RectBelowAnchor(window, program.app.calibrationMode != 0);
}

void ShowCalibrationPanel(HWND window, Program& program, bool show) {
    ShowSet(window, kCalibrationPanel, show);
    PlaceMapView(window, RectBelowAnchor(window, show), true);
}

void ApplyViewMode(HWND window, Program& program, bool mapOnly) {
    ShowSet(window, kCalibrationPanel, false);
    ShowSet(window, kInfoFields, !mapOnly);
    ShowSet(window, kWindowControls, !mapOnly);
    PlaceMapView(window, MapViewRect(window, program), true);
}

void EnsureFullLayoutFits(HWND window, Program& program) {
    if (program.app.MapOnly) return;
    RECT frame = {};
    RECT anchor = {};
    const HWND extent = GetDlgItem(window, IDC_ANCHOR_EXTENT);
    if (!extent || !GetWindowRect(window, &frame) || !GetWindowRect(extent, &anchor)) return;
    if (frame.right >= anchor.left && frame.bottom >= anchor.top) return;

    const SIZE client = ClientSize(window);
    const LONG right = std::max(frame.right, anchor.left);
    const LONG bottom = std::max(frame.bottom, anchor.top);
    const LONG width = (frame.right - frame.left - client.cx) + (right - frame.left);
    const LONG height = (frame.bottom - frame.top - client.cy) + (bottom - frame.top);
    MoveWindow(window, frame.left, frame.top, width, height, TRUE);
}

void LayoutMapView(HWND window, Program& program) {
    PlaceMapView(window, MapViewRect(window, program), false);
}

void ApplyMinimumSize(HWND window, Program& program, MINMAXINFO* info) {
    if (!info || program.app.MapOnly) return;
    RECT anchor = {};
    const HWND extent = GetDlgItem(window, IDC_ANCHOR_EXTENT);
    if (!extent || !GetWindowRect(extent, &anchor)) return;
    POINT corner = {anchor.right + 10, anchor.bottom};
    if (!ScreenToClient(window, &corner)) return;
    info->ptMinTrackSize = corner;
}

}  // namespace tolvik
