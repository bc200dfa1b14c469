#include "raster/calibration_win.h"

#include <cstdint>
#include <cstdio>

#include "base/image_win.h"
#include "base/picture_header.h"
#include "base/zone_file_name.h"
#include "base/number_text.h"
#include "base/profile_win.h"
#include "base/window_text_win.h"
#include "raster/map_math.h"
#include "raster/map_view_win.h"
#include "res/resource.h"

namespace tolvik {

namespace {

constexpr const char* kPhysical = "Physical";
constexpr const char* kLogical = "Logical";

constexpr const char* kNoWriteAccessText =
    "Calibration Unavailable\n\nIn order to perform calibration, Tolvik requires the ability to write to the "
    "folder where it stores its maps.\n\nEither re-run Tolvik as an Administrator or move Tolvik to another folder.";
constexpr const char* kNoLogOrZoneText =
    "Calibration Unavailable\n\nEither you haven't selected a log file or a zone change hasn't been spotted in the "
    "log.";
constexpr const char* kRefusalCaption = "Error: Unable to Calibrate";

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

float ReadRealField(HWND window, int id) { return ParseLeadingReal(WindowText(GetDlgItem(window, id), 127)); }

int ReadIntField(HWND window, int id) {
    return static_cast<int>(GetDlgItemInt(window, id, nullptr, TRUE));
}

// Path of the zone's calibration file.
std::string CalibrationFilePath(const AppState& app, const std::string& zone) {
    return app.zonesFolder + zone + ".ini";
}

// Reads the eight fields of the calibration panel into the reference points.
void ReadCalibrationFields(HWND window, Program& program) {
    CalibrationPoints& p = program.app.map.points;
    p.logicalX1 = ReadRealField(window, IDC_LOG1_X);
    p.logicalY1 = ReadRealField(window, IDC_LOG1_Y);
    p.logicalX2 = ReadRealField(window, IDC_LOG2_X);
    p.logicalY2 = ReadRealField(window, IDC_LOG2_Y);
    p.physicalX1 = ReadIntField(window, IDC_PHYS1_X);
    p.physicalY1 = ReadIntField(window, IDC_PHYS1_Y);
    p.physicalX2 = ReadIntField(window, IDC_PHYS2_X);
    p.physicalY2 = ReadIntField(window, IDC_PHYS2_Y);
}

// Whether a file can be created in the Program Folder.
bool CanWriteProgramFolder(const Program& program) {
    const std::string path = program.app.programFolder + "test.tmp";
    std::FILE* file = std::fopen(path.c_str(), "w+");
    if (!file) return false;
    std::fclose(file);
    DeleteFileA(path.c_str());
    return true;
}

}  // namespace

void ReadCalibrationFile(const std::string& path, CalibrationPoints& points) {
    points.physicalX1 = ReadProfileInt(kPhysical, "X1", 0, path);
    points.physicalY1 = ReadProfileInt(kPhysical, "Y1", 0, path);
    points.physicalX2 = ReadProfileInt(kPhysical, "X2", 0, path);
    points.physicalY2 = ReadProfileInt(kPhysical, "Y2", 0, path);
    points.logicalX1 = ReadProfileReal(kLogical, "X1", path);
    points.logicalY1 = ReadProfileReal(kLogical, "Y1", path);
    points.logicalX2 = ReadProfileReal(kLogical, "X2", path);
    points.logicalY2 = ReadProfileReal(kLogical, "Y2", path);
}

void WriteCalibrationFile(const std::string& path, const CalibrationPoints& points) {
    WriteProfileInt(kPhysical, "X1", points.physicalX1, path);
    WriteProfileInt(kPhysical, "Y1", points.physicalY1, path);
    WriteProfileInt(kPhysical, "X2", points.physicalX2, path);
    WriteProfileInt(kPhysical, "Y2", points.physicalY2, path);
    WriteProfileReal(kLogical, "X1", points.logicalX1, path);
    WriteProfileReal(kLogical, "Y1", points.logicalY1, path);
    WriteProfileReal(kLogical, "X2", points.logicalX2, path);
    WriteProfileReal(kLogical, "Y2", points.logicalY2, path);
}

std::string ZonePicturePath(const AppState& app, const std::string& zone) { return app.zonesFolder + zone + ".jpg"; }

bool ZonePictureSizeAllowed(std::int64_t width, std::int64_t height) {
    // Also refused undecoded: a picture whose map bitmap would be too big.
    return PictureSizeAllowed(width, height) && ComposedMapSizeAllowed(width, height);
}

void ReadZoneCalibration(Program& program, const std::string& zone) {
    if (!IsPlainZoneFileName(zone)) {
        program.app.map.points = CalibrationPoints{};
        return;
    }
    ReadCalibrationFile(CalibrationFilePath(program.app, zone), program.app.map.points);
}

HBITMAP LoadZoneImage(Program& program, const std::string& zone) {
    ReadZoneCalibration(program, zone);
    // A name that is no plain file name would reach outside the Zones Folder.
    if (!IsPlainZoneFileName(zone)) return nullptr;
    return LoadImageBitmap(ZonePicturePath(program.app, zone), ZonePictureSizeAllowed);
}

void ShowCalibrationFields(HWND window, const Program& program) {
    const CalibrationPoints& p = program.app.map.points;
    SetDlgItemTextA(window, IDC_LOG1_X, FormatFixed2(p.logicalX1).c_str());
    SetDlgItemTextA(window, IDC_LOG1_Y, FormatFixed2(p.logicalY1).c_str());
    SetDlgItemTextA(window, IDC_LOG2_X, FormatFixed2(p.logicalX2).c_str());
    SetDlgItemTextA(window, IDC_LOG2_Y, FormatFixed2(p.logicalY2).c_str());
    SetDlgItemInt(window, IDC_PHYS1_X, static_cast<UINT>(p.physicalX1), TRUE);
    SetDlgItemInt(window, IDC_PHYS1_Y, static_cast<UINT>(p.physicalY1), TRUE);
    SetDlgItemInt(window, IDC_PHYS2_X, static_cast<UINT>(p.physicalX2), TRUE);
    SetDlgItemInt(window, IDC_PHYS2_Y, static_cast<UINT>(p.physicalY2), TRUE);
}

void SaveCalibration(HWND window, Program& program) {
    if (!IsPlainZoneFileName(program.app.map.zoneName)) return;  // no file outside the Zones Folder
    const std::string path = CalibrationFilePath(program.app, program.app.map.zoneName);
    ReadCalibrationFields(window, program);
    WriteCalibrationFile(path, program.app.map.points);
    program.app.map.calibrated = 1;
}

bool ToggleCalibrationMode(HWND window, Program& program, const std::string& listedZone) {
    AppState& app = program.app;
    if (!CanWriteProgramFolder(program)) {
        program.seams.messageBox(window, kNoWriteAccessText, kRefusalCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    // A zone whose name cannot be a file name has nowhere to keep its
    // calibration; leaving Calibration Mode is still possible.
    const bool unusableZone = !app.calibrationMode && !IsPlainZoneFileName(listedZone);
    if (listedZone.size() < 2 || app.logFile.size() < 2 || unusableZone) {
        program.seams.messageBox(window, kNoLogOrZoneText, kRefusalCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    app.calibrationMode = app.calibrationMode ? 0 : 1;
    if (app.calibrationMode) app.KeepCentered = 0;
    return true;
}

void CaptureReferencePoint(HWND window, Program& program, LPARAM position) {
    AppState& app = program.app;
    const bool left = KeyDown(VK_LSHIFT);
    const bool right = KeyDown(VK_RSHIFT);
    if (left || right) {
        SetCursor(LoadCursorA(nullptr, IDC_CROSS));
        app.crosshairShown = 1;
    } else if (app.crosshairShown) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        app.crosshairShown = 0;
    }

    const POINT view = MainClientToMapView(window, position);
    const CurrentMap& map = app.map;
    // The picture pixel under the pointer, at any zoom.
    const PixelPoint under = ViewToImage(map, view.x, view.y);
    const std::int64_t px = under.x;
    const std::int64_t py = under.y;
    if (!under.valid || px < 0 || px >= map.imageWidth || py < 0 || py >= map.imageHeight) return;

    CalibrationPoints& points = app.map.points;
    if (left) {
        SetDlgItemInt(window, IDC_PHYS1_X, static_cast<UINT>(px), TRUE);
        SetDlgItemInt(window, IDC_PHYS1_Y, static_cast<UINT>(py), TRUE);
        points.physicalX1 = static_cast<int>(px);
        points.physicalY1 = static_cast<int>(py);
    }
    if (right) {
        SetDlgItemInt(window, IDC_PHYS2_X, static_cast<UINT>(px), TRUE);
        SetDlgItemInt(window, IDC_PHYS2_Y, static_cast<UINT>(py), TRUE);
        points.physicalX2 = static_cast<int>(px);
        points.physicalY2 = static_cast<int>(py);
    }
}

}  // namespace tolvik
