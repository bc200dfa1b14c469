// Picture files and pixel read-back for the raster tests: pictures are written
// with GDI+'s encoders, pixels read back with GetDIBits.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/gdi_win.h"

namespace tolvik::test {

enum class PictureFormat { Png, Jpeg, Bmp };

// Pixels as 0xAARRGGBB (written) or 0x00RRGGBB (read back), rows top to bottom.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t& at(int x, int y) { return argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

inline Picture SolidPicture(int width, int height, std::uint32_t argb) {
    return Picture{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), argb)};
}

inline bool WritePicture(const std::string& path, Picture picture, PictureFormat format = PictureFormat::Png) {
    namespace gp = Gdiplus::DllExports;
    // GDI+'s built-in BMP / JPEG / PNG encoders.
    const unsigned long id = format == PictureFormat::Bmp ? 0x557cf400u : format == PictureFormat::Jpeg ? 0x557cf401u : 0x557cf406u;
    const CLSID encoder = {id, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool ok = false;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(picture.width, picture.height, picture.width * 4, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(picture.argb.data()), &bitmap) == Gdiplus::Ok) {
        const std::wstring wide(path.begin(), path.end());
        ok = gp::GdipSaveImageToFile(bitmap, wide.c_str(), &encoder, nullptr) == Gdiplus::Ok;
        gp::GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}

// The pixels of any bitmap (not selected into a context) as 0x00RRGGBB, rows top to bottom.
inline Picture ReadPixels(HBITMAP bitmap) {
    BITMAP description{};
    if (!bitmap || !GetObjectA(bitmap, sizeof description, &description)) return {};
    Picture p = SolidPicture(description.bmWidth, std::abs(description.bmHeight), 0);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(WindowDc(nullptr).get(), bitmap, 0, static_cast<UINT>(p.height), p.argb.data(), &info, DIB_RGB_COLORS);
    for (auto& v : p.argb) v &= 0x00FFFFFFu;
    return p;
}

// 0x00RRGGBB of a COLORREF (which keeps red in the low byte).
inline std::uint32_t Rgb(COLORREF c) {
    return (std::uint32_t{GetRValue(c)} << 16) | (std::uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

// A memory drawing surface in one colour (black unless given).
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = 0)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateCompatibleBitmap(WindowDc(nullptr).get(), width, height)) {
        previous_ = SelectObject(dc_.get(), bitmap_.get());
        const RECT all{0, 0, width, height};
        FillRect(dc_.get(), &all, UniqueBrush(CreateSolidBrush(fill)).get());
    }
    ~Canvas() { SelectObject(dc_.get(), previous_); }
    HDC dc() const { return dc_.get(); }
    Picture pixels() {
        SelectObject(dc_.get(), previous_);
        Picture p = ReadPixels(bitmap_.get());
        SelectObject(dc_.get(), bitmap_.get());
        return p;
    }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace tolvik::test
