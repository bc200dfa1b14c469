#include "app/map_select_win.h"

#include "app/main_window_win.h"
#include "app/map_zoom_win.h"
#include "base/gdi_win.h"
#include "base/picture_header.h"
#include "base/shipped_art_win.h"
#include "base/zone_file_name.h"
#include "log/zone_records.h"
#include "raster/calibration_win.h"
#include "raster/map_compose_win.h"
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
    const SIZE size = BitmapSize(picture);
    const Rect box = StandByTextBox(size.cx, size.cy);
    RECT rect{box.left, box.top, box.right, box.bottom};
    SetTextColor(dc.get(), RGB(255, 255, 255));
    SetBkMode(dc.get(), TRANSPARENT);
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect, DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER);
}

// The stand-by picture with `text` written on it, as the Current Map.
int ComposeStandByPicture(Program& program, const std::string& text) {
    // The stand-by picture in the Zones Folder, or the one built into the
    // program; its calibration file is read either way.
    HBITMAP picture = LoadZoneImage(program, kMissingMap);
    if (!picture) picture = LoadBuiltInPicture(program, std::string(kMissingMap) + ".jpg");
    if (picture) WriteStandByText(picture, text);
    return ComposeMapPicture(program, picture);
}

// Pictures up to this size are decoded at once. A bigger one, or one whose
// size its header does not tell, would hold the window up for a noticeable
// time: it is decoded in the background.
constexpr std::int64_t kPicturePixelsDecodedAtOnce = std::int64_t{4} << 20;

// Starts decoding the zone's picture in the background when it is big;
// false when it is decoded at once (or refused, or missing).
bool StartBigPictureLoad(HWND window, Program& program, const std::string& zone) {
    if (!IsPlainZoneFileName(zone)) return false;
    const std::string path = ZonePicturePath(program.app, zone);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const PictureHeader header = ReadPictureFileHeader(path);
    if (header.sizeKnown && (!ZonePictureSizeAllowed(header.width, header.height) ||
                             header.width * header.height <= kPicturePixelsDecodedAtOnce)) {
        return false;
    }
    if (!ComposeMapInBackground(window, WM_TOLVIK_PICTURE_LOADED, static_cast<WPARAM>(program.picture.number), path,
                                ZonePictureSizeAllowed, LoadMapBackdrop(program))) {
        return false;
    }
    program.picture.zone = zone;
    return true;
}

// The zone list, the view and the calibration panel for the map just composed.
void ShowComposedMap(HWND window, Program& program, const std::string& zone, bool sameZone) {
    AppState& app = program.app;
    OpenMapAtZoneZoom(window, program, zone, sameZone, BitmapSize(program.gdi.mapBitmap.get()));
    SelectZoneInList(window, zone);
    ShowCalibrationFields(window, program);
    app.map.calibrated = app.map.points.physicalX1 != app.map.points.physicalX2 ? 1 : 0;
}

// What the stand-by picture says for a zone without a map to show: how to
// get started, that the zone's picture is too big, or how to make one.
std::string StandByText(const Program& program, const std::string& zone) {
    if (zone.empty()) return GettingStartedText();
    if (!program.app.UseVURavaZiro && IsPlainZoneFileName(zone)) {
        const PictureHeader header = ReadPictureFileHeader(ZonePicturePath(program.app, zone));
        if (header.sizeKnown && !ZonePictureSizeAllowed(header.width, header.height)) {
            return TooBigMapText(zone, header.width, header.height);
        }
    }
    return MissingMapText(zone);
}

}  // namespace

int BuildZoneMap(Program& program, const std::string& zone) {
    HBITMAP picture = program.app.UseVURavaZiro ? RenderZoneVectorMap(program, zone) : LoadZoneImage(program, zone);
    // A picture too big for a map bitmap gets the stand-by picture too.
    if (picture && ComposeMapPicture(program, picture)) return 1;
    return ComposeStandByPicture(program, StandByText(program, zone));
}

void SelectZoneMap(HWND window, Program& program, const std::string& zone) {
    AppState& app = program.app;
    const bool sameZone = app.map.zoneName == zone.substr(0, kMaxZoneNameChars);
    app.map.zoneName = zone.substr(0, kMaxZoneNameChars);
    app.zones.currentRecord = FindOrAddZoneRecord(app.zones.table, zone);
    program.gdi.mapBitmap.reset();
    // The same zone's picture already on its way is awaited, not decoded a
    // second time (at start-up the log's read selects the zone, and then the
    // window selects it again). Any other picture on its way belongs to an
    // earlier selection.
    const bool awaited = sameZone && !app.UseVURavaZiro && !zone.empty() && program.picture.zone == zone;
    if (!awaited) {
        ++program.picture.number;
        program.picture.zone.clear();
    }

    const bool loading = awaited || (!app.UseVURavaZiro && StartBigPictureLoad(window, program, zone));
    if (loading ? !ComposeStandByPicture(program, LoadingMapText(zone)) : !BuildZoneMap(program, zone)) return;
    ShowComposedMap(window, program, zone, sameZone);
}

void OnZonePictureLoaded(HWND window, Program& program, WPARAM request, ComposedMap* map) {
    std::unique_ptr<ComposedMap> composed(map);
    if (request != static_cast<WPARAM>(program.picture.number) || program.picture.zone.empty()) return;
    const std::string zone = program.picture.zone;
    program.picture.zone.clear();
    ReadZoneCalibration(program, zone);
    if (composed) {
        InstallComposedMap(program, std::move(*composed));
    } else if (!ComposeStandByPicture(program, MissingMapText(zone))) {
        return;
    }
    // The zone's zoom was applied when it was selected; the view is centred
    // on the picture that replaces the loading notice.
    ShowComposedMap(window, program, zone, true);
}

void RenderZoneMapAgain(HWND window, Program& program) {
    AppState& app = program.app;
    const int width = app.map.imageWidth;
    const int height = app.map.imageHeight;
    if (!BuildZoneMap(program, app.map.zoneName)) return;
    if (app.map.imageWidth != width || app.map.imageHeight != height) {
        RECT view{};
        GetClientRect(GetDlgItem(window, IDC_MAP_VIEW), &view);
        const SIZE mapSize = BitmapSize(program.gdi.mapBitmap.get());
        app.map.panX = CentredPan(view.right, mapSize.cx, app.map.zoomStep);
        app.map.panY = CentredPan(view.bottom, mapSize.cy, app.map.zoomStep);
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
    CopyFileA(chosen.c_str(), ZonePicturePath(program.app, zone).c_str(), FALSE);
    program.picture.zone.clear();  // a picture still on its way is the one replaced
    SelectZoneMap(window, program, zone);
}

}  // namespace tolvik
