// The system's file, colour and folder choosers.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "base/program_win.h"

namespace tolvik {

// Shows the open-file dialog. `path` is offered as the initial file name and
// receives the chosen file's full path (at most 259 characters); it is left
// unchanged on cancel. `chooserStartFolder` is set to the Windows folder when
// empty and is the dialog's initial folder.
bool PickFileToOpen(HWND owner, std::string& chooserStartFolder, std::string& path, FileFilter filter);

// Shows the colour chooser with `color` preselected and `custom` as its
// sixteen custom colours (kept back whatever the answer); true with `color`
// set when the user confirms.
bool PickColour(HWND owner, std::array<std::uint32_t, 16>& custom, std::uint32_t& color);

// Shows the folder browser rooted at the special folder `csidl`; true with
// `path` set when a file-system folder was chosen, `path` unchanged otherwise.
bool PickFolder(HWND window, int csidl, std::string& path, const std::string& title);

}  // namespace tolvik
