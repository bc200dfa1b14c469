#include "base/image_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "base/gdi_win.h"

namespace tolvik {

namespace {

namespace gp = Gdiplus::DllExports;

// One image handed out by GDI+ and the status of the call that made it. The
// record itself lives in GDI+'s memory, as GDI+'s own image objects do.
struct GdiplusImage {
    Gdiplus::GpImage* native = nullptr;
    Gdiplus::GpStatus status = Gdiplus::Ok;

    GdiplusImage() = default;
    GdiplusImage(const GdiplusImage&) = delete;
    GdiplusImage& operator=(const GdiplusImage&) = delete;
    ~GdiplusImage() {
        if (native) gp::GdipDisposeImage(native);
    }

    // Null when GDI+ has no memory left; the new-expression then yields null.
    static void* operator new(std::size_t size) noexcept { return gp::GdipAlloc(size); }
    static void operator delete(void* p) { gp::GdipFree(p); }
};

// GDI+ running for the lifetime of one object.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no callback, background thread, external codecs
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// Top-down or bottom-up 24-bit DIB section made against the screen.
HBITMAP CreateDib(int width, int height, bool topDown) {
    if (!BitmapSizeAllowed(width, height)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    return dib;
}

}  // namespace

HBITMAP CreateTopDownDib(int width, int height) { return CreateDib(width, height, true); }

HBITMAP CreateDib24(int width, int height) { return CreateDib(width, height, false); }

HBITMAP CopyToDibSection(HBITMAP bitmap) {
    BITMAP description{};
    if (!bitmap || GetObjectA(bitmap, sizeof description, &description) == 0) return nullptr;
    HBITMAP copy = CreateTopDownDib(description.bmWidth, description.bmHeight);
    if (!copy) return nullptr;
    UniqueMemoryDc target(CreateCompatibleDC(nullptr));
    UniqueMemoryDc source(CreateCompatibleDC(nullptr));
    Selection intoTarget(target.get(), copy);
    Selection intoSource(source.get(), bitmap);
    BitBlt(target.get(), 0, 0, description.bmWidth, description.bmHeight, source.get(), 0, 0, SRCCOPY);
    return copy;
}

HBITMAP LoadImageBitmap(const std::string& path, PictureSizeCheck allowed) {
    wchar_t widePath[260];
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, 260) == 0) return nullptr;
    // A picture too big to hold is refused before the decoder sees it: a
    // few hundred bytes can claim billions of pixels.
    const PictureHeader header = ReadPictureFileHeader(path);
    if (header.sizeKnown && header.width > 0 && header.height > 0 && !allowed(header.width, header.height)) {
        return nullptr;
    }

    GdiplusSession session;
    if (!session.started()) return nullptr;

    HBITMAP result = nullptr;
    {
        std::unique_ptr<GdiplusImage> image(new GdiplusImage);
        std::unique_ptr<GdiplusImage> clone(new GdiplusImage);
        if (!image || !clone) return nullptr;
        image->status = gp::GdipLoadImageFromFile(widePath, &image->native);
        if (image->status != Gdiplus::Ok) image->native = nullptr;
        // Content whose header is not read above: no copies of a picture
        // beyond the bitmap size limit.
        UINT width = 0, height = 0;
        if (image->native && (gp::GdipGetImageWidth(image->native, &width) != Gdiplus::Ok ||
                              gp::GdipGetImageHeight(image->native, &height) != Gdiplus::Ok ||
                              !BitmapSizeAllowed(width, height))) {
            return nullptr;
        }
        clone->status = gp::GdipCloneImage(image->native, &clone->native);
        if (clone->status != Gdiplus::Ok) clone->native = nullptr;

        HBITMAP made = nullptr;
        if (gp::GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(clone->native), &made, 0xFF000000) !=
            Gdiplus::Ok) {
            made = nullptr;
        }
        UniqueBitmap gdiplusBitmap(made);
        result = CopyToDibSection(gdiplusBitmap.get());
    }  // both images go before GDI+ shuts down
    return result;
}

}  // namespace tolvik
