#include "app/map_select_win.h"

#include "app/main_window_win.h"
#include "app/map_zoom_win.h"
#include "base/gdi_win.h"
#include "base/shipped_art_win.h"
#include "base/zone_file_name.h"
#include "log/zone_records.h"
#include "raster/calibration_win.h"
#include "raster/map_math.h"
#include "raster/map_texts.h"
#include "raster/map_view_win.h"
#include "res/resource.h"
#include "vector/follow_height.h"
#include "vector/vector_render_win.h"

namespace tolvik {

namespace {

constexpr const char* kMissingMap = "MissingMap";

// Writes `text` in white onto the stand-by picture.
void WriteStandByText(HBITMAP picture, const std::string& text) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    Selection selected(dc.get(), picture);
    BITMAP description{};
    GetObjectA(picture, sizeof description, &description);
    const Rect box = StandByTextBox(description.bmWidth, description.bmHeight);
    RECT rect{box.left, box.top, box.right, box.bottom};
    SetTextColor(dc.get(), RGB(255, 255, 255));
    SetBkMode(dc.get(), TRANSPARENT);
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect, DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER);
}

}  // namespace

int BuildZoneMap(Program& program, const std::string& zone) {
    HBITMAP picture = program.app.UseVURavaZiro ? RenderZoneVectorMap(program, zone) : LoadZoneImage(program, zone);
    // A picture too big for a map bitmap gets the stand-by picture too.
    if (picture && ComposeMapPicture(program, picture)) return 1;
    // The stand-by picture in the Zones Folder, or the one built into the
    // program; its calibration file is read either way.
    picture = LoadZoneImage(program, kMissingMap);
    if (!picture) picture = LoadBuiltInPicture(program, std::string(kMissingMap) + ".jpg");
    if (picture) WriteStandByText(picture, zone.empty() ? GettingStartedText() : MissingMapText(zone));
    return ComposeMapPicture(program, picture);
}

void SelectZoneMap(HWND window, Program& program, const std::string& zone) {
    AppState& app = program.app;
    const bool sameZone = app.map.zoneName == zone.substr(0, kMaxZoneNameChars);
    app.map.zoneName = zone.substr(0, kMaxZoneNameChars);
    app.zones.currentRecord = FindOrAddZoneRecord(app.zones.table, zone);
    program.gdi.mapBitmap.reset();

    if (!BuildZoneMap(program, zone)) return;

    BITMAP description{};
    GetObjectA(program.gdi.mapBitmap.get(), sizeof description, &description);
    OpenMapAtZoneZoom(window, program, zone, sameZone, SIZE{description.bmWidth, description.bmHeight});

    SelectZoneInList(window, zone);
    ShowCalibrationFields(window, program);
    app.map.calibrated = app.map.points.physicalX1 != app.map.points.physicalX2 ? 1 : 0;
}

void RenderZoneMapAgain(HWND window, Program& program) {
    AppState& app = program.app;
    const int width = app.map.imageWidth;
    const int height = app.map.imageHeight;
    if (!BuildZoneMap(program, app.map.zoneName)) return;
    if (app.map.imageWidth != width || app.map.imageHeight != height) {
        RECT view{};
        GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &view);
        BITMAP description{};
        GetObjectA(program.gdi.mapBitmap.get(), sizeof description, &description);
        app.map.panX = CentredPan(view.right, description.bmWidth, app.map.zoomStep);
        app.map.panY = CentredPan(view.bottom, description.bmHeight, app.map.zoomStep);
    }
    app.map.calibrated = app.map.points.physicalX1 != app.map.points.physicalX2 ? 1 : 0;
    // A zoomed view gets its sharp picture for the new render at once.
    RenderVectorMapAtZoom(program);
}

void FollowPlayerHeight(HWND window, Program& program) {
    const AppState& app = program.app;
    if (app.UseVURavaZiro && HeightCallsForRender(app.vector, PlayerHeight(app.zones))) {
        RenderZoneMapAgain(window, program);
    }
}

void ChooseMapImage(HWND window, Program& program) {
    // Only a zone whose name is a plain file name can have a picture (an
    // empty name, before any zone is known, cannot).
    const std::string zone = GetListedZone(window);
    if (!IsPlainZoneFileName(zone)) return;
    std::string chosen;
    if (!program.seams.pickFileToOpen(window, chosen, FileFilter::Pictures)) return;
    const std::string target = program.app.zonesFolder + zone + ".jpg";
    CopyFileA(chosen.c_str(), target.c_str(), FALSE);
    SelectZoneMap(window, program, zone);
}

}  // namespace tolvik
