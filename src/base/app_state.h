// The Application State: every process-wide value of the program, with its
// start value. Owned by the program entry; the window procedures reach it
// through their window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/zone_record.h"
#include "base/current_map.h"
#include "base/log_cursor.h"
#include "base/vector_settings.h"
#include "base/zone_marks.h"

namespace tolvik {

// Longest path or text value a user can see kept (buffers of 260 characters).
constexpr std::size_t kMaxPathChars = 259;
// Longest zone name (256-character buffer).
constexpr std::size_t kMaxZoneNameChars = 255;

// Opaque window-system handles; the shell gives them their real types.
using NativeHandle = void*;

struct DragState {
    int dragging = 0;
    int startX = 0;
    int startY = 0;
    int startPanX = 0;
    int startPanY = 0;
};

struct HoverState {
    int tracking = 0;
    int lastX = 0;
    int lastY = 0;
};

struct AppState {
    // Folders and files. Folder values end with a separator.
    std::string programFolder;
    std::string texturesFolder;
    std::string zonesFolder;
    std::string vectorMapFolder;
    std::string logFile;
    std::string logFolder;

    // Log tracking.
    ZoneTracking zones;             // Zone Record Table and Current Zone Record
    LogCursor logCursor;            // Log Read Offset and the file it belongs to
    std::uint32_t lastPollTime = 0;

    // View and behaviour flags (saved ones carry their keys' names).
    int MapOnly = 0;
    int OnTop = 0;
    int KeepCentered = 0;
    int AutoDetectLogFile = 0;
    int UseVURavaZiro = 0;
    int calibrationMode = 0;
    int crosshairShown = 0;

    // The Current Map: Current Zone Name, calibration, geometry, pan.
    CurrentMap map;
    DragState drag;
    ZoneZooms zoneZooms;  // section "Zoom" of the settings file

    // Vector maps.
    VectorMapSettings vector;
    std::uint32_t vectorRerenderDue = 0;
    std::array<std::uint32_t, 16> customColors{};

    HoverState hover;
    ZoneMarks marks;  // waypoints and corpses, also in the settings file
    std::string chooserStartFolder;

    NativeHandle mainWindow = nullptr;
    NativeHandle instance = nullptr;
};

// Start values of the vector options when the main window is created.
inline void ResetVectorSettings(VectorMapSettings& v) { v = VectorMapSettings{}; }

}  // namespace tolvik
