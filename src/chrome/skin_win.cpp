#include "chrome/skin_win.h"

#include <algorithm>
#include <cstdlib>

#include "chrome/button_face.h"
#include "chrome/control_sets.h"
#include "base/image_win.h"
#include "base/shipped_art_win.h"

namespace tolvik {
namespace {

constexpr int kFallbackTextureSize = 320;
constexpr int kButtonBevel = 4;
constexpr int kPressedLightening = 20;

HBRUSH NullBrush() { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

// The texture `name` from the Textures Folder or built into the program, or
// a flat fill with the stock brush `fallback`.
HBITMAP LoadTexture(const Program& program, const std::string& name, int fallback) {
    HBITMAP bitmap = LoadShippedPicture(program, program.app.texturesFolder, name);
    if (!bitmap) bitmap = CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(fallback)));
    return bitmap;
}

// One solid line through `points`, drawn in `color`.
void DrawPolyline(HDC dc, COLORREF color, const POINT (&points)[3]) {
    UniquePen pen(CreatePen(PS_SOLID, 1, color));
    Selection selection(dc, pen.get());
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    LineTo(dc, points[1].x, points[1].y);
    LineTo(dc, points[2].x, points[2].y);
}

// Light grey text on the dark grey of the info fields.
HBRUSH InfoFieldColours(HDC dc, Program& program) {
    SetTextColor(dc, RGB(188, 188, 188));
    SetBkColor(dc, RGB(55, 55, 55));
    return program.gdi.darkBrush.get();
}

}  // namespace

void LoadSkinTextures(const Program& program, UniqueBitmap& background, UniqueBitmap& button) {
    background.reset(LoadTexture(program, "BackgroundDialog.jpg", GRAY_BRUSH));
    button.reset(LoadTexture(program, "BackgroundButton.jpg", LTGRAY_BRUSH));
}

HBITMAP CreateFilledTexture(HBRUSH brush) {
    HBITMAP bitmap = CreateDib24(kFallbackTextureSize, kFallbackTextureSize);
    if (!bitmap) return nullptr;
    UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    if (memory) {
        Selection selectBitmap(memory.get(), bitmap);
        Selection selectBrush(memory.get(), brush);
        PatBlt(memory.get(), 0, 0, kFallbackTextureSize, kFallbackTextureSize, PATCOPY);
    }
    return bitmap;
}

HBITMAP BuildButtonFace(HBITMAP texture, int w, int h, int bevel, int lighten, COLORREF& highlight) {
    highlight = RGB(255, 255, 255);
    if (w < 1 || h < 1) return nullptr;
    UniqueBitmap face(CreateDib24(w, h));
    DIBSECTION section = {};
    if (!face || GetObjectA(face.get(), sizeof section, &section) != sizeof section || !section.dsBm.bmBits) {
        return nullptr;
    }

    // The texture's top-left corner, unscaled; what it does not cover stays black.
    const SIZE textureSize = BitmapSize(texture);
    const int textureWidth = textureSize.cx;
    const int textureHeight = textureSize.cy;
    if (textureWidth > 0 && textureHeight > 0) {
        UniqueMemoryDc target(CreateCompatibleDC(nullptr));
        UniqueMemoryDc source(CreateCompatibleDC(nullptr));
        if (target && source) {
            Selection selectFace(target.get(), face.get());
            Selection selectTexture(source.get(), texture);
            BitBlt(target.get(), 0, 0, std::min(w, textureWidth), std::min(h, textureHeight), source.get(), 0, 0,
                   SRCCOPY);
        }
    }
    GdiFlush();

    highlight = ShadeButtonFace(static_cast<std::uint8_t*>(section.dsBm.bmBits), w, h, bevel, lighten);
    return face.release();
}

void DrawBevelLines(HDC dc, int w, int h, COLORREF highlight) {
    DrawPolyline(dc, highlight, {{0, h}, {0, 0}, {w, 0}});
    DrawPolyline(dc, BevelShadowColor(highlight), {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}});
}

void DrawSkinnedButton(const DRAWITEMSTRUCT& item, HBITMAP buttonTexture, const std::string& text) {
    const HDC dc = item.hDC;
    const int w = item.rcItem.right;
    const int h = item.rcItem.bottom;
    if (!dc || w < 1 || h < 1) return;

    const int lighten = (item.itemState & ODS_SELECTED) ? kPressedLightening : 0;
    COLORREF highlight = RGB(255, 255, 255);
    UniqueBitmap face(BuildButtonFace(buttonTexture, w, h, kButtonBevel, lighten, highlight));
    if (face) {
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        Selection selectFace(memory.get(), face.get());
        BitBlt(dc, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
    }

    SavedDcState saved(dc);
    // The button colour answer sets the same, but the text must not depend on it.
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SIZE extent = {};
    const int length = static_cast<int>(text.size());
    GetTextExtentPoint32A(dc, text.c_str(), length, &extent);
    TextOutA(dc, w / 2 - extent.cx / 2, h / 2 - extent.cy / 2, text.c_str(), length);

    DrawBevelLines(dc, w, h, highlight);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

void PaintStretchedBackground(HWND window, HDC dc, HBITMAP texture) {
    const SIZE textureSize = BitmapSize(texture);
    const int textureWidth = textureSize.cx;
    const int textureHeight = textureSize.cy;
    if (!dc || textureWidth <= 0 || textureHeight <= 0) return;
    RECT client = {};
    GetClientRect(window, &client);

    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    Selection selectTexture(memory.get(), texture);
    SavedDcState saved(dc);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, memory.get(), 0, 0, textureWidth,
               textureHeight, SRCCOPY);
}

INT_PTR MainWindowDrawItem(HWND window, Program& program, const DRAWITEMSTRUCT* item) {
    if (!item || item->CtlType != ODT_BUTTON) return FALSE;
    const std::string text =
        MainButtonText(static_cast<int>(item->CtlID), program.app.OnTop, program.app.AutoDetectLogFile);
    if (text.empty()) return FALSE;
    DrawSkinnedButton(*item, program.gdi.buttonTexture.get(), text);
    return TRUE;
}

HBRUSH MainWindowControlColor(HWND window, Program& program, UINT message, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    switch (message) {
    case WM_CTLCOLORSTATIC:
        if (id == IDC_MAP_VIEW) return NullBrush();
        if (InSet(kInfoFields, id) || (program.app.calibrationMode && InSet(kCalibrationPanel, id))) {
            return InfoFieldColours(dc, program);
        }
        SetTextColor(dc, RGB(240, 240, 240));
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return NullBrush();
    case WM_CTLCOLOREDIT:
        // The zone list's selection field asks as an edit field does; it
        // is an info field like the others.
        if (InSet(kInfoFields, id)) return InfoFieldColours(dc, program);
        SetTextColor(dc, RGB(240, 240, 240));
        SetBkColor(dc, RGB(0, 0, 0));
        return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORLISTBOX:
        // The zone list's drop-down: the info field colours, so that it
        // reads like the field it drops from.
        return InfoFieldColours(dc, program);
    case WM_CTLCOLORBTN:
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return NullBrush();
    default:
        return nullptr;
    }
}

}  // namespace tolvik
