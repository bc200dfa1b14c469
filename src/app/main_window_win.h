// The main window: its dialog procedure and the operations other parts of
// the program ask of it.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"

namespace tolvik {

// Dialog procedure of the template "Tolvik"; the creation parameter is the Program.
INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the three location fields from the Current Zone Record.
void ShowLocation(HWND window, Program& program);

// Shows the Log File, reads it from its start and shows the location.
void RestartLog(HWND window, Program& program);

// Fills the zone list from the Zones Folder; returns the number of names added.
int FillZoneList(HWND window, Program& program);

// Reacts to a choice in the zone list.
void ChooseZoneFromList(HWND window, Program& program);

// Makes `zone` the zone list's selection, adding it if needed; an empty
// name leaves the list with no selection.
void SelectZoneInList(HWND window, const std::string& zone);

// Text of the zone list's selected entry (empty when nothing is selected),
// at most 259 characters.
std::string GetListedZone(HWND window);

// Reads what was appended to the Log File (with the window's hooks).
void ReadLogNow(HWND window, Program& program);

// Creates the main window from the template "Tolvik" (without showing it);
// null when it cannot be made.
HWND CreateMainWindow(HINSTANCE instance, Program& program);

// The program's message loop: runs until the main window has ended and
// returns the exit code its end posted.
int RunMessageLoop(Program& program);

// Gives a message its dialog keyboard handling (Tab, Shift+Tab, arrows,
// Escape, Enter, which presses the focused button) when it is meant for one
// of the program's windows, the main window or an open Vector Map Settings
// window. True when the message was handled there and must not be dispatched.
bool TranslateDialogMessage(Program& program, MSG& message);

}  // namespace tolvik
