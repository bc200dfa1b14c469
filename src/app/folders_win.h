// Finding the Program Folder on Windows.
#pragma once

#include "base/app_state.h"

namespace tolvik {

// Sets the Program Folder and its sub-folders from the program's own path.
// When the textures are not beside the program, the per-user folder is used
// and created, so that settings and calibrations can be kept.
void InitProgramFolders(AppState& app);

}  // namespace tolvik
