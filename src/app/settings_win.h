// The settings file "Tolvik.ini" and the profile value helpers shared with
// the per-zone calibration files.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"

namespace tolvik {

// Full path of the settings file in the Program Folder.
std::string SettingsFilePath(const AppState& app);

// Reads "WindowPos", "Mode", "VURavaZiro" and "Zoom" and moves the main window.
void LoadSettings(HWND window, Program& program);
// Reads "Log File"; finds the game's logs folder when it names no file.
void LoadLogFileSetting(Program& program);
// Writes "WindowPos", "Mode", "VURavaZiro" and "Zoom".
void SaveSettings(HWND window, Program& program);
// Writes one key of section "Settings".
void SaveLogFileSetting(const Program& program, const std::string& key, const std::string& path);

}  // namespace tolvik
