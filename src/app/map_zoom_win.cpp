#include "app/map_zoom_win.h"

#include <windowsx.h>

#include <climits>

#include "chrome/hover_text_win.h"
#include "chrome/context_menu_win.h"
#include "raster/map_math.h"
#include "raster/map_view_win.h"
#include "res/resource.h"
#include "vector/vector_render_win.h"

namespace tolvik {

namespace {

// Marks the main window for the filter and holds the filter's handle.
constexpr const char* kZoomInputProperty = "TolvikZoomInput";
constexpr UINT kSettleMilliseconds = 200;

bool IsMainWindow(HWND window) { return window && GetPropA(window, kZoomInputProperty) != nullptr; }

HWND RootOf(HWND window) { return window ? GetAncestor(window, GA_ROOT) : nullptr; }

POINT ViewCentre(HWND window) {
    RECT view{};
    GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &view);
    return POINT{view.right / 2, view.bottom / 2};
}

bool KeyIsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool FocusInTextField() {
    char name[16] = {};
    const HWND focus = GetFocus();
    return focus && GetClassNameA(focus, name, sizeof name) > 0 && lstrcmpiA(name, "Edit") == 0;
}

// Zooms by the wheel's notches when `screen` lies over the Map View of
// `window`; false when it does not.
bool WheelOverMap(HWND window, Program& program, int delta, POINT screen) {
    const HWND view = GetDlgItem(window, IDC_MAP_VIEW);
    RECT area{};
    if (!view || !IsWindowVisible(view) || !GetWindowRect(view, &area) || !PtInRect(&area, screen)) return false;
    POINT anchor = screen;
    ScreenToClient(view, &anchor);
    CurrentMap& map = program.app.map;
    const int notches = WheelNotches(map.wheelRemainder, delta);
    if (notches != 0) ZoomMapView(window, program, StepZoom(map.zoomStep, notches), anchor);
    return true;
}

// + and - (main keys and keypad) step the zoom about the view's centre, 0
// returns to the actual size.
bool ZoomKey(HWND window, Program& program, WPARAM key) {
    const int step = program.app.map.zoomStep;
    int next = step;
    switch (key) {
    case VK_ADD:
    case VK_OEM_PLUS:
        next = StepZoom(step, 1);
        break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        next = StepZoom(step, -1);
        break;
    case '0':
    case VK_NUMPAD0:
        next = 0;
        break;
    default:
        return false;
    }
    ZoomMapView(window, program, next, ViewCentre(window));
    return true;
}

// The title follows a zoom that moved the map under a resting pointer.
void RefreshHoverTitle(HWND window, Program& program) {
    AppState& app = program.app;
    if (!app.hover.tracking || app.drag.dragging || app.calibrationMode) return;
    POINT pointer{};
    if (!GetCursorPos(&pointer) || !ScreenToClient(window, &pointer)) return;
    app.hover.lastX = INT_MIN;
    UpdateHoverTitle(window, program, MAKELPARAM(static_cast<WORD>(pointer.x), static_cast<WORD>(pointer.y)));
}

bool ShowsVectorMap(const Program& program) {
    return program.app.UseVURavaZiro && !program.gdi.zoom.vectorBase.empty();
}

void RememberZoneZoom(AppState& app) {
    if (app.map.zoneName.empty()) return;
    if (app.map.zoomStep != 0) {
        app.zoneZooms[app.map.zoneName] = app.map.zoomStep;
    } else {
        app.zoneZooms.erase(app.map.zoneName);
    }
}

}  // namespace

void StartZoomInput(HWND window) { SetPropA(window, kZoomInputProperty, reinterpret_cast<HANDLE>(1)); }

void StopZoomInput(HWND window) {
    RemovePropA(window, kZoomInputProperty);
    KillTimer(window, IDT_ZOOM_SETTLE);
}

bool PreTranslateZoomMessage(const MSG& message) {
    if (message.message == WM_MOUSEWHEEL) {
        // Whichever window has the focus: what counts is the window under the pointer.
        const POINT screen{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        const HWND main = RootOf(WindowFromPoint(screen));
        Program* program = IsMainWindow(main) ? TryProgramOf(main) : nullptr;
        return program && WheelOverMap(main, *program, GET_WHEEL_DELTA_WPARAM(message.wParam), screen);
    }
    if (message.message == WM_KEYDOWN) {
        const HWND main = RootOf(message.hwnd);
        if (!IsMainWindow(main) || GetActiveWindow() != main || FocusInTextField()) return false;
        if (KeyIsDown(VK_CONTROL) || KeyIsDown(VK_MENU)) return false;
        Program* program = TryProgramOf(main);
        return program && ZoomKey(main, *program, message.wParam);
    }
    return false;
}

bool OnMainWindowWheel(HWND window, Program& program, WPARAM wParam, LPARAM lParam) {
    return WheelOverMap(window, program, GET_WHEEL_DELTA_WPARAM(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void OnZoomCommand(HWND window, Program& program, int command) {
    const int step = program.app.map.zoomStep;
    const int next = command == IDM_ZOOM_IN ? StepZoom(step, 1) : command == IDM_ZOOM_OUT ? StepZoom(step, -1) : 0;
    ZoomMapView(window, program, next, ViewCentre(window));
}

void ZoomMapView(HWND window, Program& program, int step, POINT anchor) {
    AppState& app = program.app;
    if (!ZoomAbout(app.map, step, anchor.x, anchor.y)) return;
    RememberZoneZoom(app);
    if (app.drag.dragging) {
        // A drag goes on from here, at the new zoom.
        POINT pointer{};
        GetCursorPos(&pointer);
        ScreenToClient(window, &pointer);
        app.drag.startX = pointer.x;
        app.drag.startY = pointer.y;
        app.drag.startPanX = app.map.panX;
        app.drag.startPanY = app.map.panY;
    }
    // Until the vector map is rendered at the new scale, the stretched one shows.
    DrawMapView(window, program, app.calibrationMode != 0);
    RefreshHoverTitle(window, program);
    KillTimer(window, IDT_ZOOM_SETTLE);
    if (app.map.zoomStep == 0 || !ShowsVectorMap(program)) {
        RenderVectorMapAtZoom(program);  // lets go of a render for another zoom
    } else {
        SetTimer(window, IDT_ZOOM_SETTLE, kSettleMilliseconds, nullptr);
    }
}

void OnZoomSettled(HWND window, Program& program) {
    KillTimer(window, IDT_ZOOM_SETTLE);
    if (RenderVectorMapAtZoom(program)) DrawMapView(window, program, program.app.calibrationMode != 0);
}

void OpenMapAtZoneZoom(HWND window, Program& program, const std::string& zone, bool sameZone, SIZE mapSize) {
    CurrentMap& map = program.app.map;
    if (!sameZone) {
        const auto remembered = program.app.zoneZooms.find(zone);
        map.zoomStep = remembered == program.app.zoneZooms.end() ? 0 : StepZoom(remembered->second, 0);
    }
    map.wheelRemainder = 0;
    RECT view{};
    GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &view);
    map.panX = CentredPan(view.right, mapSize.cx, map.zoomStep);
    map.panY = CentredPan(view.bottom, mapSize.cy, map.zoomStep);
    KillTimer(window, IDT_ZOOM_SETTLE);
    RenderVectorMapAtZoom(program);
}

}  // namespace tolvik
