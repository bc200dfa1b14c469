// The settings file "Tolvik.ini" and the profile value helpers shared with
// the per-zone calibration files.
#pragma once

#include <windows.h>

#include <string>

#include "app/program_win.h"

namespace tolvik {

// Full path of the settings file in the Program Folder.
std::string SettingsFilePath(const AppState& app);

// Reads "WindowPos", "Mode" and "VURavaZiro" and moves the main window.
void LoadSettings(HWND window, Program& program);
// Reads "Log File"; finds the game's logs folder when it names no file.
void LoadLogFileSetting(Program& program);
// Writes "WindowPos", "Mode" and "VURavaZiro".
void SaveSettings(HWND window, Program& program);
// Writes one key of section "Settings".
void SaveLogFileSetting(const Program& program, const std::string& key, const std::string& path);

// Profile value helpers.
float ReadProfileReal(const std::string& section, const std::string& key, const std::string& file);
void WriteProfileReal(const std::string& section, const std::string& key, float value, const std::string& file);
void WriteProfileInt(const std::string& section, const std::string& key, int value, const std::string& file);
int ReadProfileInt(const std::string& section, const std::string& key, int fallback, const std::string& file);
std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& fallback,
                            const std::string& file, std::size_t maxChars = 259);
void WriteProfileText(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file);

}  // namespace tolvik
