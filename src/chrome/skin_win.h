// The textured look of the program's windows: stretched background,
// bevelled owner-drawn buttons and the main window's control colours.
#pragma once

#include <windows.h>

#include <string>

#include "base/program_win.h"

namespace tolvik {

// Loads "BackgroundDialog.jpg" and "BackgroundButton.jpg" from the Textures
// Folder, or the ones built into the program where a file gives no picture;
// when neither loads, a flat 320 x 320 fill takes the place (grey for the
// background, light grey for the buttons).
void LoadSkinTextures(const Program& program, UniqueBitmap& background, UniqueBitmap& button);

// A new 320 x 320, 24-bit bitmap filled with `brush`.
HBITMAP CreateFilledTexture(HBRUSH brush);

// A new w x h face with the top-left of `texture` copied in (the rest black),
// bevelled and lightened by `lighten` percent; `highlight` receives the
// face's highlight colour. Null (and white) for an empty size.
HBITMAP BuildButtonFace(HBITMAP texture, int w, int h, int bevel, int lighten, COLORREF& highlight);

// The two-tone button border: left and top in `highlight`, bottom and right
// in the grey of half its red channel.
void DrawBevelLines(HDC dc, int w, int h, COLORREF highlight);

// Draws a whole owner-drawn button: face, centred white text, border and,
// with the focus, the focus rectangle.
void DrawSkinnedButton(const DRAWITEMSTRUCT& item, HBITMAP buttonTexture, const std::string& text);

// Stretches `texture` over the whole client area of `window`.
void PaintStretchedBackground(HWND window, HDC dc, HBITMAP texture);

// Answer to the main window's drawing request: draws the program's buttons
// and returns TRUE, FALSE for any other control.
INT_PTR MainWindowDrawItem(HWND window, Program& program, const DRAWITEMSTRUCT* item);

// Answer to the main window's control-colour requests (WM_CTLCOLORSTATIC,
// WM_CTLCOLOREDIT, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX): sets the colours on `dc` and returns the
// background brush. For the Map View it returns the null brush only; the
// window draws the map itself.
HBRUSH MainWindowControlColor(HWND window, Program& program, UINT message, HDC dc, HWND control);

}  // namespace tolvik
