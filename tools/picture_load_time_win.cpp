// Times loading one picture file on Windows (or under Wine) the way the
// program loads a zone's map: header check, decoding, the 24-bit copy and
// the composed map bitmap, with the process's peak memory.
//
//   picture-load-time PATH [RUNS]
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/gdi_win.h"
#include "base/image_win.h"
#include "base/picture_header.h"
#include "raster/map_math.h"
#include "timing_win.h"

namespace {

// The steps of a load timed one by one: decoding, the clone, the GDI
// bitmap GDI+ makes, and the 24-bit copy.
void TimeSteps(const std::string& path) {
    namespace gp = Gdiplus::DllExports;
    wchar_t wide[260];
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 260) == 0) return;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return;
    Gdiplus::GpImage* image = nullptr;
    Gdiplus::GpImage* clone = nullptr;
    HBITMAP made = nullptr;
    auto start = std::chrono::steady_clock::now();
    gp::GdipLoadImageFromFile(wide, &image);
    const double decodeMs = timing::MsSince(start);
    start = std::chrono::steady_clock::now();
    if (image) gp::GdipCloneImage(image, &clone);
    const double cloneMs = timing::MsSince(start);
    start = std::chrono::steady_clock::now();
    if (clone) gp::GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(clone), &made, 0xFF000000);
    const double gdiMs = timing::MsSince(start);
    start = std::chrono::steady_clock::now();
    tolvik::UniqueBitmap copy(tolvik::CopyToDibSection(made));
    const double copyMs = timing::MsSince(start);
    std::printf("steps: decode %.0f ms, clone %.0f ms, GDI bitmap %.0f ms, 24-bit copy %.0f ms\n", decodeMs, cloneMs,
                gdiMs, copyMs);
    if (made) DeleteObject(made);
    if (clone) gp::GdipDisposeImage(clone);
    if (image) gp::GdipDisposeImage(image);
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture-load-time PATH [RUNS]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const tolvik::PictureHeader header = tolvik::ReadPictureFileHeader(path);
    std::printf("header: %s %lldx%lld, %s as a picture, %s as a zone map\n", header.sizeKnown ? "size" : "no size",
                static_cast<long long>(header.width), static_cast<long long>(header.height),
                tolvik::HeaderAllowsDecoding(header) ? "decoded" : "refused",
                header.sizeKnown && !tolvik::ComposedMapSizeAllowed(header.width, header.height) ? "refused" : "decoded");
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        tolvik::UniqueBitmap picture(tolvik::LoadImageBitmap(path));
        const double loadMs = timing::MsSince(start);
        BITMAP description{};
        if (picture) GetObjectA(picture.get(), sizeof description, &description);
        start = std::chrono::steady_clock::now();
        tolvik::UniqueBitmap map;
        if (picture && tolvik::ComposedMapSizeAllowed(description.bmWidth, description.bmHeight)) {
            HDC screen = GetDC(nullptr);
            map.reset(CreateCompatibleBitmap(screen, description.bmWidth + tolvik::kMapMarginWidth,
                                             description.bmHeight + tolvik::kMapMarginHeight));
            ReleaseDC(nullptr, screen);
        }
        std::printf("run %d: load %.0f ms (%ldx%ld%s), map bitmap %.0f ms (%s), peak %.0f MB\n", i + 1, loadMs,
                    description.bmWidth, description.bmHeight, picture ? "" : ", none", timing::MsSince(start),
                    map ? "made" : "none", timing::PeakWorkingSetMiB());
    }
    if (tolvik::HeaderAllowsDecoding(header)) TimeSteps(path);
    return 0;
}
