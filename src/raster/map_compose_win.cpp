#include "raster/map_compose_win.h"

#include <objbase.h>

#include "base/gdi_win.h"
#include "base/shipped_art_win.h"
#include "raster/map_math.h"

namespace tolvik {

std::unique_ptr<ComposedMap> ComposeMap(HBITMAP image, HBITMAP backdrop) {
    const SIZE imageSize = BitmapSize(image);
    if (imageSize.cx <= 0 || imageSize.cy <= 0 || !ComposedMapSizeAllowed(imageSize.cx, imageSize.cy)) return nullptr;
    auto composed = std::make_unique<ComposedMap>();
    // 32-bit and top-down, so that the zoomed view can read its pixels.
    void* bits = nullptr;
    composed->bitmap.reset(CreatePixelBitmap(imageSize.cx + kMapMarginWidth, imageSize.cy + kMapMarginHeight, bits));
    // Beyond the system's limit: nothing to show.
    if (!composed->bitmap) return nullptr;
    const SIZE mapSize = BitmapSize(composed->bitmap.get());

    UniqueMemoryDc target(CreateCompatibleDC(nullptr));
    UniqueMemoryDc source(CreateCompatibleDC(nullptr));
    Selection intoTarget(target.get(), composed->bitmap.get());
    if (backdrop) {
        const SIZE backdropSize = BitmapSize(backdrop);
        SetStretchBltMode(target.get(), HALFTONE);
        SetBrushOrgEx(target.get(), 0, 0, nullptr);
        Selection backdropSelected(source.get(), backdrop);
        StretchBlt(target.get(), 0, 0, mapSize.cx, mapSize.cy, source.get(), 0, 0, backdropSize.cx, backdropSize.cy,
                   SRCCOPY);
    } else {
        PatBlt(target.get(), 0, 0, mapSize.cx, mapSize.cy, BLACKNESS);
    }
    composed->imageWidth = imageSize.cx;
    composed->imageHeight = imageSize.cy;
    composed->imageOffsetX = ImageOffsetInMap(mapSize.cx, imageSize.cx);
    composed->imageOffsetY = ImageOffsetInMap(mapSize.cy, imageSize.cy);
    Selection imageSelected(source.get(), image);
    BitBlt(target.get(), composed->imageOffsetX, composed->imageOffsetY, imageSize.cx, imageSize.cy, source.get(), 0, 0,
           SRCCOPY);
    return composed;
}

void InstallComposedMap(Program& program, ComposedMap&& composed) {
    CurrentMap& map = program.app.map;
    program.gdi.mapBitmap = std::move(composed.bitmap);
    map.imageWidth = composed.imageWidth;
    map.imageHeight = composed.imageHeight;
    map.imageOffsetX = composed.imageOffsetX;
    map.imageOffsetY = composed.imageOffsetY;
    ++program.gdi.zoom.mapSerial;
}

HBITMAP LoadMapBackdrop(const Program& program) {
    return LoadShippedPicture(program, program.app.texturesFolder, "BackgroundMap.jpg");
}

int ComposeMapPicture(Program& program, HBITMAP image) {
    UniqueBitmap picture(image);
    UniqueBitmap backdrop(LoadMapBackdrop(program));
    std::unique_ptr<ComposedMap> composed = ComposeMap(picture.get(), backdrop.get());
    if (!composed) return 0;
    InstallComposedMap(program, std::move(*composed));
    return 1;
}

namespace {

struct BackgroundCompose {
    HWND window;
    UINT message;
    WPARAM request;
    std::string path;
    PictureSizeCheck allowed;
    UniqueBitmap backdrop;
};

DWORD WINAPI RunBackgroundCompose(void* parameter) {
    std::unique_ptr<BackgroundCompose> job(static_cast<BackgroundCompose*>(parameter));
    // The decoders may be COM objects; this thread has its own apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::unique_ptr<ComposedMap> composed;
    {
        UniqueBitmap picture(LoadImageBitmap(job->path, job->allowed));
        if (picture) composed = ComposeMap(picture.get(), job->backdrop.get());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    if (PostMessageA(job->window, job->message, job->request, reinterpret_cast<LPARAM>(composed.get()))) {
        composed.release();  // the window has it now
    }
    return 0;
}

}  // namespace

bool ComposeMapInBackground(HWND window, UINT message, WPARAM request, const std::string& path,
                            PictureSizeCheck allowed, HBITMAP backdrop) {
    auto job = std::make_unique<BackgroundCompose>();
    job->window = window;
    job->message = message;
    job->request = request;
    job->path = path;
    job->allowed = allowed;
    job->backdrop.reset(backdrop);
    const HANDLE thread = CreateThread(nullptr, 0, RunBackgroundCompose, job.get(), 0, nullptr);
    if (!thread) return false;
    job.release();  // the thread owns it now
    CloseHandle(thread);
    return true;
}

}  // namespace tolvik
