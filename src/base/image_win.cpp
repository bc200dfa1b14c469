#include "base/image_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <vector>

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

struct ComTraits {
    static void Release(IUnknown* p) { p->Release(); }
};

// The whole content of the file at `path`; false when it cannot be read or
// is too big to be a picture the program shows.
bool ReadPictureFile(const std::string& path, std::vector<unsigned char>& bytes) {
    UniqueHandle<HANDLE, FileHandleTraits> file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxPictureFileBytes) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

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

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, background thread, external codecs
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession() {
    if (started_) Gdiplus::GdiplusShutdown(token_);
}

HBITMAP CreateTopDownDib(int width, int height) { return CreateDib(width, height, true); }

HBITMAP CreateDib24(int width, int height) { return CreateDib(width, height, false); }

HBITMAP CreatePixelBitmap(int width, int height, void*& bits) {
    bits = nullptr;
    if (!BitmapSizeAllowed(width, height)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    HBITMAP made = CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!made) bits = nullptr;
    return made;
}

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

HBITMAP DecodeImageBytes(const void* data, std::size_t size, PictureSizeCheck allowed) {
    if (!data || size == 0 || size > kMaxPictureFileBytes) return nullptr;
    // A picture too big to hold is refused before the decoder sees it: a
    // few hundred bytes can claim billions of pixels.
    const PictureHeader header = ReadPictureHeader(static_cast<const unsigned char*>(data), size);
    if (header.sizeKnown && header.width > 0 && header.height > 0 && !allowed(header.width, header.height)) {
        return nullptr;
    }
    // GDI+ reads the picture from a stream over its own copy of the bytes;
    // the stream must outlive every image made from it.
    UniqueHandle<IStream*, ComTraits> stream(SHCreateMemStream(static_cast<const BYTE*>(data), static_cast<UINT>(size)));
    if (!stream) return nullptr;

    GdiplusSession session;
    if (!session.started()) return nullptr;

    HBITMAP result = nullptr;
    {
        std::unique_ptr<GdiplusImage> image(new GdiplusImage);
        std::unique_ptr<GdiplusImage> clone(new GdiplusImage);
        if (!image || !clone) return nullptr;
        image->status = gp::GdipLoadImageFromStream(stream.get(), &image->native);
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

HBITMAP LoadImageBitmap(const std::string& path, PictureSizeCheck allowed) {
    // The header alone first, so that a refused picture is not read whole.
    const PictureHeader header = ReadPictureFileHeader(path);
    if (header.sizeKnown && header.width > 0 && header.height > 0 && !allowed(header.width, header.height)) {
        return nullptr;
    }
    std::vector<unsigned char> bytes;
    if (!ReadPictureFile(path, bytes)) return nullptr;
    return DecodeImageBytes(bytes.data(), bytes.size(), allowed);
}

}  // namespace tolvik
