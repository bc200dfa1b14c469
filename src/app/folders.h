// Where the program keeps its data: the Program Folder and its sub-folders.
#pragma once

#include <string>

#include "base/app_state.h"

namespace tolvik {

// Folder used when the textures are not beside the program, given the
// user's local application-data folder (with or without a final separator).
std::string FallbackProgramFolder(const std::string& localAppData);

// The Program Folder: the module folder when `texturesBesideProgram`,
// otherwise `fallback`.
std::string ChooseProgramFolder(const std::string& moduleFolder, bool texturesBesideProgram,
                                const std::string& fallback);

// Sets the Program Folder and derives Textures, Vector Map and Zones folders.
void SetProgramFolders(AppState& app, const std::string& programFolder);

// `InitProgramFolders` proper, with the facts it needs from the system given:
// the program's own path and the local application-data folder.
void InitProgramFolders(AppState& app, const std::string& modulePath, const std::string& localAppData);

// Sets the Log Folder from the Log File when that names an existing file.
void DeriveLogFolder(AppState& app);

}  // namespace tolvik
