#include "chrome/hover_text_win.h"

#include "chrome/hover_text.h"
#include "chrome/marks_menu_win.h"
#include "raster/calibration.h"
#include "res/resource.h"

namespace tolvik {
namespace {

// Screen position of a window's client origin.
POINT ClientOrigin(HWND window) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

}  // namespace

void UpdateHoverTitle(HWND window, Program& program, LPARAM position) {
    AppState& app = program.app;
    if (!app.map.calibrated) return;

    if (!app.hover.tracking) {
        TRACKMOUSEEVENT request = {};
        request.cbSize = sizeof request;
        request.dwFlags = TME_LEAVE;
        request.hwndTrack = window;
        TrackMouseEvent(&request);
        app.hover.tracking = 1;
    }

    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));
    if (x == app.hover.lastX && y == app.hover.lastY) return;
    app.hover.lastX = x;
    app.hover.lastY = y;

    const HWND view = GetDlgItem(window, IDC_MAP_VIEW);
    RECT viewRect = {};
    const POINT windowOrigin = ClientOrigin(window);
    const POINT screen = {x + windowOrigin.x, y + windowOrigin.y};
    if (view && GetWindowRect(view, &viewRect) && PtInRect(&viewRect, screen)) {
        const POINT viewOrigin = ClientOrigin(view);
        const GamePoint game = ViewToGame(app.map, screen.x - viewOrigin.x, screen.y - viewOrigin.y);
        if (game.valid) {
            SetWindowTextA(window, HoverTitleText(game.x, game.y).c_str());
            app.marks.titleShowsWaypoint = false;
            return;
        }
    }
    ShowIdleTitle(window, app);
}

void EndHoverTitle(HWND window, Program& program) {
    ShowIdleTitle(window, program.app);
    program.app.hover.tracking = 0;
}

}  // namespace tolvik
