// The pictures that ship with the program (window textures, map backdrop,
// stand-by picture) are also built into it, so that Tolvik.exe alone shows
// its full look. A file of the same name in the Program Folder wins, so a
// player can re-skin.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/program_win.h"

namespace tolvik {

// The bytes of the picture built into this program under a shipped file
// name ("BackgroundDialog.jpg", "MissingMap.jpg", ...); empty when there is
// none. The bytes live as long as the program.
std::string_view BuiltInPictureBytes(const std::string& fileName);

// The built-in picture `fileName` (through the Program's seam), decoded;
// null when the program has none.
HBITMAP LoadBuiltInPicture(const Program& program, const std::string& fileName);

// The picture `folder` + `fileName`; when that file gives no picture, the
// built-in one of that name. Null when neither exists.
HBITMAP LoadShippedPicture(const Program& program, const std::string& folder, const std::string& fileName);

}  // namespace tolvik
