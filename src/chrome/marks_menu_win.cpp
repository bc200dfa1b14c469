#include "chrome/marks_menu_win.h"

#include <string>

#include "chrome/hover_text.h"
#include "raster/marks_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

bool PointerOverMap(HWND window) {
    POINT pointer{};
    RECT view{};
    if (!GetCursorPos(&pointer) || !GetWindowRect(GetDlgItem(window, IDC_MAP_VIEW), &view)) return false;
    if (!PtInRect(&view, pointer)) return false;
    // Another window over ours hides the map from the pointer.
    const HWND under = WindowFromPoint(pointer);
    return under && GetAncestor(under, GA_ROOT) == window;
}

std::string TitleOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

void NoteMenuPoint(HWND window, AppState& app, LPARAM position) {
    Position game;
    app.marks.menuPointValid = MapPointUnder(window, app, position, game);
    app.marks.menuX = game.x;
    app.marks.menuY = game.y;
}

void AppendMarkItems(HMENU menu, const AppState& app) {
    const bool set = app.marks.menuPointValid;
    const bool clearWaypoint = app.marks.waypoints.count(app.map.zoneName) != 0;
    const bool clearCorpse = app.marks.corpses.count(app.map.zoneName) != 0;
    if (!set && !clearWaypoint && !clearCorpse) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    if (set) AppendMenuA(menu, MF_STRING, IDM_SET_WAYPOINT, "Set Waypoint Here");
    if (clearWaypoint) AppendMenuA(menu, MF_STRING, IDM_CLEAR_WAYPOINT, "Clear Waypoint");
    if (clearCorpse) AppendMenuA(menu, MF_STRING, IDM_CLEAR_CORPSE, "Clear Corpse Marker");
}

void ShowIdleTitle(HWND window, AppState& app) {
    const std::string title = IdleTitleText(app);
    app.marks.titleShowsWaypoint = title != kPlainTitle;
    if (TitleOf(window) != title) SetWindowTextA(window, title.c_str());
}

void RefreshIdleTitle(HWND window, AppState& app) {
    if (!app.marks.titleShowsWaypoint && app.marks.waypoints.count(app.map.zoneName) == 0) return;
    if (PointerOverMap(window)) return;
    ShowIdleTitle(window, app);
}

}  // namespace tolvik
