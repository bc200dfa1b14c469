// Picture files and pixel read-back for the raster tests: pictures are made
// here with GDI+'s encoders, pixels are read back with GetDIBits.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tolvik::test {

enum class PictureFormat { Png, Jpeg, Bmp };

// Pixels as 0xAARRGGBB, rows top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t& at(int x, int y) { return argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

inline Picture SolidPicture(int width, int height, std::uint32_t argb) {
    Picture p;
    p.width = width;
    p.height = height;
    p.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), argb);
    return p;
}

inline bool WritePicture(const std::string& path, const Picture& picture, PictureFormat format) {
    namespace gp = Gdiplus::DllExports;
    // Encoder class ids of GDI+'s built-in codecs.
    CLSID encoder = {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    encoder.Data1 = format == PictureFormat::Bmp ? 0x557cf400 : format == PictureFormat::Jpeg ? 0x557cf401 : 0x557cf406;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool ok = false;
    std::vector<std::uint32_t> pixels = picture.argb;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(picture.width, picture.height, picture.width * 4, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(pixels.data()), &bitmap) == Gdiplus::Ok) {
        std::wstring wide(path.begin(), path.end());
        ok = gp::GdipSaveImageToFile(bitmap, wide.c_str(), &encoder, nullptr) == Gdiplus::Ok;
        gp::GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}

// The pixels of any bitmap as 0x00RRGGBB, rows top to bottom.
inline Picture ReadPixels(HBITMAP bitmap) {
    Picture p;
    BITMAP description{};
    if (!bitmap || !GetObjectA(bitmap, sizeof description, &description)) return p;
    p.width = description.bmWidth;
    p.height = description.bmHeight;
    p.argb.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(p.height), p.argb.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (auto& v : p.argb) v &= 0x00FFFFFFu;
    return p;
}

// 0x00RRGGBB of a COLORREF (which keeps red in the low byte).
inline std::uint32_t Rgb(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

// A memory drawing surface of the given size, filled with `fill`.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(0, 0, 0)) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    RECT rect() const { return RECT{0, 0, width_, height_}; }
    // Pixels as 0x00RRGGBB.
    Picture pixels() {
        SelectObject(dc_, previous_);
        Picture p = ReadPixels(bitmap_);
        SelectObject(dc_, bitmap_);
        return p;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace tolvik::test
