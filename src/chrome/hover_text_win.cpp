#include "chrome/hover_text_win.h"

#include "chrome/hover_text.h"
#include "chrome/marks_menu_win.h"
#include "raster/calibration.h"
#include "raster/marks_win.h"
#include "res/resource.h"

namespace tolvik {
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

    Position game{};
    if (MapPointUnder(window, app, position, game)) {
        SetWindowTextA(window, HoverTitleText(game.x, game.y).c_str());
        app.marks.titleShowsWaypoint = false;
        return;
    }
    ShowIdleTitle(window, app);
}

void EndHoverTitle(HWND window, Program& program) {
    ShowIdleTitle(window, program.app);
    program.app.hover.tracking = 0;
}

}  // namespace tolvik
