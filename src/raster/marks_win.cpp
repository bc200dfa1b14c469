#include "raster/marks_win.h"

#include "raster/calibration.h"
#include "raster/calibration_win.h"
#include "raster/map_math.h"
#include "raster/map_view_win.h"
#include "raster/marks.h"
#include "res/resource.h"

namespace tolvik {
namespace {

template <typename Shape>
void DrawMarker(HDC dc, const RECT& clip, int x, int y, Shape shape, COLORREF fill) {
    for (int dy = -kMarkReach; dy <= kMarkReach; ++dy) {
        const int py = y + dy;
        if (py < clip.top || py >= clip.bottom) continue;
        for (int dx = -kMarkReach; dx <= kMarkReach; ++dx) {
            const int px = x + dx;
            if (px < clip.left || px >= clip.right) continue;
            switch (shape(dx, dy)) {
            case MarkPixel::Fill: SetPixel(dc, px, py, fill); break;
            case MarkPixel::Outline: SetPixel(dc, px, py, kMarkOutlineColour); break;
            case MarkPixel::None: break;
            }
        }
    }
}

// A marker whose centre is off the view by more than its reach draws nothing.
bool Near(const RECT& clip, int x, int y) {
    return x >= clip.left - kMarkReach && x < clip.right + kMarkReach && y >= clip.top - kMarkReach &&
           y < clip.bottom + kMarkReach;
}

}  // namespace

void DrawZoneMarks(HDC dc, const AppState& app) {
    const CurrentMap& map = app.map;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR || clip.right <= clip.left || clip.bottom <= clip.top) return;

    const auto corpse = app.marks.corpses.find(map.zoneName);
    int x = 0, y = 0;
    if (corpse != app.marks.corpses.end() && GameToView(map, corpse->second.x, corpse->second.y, x, y) &&
        Near(clip, x, y)) {
        DrawMarker(dc, clip, x, y, CorpsePixel, kCorpseColour);
    }

    const auto waypoint = app.marks.waypoints.find(map.zoneName);
    if (waypoint == app.marks.waypoints.end() || !GameToView(map, waypoint->second.x, waypoint->second.y, x, y)) {
        return;
    }
    int px = 0, py = 0;
    Position player{}, shown{};
    if (ShownZoneWaypoint(app, player, shown) && GameToView(map, player.x, player.y, px, py)) {
        const Rect box{clip.left, clip.top, clip.right, clip.bottom};
        for (const PixelPoint& dot : DottedLinePixels(px, py, x, y, box)) SetPixel(dc, dot.x, dot.y, kWaypointColour);
    }
    if (Near(clip, x, y)) DrawMarker(dc, clip, x, y, WaypointPixel, kWaypointColour);
}

bool MapPointUnder(HWND window, const AppState& app, LPARAM position, Position& out) {
    if (!app.map.calibrated) return false;
    RECT client{};
    if (!GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &client)) return false;
    const POINT view = MainClientToMapView(window, position);
    if (view.x < 0 || view.x >= client.right || view.y < 0 || view.y >= client.bottom) return false;
    const GamePoint game = ViewToGame(app.map, view.x, view.y);
    if (!game.valid) return false;
    out = Position{game.x, game.y, 0.0f};
    return true;
}

}  // namespace tolvik
