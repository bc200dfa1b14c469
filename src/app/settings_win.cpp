#include "app/settings_win.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/number_text.h"
#include "base/profile_win.h"
#include "base/rect_win.h"
#include "base/zone_file_name.h"
#include "app/window_placement.h"
#include "log/discovery.h"
#include "vector/settings_controls.h"

namespace tolvik {
namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kWindowPos = "WindowPos";
constexpr const char* kMode = "Mode";
constexpr const char* kVector = "VURavaZiro";

int Flag(int value) { return value != 0 ? 1 : 0; }

constexpr const char* kZoom = "Zoom";

// The zoom step of every zone in "Zoom"; values out of range are clamped.
void LoadZoneZooms(AppState& app, const std::string& file) {
    app.zoneZooms.clear();
    std::vector<char> keys(4096, '\0');
    for (;;) {
        const DWORD length =
            GetPrivateProfileStringA(kZoom, nullptr, "", keys.data(), static_cast<DWORD>(keys.size()), file.c_str());
        if (length + 2 < keys.size() || keys.size() >= (1u << 20)) break;
        keys.assign(keys.size() * 2, '\0');
    }
    keys[keys.size() - 2] = keys[keys.size() - 1] = '\0';
    for (const char* key = keys.data(); *key != '\0'; key += std::strlen(key) + 1) {
        const long step = std::strtol(ReadProfileText(kZoom, key, "0", file).c_str(), nullptr, 10);
        const int clamped = static_cast<int>(std::clamp<long>(step, kMinZoomStep, kMaxZoomStep));
        if (clamped != 0) app.zoneZooms[key] = clamped;
    }
}

// "Zoom" written anew: one key per zone shown at another zoom than the actual size.
void SaveZoneZooms(const AppState& app, const std::string& file) {
    WritePrivateProfileStringA(kZoom, nullptr, nullptr, file.c_str());
    for (const auto& [zone, step] : app.zoneZooms) {
        if (step != 0 && IsSafeZoneProfileKey(zone)) WriteProfileInt(kZoom, zone, step, file);
    }
}

// The "Mode" flags, in the order they are read and written.
struct ModeKey {
    const char* key;
    int AppState::*flag;
};
constexpr ModeKey kModeKeys[] = {
    {"MapOnly", &AppState::MapOnly},
    {"OnTop", &AppState::OnTop},
    {"KeepCentered", &AppState::KeepCentered},
    {"AutoDetectLogFile", &AppState::AutoDetectLogFile},
};

// The integer "VURavaZiro" keys between "UseVURavaZiro" and "Color", in the
// order they are read and written; flags are written as 0 or 1.
struct VectorKey {
    const char* key;
    int VectorMapSettings::*value;
    int fallback;
    bool isFlag;
};
constexpr VectorKey kVectorKeys[] = {
    {"ShowBase", &VectorMapSettings::ShowBase, 1, true},
    {"ShowLayer1", &VectorMapSettings::ShowLayer1, 1, true},
    {"ShowLayer2", &VectorMapSettings::ShowLayer2, 1, true},
    {"ShowLayer3", &VectorMapSettings::ShowLayer3, 1, true},
    {"ShowLabels", &VectorMapSettings::ShowLabels, 1, true},
    {"MapResolution", &VectorMapSettings::MapResolution, 800, false},
    {"UseHeightFilter", &VectorMapSettings::UseHeightFilter, 0, true},
    {"FilterHigh", &VectorMapSettings::FilterHigh, 20, false},
    {"FilterLow", &VectorMapSettings::FilterLow, 20, false},
    {"FontAdjust", &VectorMapSettings::FontAdjust, 5, false},
    {"LabelSpacing", &VectorMapSettings::LabelSpacing, 2, false},
    {"FollowHeight", &VectorMapSettings::FollowHeight, 1, true},
    {"FadeOtherLevels", &VectorMapSettings::FadeOtherLevels, 0, true},
};

// Offset of the work area within its monitor, for the monitor the window is
// on (for a minimised window, the one it returns to): the placement record
// gives the normal rectangle relative to that work area.
POINT WorkspaceOrigin(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoA(monitor, &info)) return POINT{0, 0};
    return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

// x + size without overflowing, for values read from a file anyone can edit.
int EdgeAt(int start, int size) {
    const long long edge = static_cast<long long>(start) + size;
    return static_cast<int>(std::clamp<long long>(edge, INT_MIN, INT_MAX));
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<Rect>*>(data)->push_back(ToRect(info.rcWork));
    }
    return TRUE;
}

Rect PrimaryWorkArea() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (GetMonitorInfoA(primary, &info)) return ToRect(info.rcWork);
    return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

std::string SettingsFilePath(const AppState& app) { return app.programFolder + "Tolvik.ini"; }

void LoadSettings(HWND window, Program& program) {
    AppState& app = program.app;
    const std::string file = SettingsFilePath(app);

    // The stored rectangle is in screen coordinates; the template's
    // placement gives the defaults.
    RECT current{};
    GetWindowRect(window, &current);
    const int x = ReadProfileInt(kWindowPos, "X", current.left, file);
    const int y = ReadProfileInt(kWindowPos, "Y", current.top, file);
    const int w = ReadProfileInt(kWindowPos, "W", current.right - current.left, file);
    const int h = ReadProfileInt(kWindowPos, "H", current.bottom - current.top, file);

    for (const ModeKey& m : kModeKeys) app.*m.flag = ReadProfileInt(kMode, m.key, app.*m.flag, file);

    app.vectorMapFolder = ReadProfileText(kVector, "Folder", app.vectorMapFolder, file);
    VectorMapSettings& v = app.vector;
    app.UseVURavaZiro = ReadProfileInt(kVector, "UseVURavaZiro", 0, file);
    for (const VectorKey& k : kVectorKeys) v.*k.value = ReadProfileInt(kVector, k.key, k.fallback, file);
    v.Color = static_cast<std::uint32_t>(ReadProfileInt(kVector, "Color", static_cast<int>(MakeColour(128, 128, 128)), file));
    ClampVectorSettings(v);  // a file edited by hand may hold anything
    LoadZoneZooms(app, file);

    // A window whose title bar would be out of reach (above the screen, over
    // a side, on a monitor unplugged since) is brought back onto a work area.
    std::vector<Rect> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    const int titleBarHeight = clientOrigin.y - current.top;
    const Rect stored{x, y, EdgeAt(x, w), EdgeAt(y, h)};
    const Rect placed = RestoredWindowRect(stored, workAreas, PrimaryWorkArea(), ToRect(current), titleBarHeight);
    if (!MoveWindow(window, placed.left, placed.top, placed.Width(), placed.Height(), TRUE)) MessageBeep(0);
}

void LoadLogFileSetting(Program& program) {
    AppState& app = program.app;
    app.logFile = ReadProfileText(kSettings, "Log File", "", SettingsFilePath(app));
    if (app.logFile.empty() || !FileExists(app.logFile)) {
        app.logFolder = program.seams.gameLogFolder();
    }
}

void SaveSettings(HWND window, Program& program) {
    const AppState& app = program.app;
    const std::string file = SettingsFilePath(app);

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT r{};
    if (GetWindowPlacement(window, &placement)) {
        // The placement record is relative to the work area; store screen
        // coordinates, the space in which the rectangle is restored.
        const POINT origin = WorkspaceOrigin(window);
        r = placement.rcNormalPosition;
        OffsetRect(&r, origin.x, origin.y);
    } else {
        GetWindowRect(window, &r);
    }
    WriteProfileInt(kWindowPos, "X", r.left, file);
    WriteProfileInt(kWindowPos, "Y", r.top, file);
    WriteProfileInt(kWindowPos, "W", r.right - r.left, file);
    WriteProfileInt(kWindowPos, "H", r.bottom - r.top, file);

    for (const ModeKey& m : kModeKeys) WriteProfileInt(kMode, m.key, Flag(app.*m.flag), file);

    const VectorMapSettings& v = app.vector;
    WriteProfileText(kVector, "Folder", app.vectorMapFolder, file);
    WriteProfileInt(kVector, "UseVURavaZiro", Flag(app.UseVURavaZiro), file);
    for (const VectorKey& k : kVectorKeys) {
        WriteProfileInt(kVector, k.key, k.isFlag ? Flag(v.*k.value) : v.*k.value, file);
    }
    WriteProfileInt(kVector, "Color", static_cast<int>(v.Color), file);
    SaveZoneZooms(app, file);
}

void SaveLogFileSetting(const Program& program, const std::string& key, const std::string& path) {
    WriteProfileText(kSettings, key, path, SettingsFilePath(program.app));
}

}  // namespace tolvik
