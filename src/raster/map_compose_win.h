// The map bitmap: a zone picture in the middle of a wider field covered with
// the backdrop picture. Made on the window's thread for most pictures, and
// on a thread of its own for a big one, which then arrives by message.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/image_win.h"
#include "base/program_win.h"

namespace tolvik {

// A map bitmap (a 32-bit top-down DIB section) with the size and place of
// the picture in it.
struct ComposedMap {
    UniqueBitmap bitmap;
    int imageWidth = 0;
    int imageHeight = 0;
    int imageOffsetX = 0;
    int imageOffsetY = 0;
};

// Puts `image` in the middle of a new map bitmap covered with `backdrop`
// (black without one). Null when the size of `image` cannot be read or the
// map bitmap would be too big. Uses no Program: any thread may call it.
std::unique_ptr<ComposedMap> ComposeMap(HBITMAP image, HBITMAP backdrop);

// Makes `composed` the Current Map's picture.
void InstallComposedMap(Program& program, ComposedMap&& composed);

// Composes `image` with the shipped backdrop and installs it. Takes `image`
// over. Returns 1, or 0 (changing nothing) when it cannot be composed.
int ComposeMapPicture(Program& program, HBITMAP image);

// Decodes the picture file at `path` (when its size is `allowed`) and
// composes it with `backdrop` on a thread of its own, then posts `message`
// to `window` with `request` as the WPARAM and the ComposedMap (null when
// there is none) as the LPARAM; the window then owns it. When the window is
// gone by then, the map is deleted. Takes `backdrop` over. False when no
// thread could be started (nothing is posted).
bool ComposeMapInBackground(HWND window, UINT message, WPARAM request, const std::string& path,
                            PictureSizeCheck allowed, HBITMAP backdrop);

// The backdrop picture the program ships (or the player's own in Textures\).
HBITMAP LoadMapBackdrop(const Program& program);

}  // namespace tolvik
