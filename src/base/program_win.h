// Everything the windows of the program share: the Application State, the
// long-lived drawing objects, and the few seams through which tests drive
// the system facilities. Owned by the program entry; each window procedure
// reaches it through its window (see ProgramOf).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/app_state.h"
#include "base/gdi_win.h"
#include "base/rect.h"
#include "base/zoomed_view_win.h"

namespace tolvik {

// File filters of the open-file chooser.
enum class FileFilter { LogFiles, Pictures };

// System facilities that tests replace.
struct Seams {
    std::function<std::uint32_t()> tickCount;  // milliseconds, like GetTickCount
    // Shows the open-file chooser; true with `path` filled when a file was chosen.
    std::function<bool(HWND owner, std::string& path, FileFilter filter)> pickFileToOpen;
    // The game's logs folder from its installation record, or empty.
    std::function<std::string()> gameLogFolder;
    // Shows a message box; returns its answer.
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> messageBox;
    // Ends the main window with a result: destroys it and ends the message
    // loop (tests record the result instead).
    std::function<void(HWND window, INT_PTR result)> endDialog;
    // The colour chooser with `color` preselected and the folder browser;
    // true with the choice stored when the user confirms.
    std::function<bool(HWND owner, std::uint32_t& color)> chooseColor;
    std::function<bool(HWND window, int csidl, std::string& path, const std::string& title)> pickFolder;
    // The bytes of a picture built into the program under a shipped file
    // name ("MissingMap.jpg"); empty when there is none.
    std::function<std::string_view(const std::string& fileName)> builtInPicture;
};

// A bitmap of the Map View's size (32-bit, top-down) selected into a memory
// DC of its own, and its pixels. (The DC goes first, letting the bitmap go.)
struct ViewBuffer {
    UniqueBitmap bitmap;
    UniqueMemoryDc dc;
    std::uint32_t* pixels = nullptr;
};

// What the Map View keeps from one frame to the next. A frame is drawn in
// `frame` and copied to the screen. `picture` holds the map as the view
// shows it, markers left out, for the state in `pictureKey`; while that
// state holds, a frame only puts back the picture under the last markers
// (`marks`, the boxes they touched), draws the markers anew, and copies
// what changed.
struct MapViewBuffers {
    HWND control = nullptr;  // the Map View control, found once
    SIZE size{0, 0};
    ViewBuffer frame;
    ViewBuffer picture;
    std::array<std::int64_t, 10> pictureKey{};
    bool pictureValid = false;
    std::vector<Rect> marks;
    std::array<UniqueMemoryDc, 2> scratch;  // memory DCs for copies from other bitmaps
};

// Long-lived drawing objects (created once, kept for the run).
struct WinResources {
    UniqueBitmap mapBitmap;       // composed picture of the Current Map
    UniqueBitmap dialogTexture;   // main window background
    UniqueBitmap buttonTexture;   // main window button face texture
    UniqueBrush darkBrush;        // RGB(55, 55, 55) highlight brush
    // Vector map settings window.
    UniqueBrush vectorDarkBrush;
    UniqueBrush vectorSwatchBrush;
    UniqueBitmap vectorDialogTexture;
    UniqueBitmap vectorButtonTexture;
    ZoomedView zoom;              // the Map View while zoomed
    MapViewBuffers view;          // the Map View's frames
};

// The zone picture being decoded in the background. Each selection of a
// map takes a new number, so that a picture arriving for an older one is
// dropped; `zone` is empty while no picture is awaited.
struct PictureRequest {
    std::uint64_t number = 0;
    std::string zone;
};

struct Program {
    AppState app;
    WinResources gdi;
    PictureRequest picture;
    std::array<HWND, 3> positionFields{};  // X, Y and Z, found once
    int foreignLoops = 0;  // message loops of others running (see ForeignLoop)
    Seams seams;  // filled by the program entry (SystemSeams) or by a test
};

// The Program behind a window of ours (stored in the dialog's user data);
// TryProgramOf gives null before the window has one.
Program& ProgramOf(HWND window);
Program* TryProgramOf(HWND window);
void AttachProgram(HWND window, Program* program);

// The main window's ticks come from the program's message loop. A message
// box, a chooser, a menu, or a window being moved or sized runs a loop of
// its own meanwhile; for as long as one runs, timer 1 of the main window
// (100 ms) gives the ticks instead. Loops may nest.
void EnterForeignLoop(Program& program);
void LeaveForeignLoop(Program& program);

// Follows the window messages that announce the start or end of a move or
// size, or of a menu: true when `message` was one of them.
bool FollowForeignLoop(Program& program, UINT message);

// Enters a foreign loop for its lifetime, on behalf of the Program of
// `owner` (none for a window without one).
class ForeignLoop {
public:
    explicit ForeignLoop(HWND owner);
    ~ForeignLoop();
    ForeignLoop(const ForeignLoop&) = delete;
    ForeignLoop& operator=(const ForeignLoop&) = delete;

private:
    Program* program_;
};

}  // namespace tolvik
