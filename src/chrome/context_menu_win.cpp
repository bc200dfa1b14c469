#include "chrome/context_menu_win.h"

#include "chrome/marks_menu_win.h"
#include "raster/map_math.h"
#include "res/resource.h"

namespace tolvik {
namespace {

UINT Checked(int flag) { return flag ? MF_CHECKED : MF_UNCHECKED; }

}  // namespace

HMENU BuildContextMenu(const AppState& app) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    AppendMenuA(menu, MF_STRING, IDC_EXIT, "Exit");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | Checked(app.MapOnly), IDM_MAP_ONLY, "Map only");
    AppendMenuA(menu, MF_STRING | Checked(app.KeepCentered), IDM_KEEP_CENTERED, "Keep location centered");
    AppendMenuA(menu, MF_STRING | Checked(app.OnTop), IDC_KEEP_ON_TOP, "Always on Top");
    AppendMenuA(menu, MF_STRING | Checked(app.UseVURavaZiro), IDM_USE_VECTOR_MAPS, "Use EQ-Live Maps");
    if (app.UseVURavaZiro) AppendMenuA(menu, MF_STRING, IDM_VECTOR_SETTINGS, "Vector Map Settings...");
    const int step = app.map.zoomStep;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (step < kMaxZoomStep ? MF_ENABLED : MF_GRAYED), IDM_ZOOM_IN, "Zoom In");
    AppendMenuA(menu, MF_STRING | (step > kMinZoomStep ? MF_ENABLED : MF_GRAYED), IDM_ZOOM_OUT, "Zoom Out");
    AppendMenuA(menu, MF_STRING | (step != 0 ? MF_ENABLED : MF_GRAYED), IDM_ACTUAL_SIZE, "Actual Size");
    if (app.UseVURavaZiro) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | Checked(app.vector.FollowHeight), IDM_FOLLOW_HEIGHT, "Follow My Height");
        AppendMenuA(menu, MF_STRING | Checked(app.vector.FadeOtherLevels), IDM_FADE_OTHER_LEVELS, "Fade Other Levels");
    }
    AppendMarkItems(menu, app);
    return menu;
}

void ShowContextMenu(HWND window, Program& program, LPARAM position) {
    POINT pointer = {0, 0};
    GetCursorPos(&pointer);
    NoteMenuPoint(window, program.app, position);
    HMENU menu = BuildContextMenu(program.app);
    if (!menu) return;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pointer.x, pointer.y, 0, window, nullptr);
    DestroyMenu(menu);
}

}  // namespace tolvik
