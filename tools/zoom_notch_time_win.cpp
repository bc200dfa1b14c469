// Times wheel notches over the Map View on Windows (or under Wine): the real
// main window shows a calibrated picture of SIZE x SIZE pixels, and each
// notch (a wheel message over the map, handled and repainted at once) is
// timed from the message to the finished repaint, through every zoom step.
// Then one animation frame is timed at 1x and at 4x.
//
//   zoom-notch-time [SIZE]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/map_select_win.h"
#include "app/system_seams_win.h"
#include "raster/map_view_win.h"
#include "support/pictures_win.h"
#include "res/resource.h"
#include "timing_win.h"

namespace {

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc > 1 ? std::max(16, std::atoi(argv[1])) : 2048;
    InitCommonControls();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tolvik-notch-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "Zones").c_str(), nullptr);
    CreateDirectoryA((folder + "Textures").c_str(), nullptr);

    // A picture with detail everywhere, so that smoothing has work to do.
    tolvik::test::Picture picture = tolvik::test::SolidPicture(size, size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture.at(x, y) = 0xFF000000u | static_cast<std::uint32_t>((x * 7) & 255) << 16 |
                               static_cast<std::uint32_t>((y * 5) & 255) << 8 | static_cast<std::uint32_t>((x ^ y) & 255);
    const std::string jpg = folder + "Zones\\Big Zone.jpg";
    const std::string ini = folder + "Zones\\Big Zone.ini";
    if (!tolvik::test::WritePicture(jpg, picture, tolvik::test::PictureFormat::Jpeg)) {
        std::fprintf(stderr, "could not write the picture\n");
        return 1;
    }
    const std::string calibration = "[Physical]\r\nX1=0\r\nY1=0\r\nX2=" + std::to_string(size) + "\r\nY2=" +
                                    std::to_string(size) + "\r\n[Logical]\r\nX1=1000.0000\r\nY1=1000.0000\r\n"
                                    "X2=-1000.0000\r\nY2=-1000.0000\r\n";
    if (FILE* file = std::fopen(ini.c_str(), "wb")) {
        std::fwrite(calibration.data(), 1, calibration.size(), file);
        std::fclose(file);
    }

    tolvik::Program program;
    program.seams = tolvik::SystemSeams();
    program.app.programFolder = folder;
    program.app.texturesFolder = folder + "Textures\\";
    program.app.zonesFolder = folder + "Zones\\";
    program.app.vectorMapFolder = folder + "VURavaZiro\\";
    const HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), "Tolvik", nullptr, tolvik::MainWindowProc,
                                           reinterpret_cast<LPARAM>(&program));
    if (!window) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    KillTimer(window, IDT_MAIN_TICK);
    ShowWindow(window, SW_SHOW);
    Pump();
    tolvik::SelectZoneMap(window, program, "Big Zone");
    tolvik::ZoneRecord* record = program.app.zones.Current();
    if (record) {
        record->current.slots[0] = tolvik::Position{100.0f, -50.0f, 0.0f};
        record->current.slots[1] = tolvik::Position{95.0f, -40.0f, 0.0f};
        record->current.count = 2;
    }
    Pump();

    const HWND view = GetDlgItem(window, IDC_MAP_VIEW);
    RECT client{};
    GetClientRect(view, &client);
    POINT pointer{client.right / 3, client.bottom / 2};
    ClientToScreen(view, &pointer);
    std::printf("picture %dx%d, Map View %ldx%ld\n", size, size, client.right, client.bottom);

    // In to the top, out to the bottom, back to the actual size.
    std::vector<double> times;
    auto notch = [&](int delta) {
        const auto start = std::chrono::steady_clock::now();
        SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                     MAKELPARAM(static_cast<WORD>(pointer.x), static_cast<WORD>(pointer.y)));
        GdiFlush();
        times.push_back(timing::MsSince(start));
        std::printf("  step %+d: %.1f ms\n", program.app.map.zoomStep, times.back());
    };
    const double cpuBefore = timing::ThreadCpuMs();
    for (int i = 0; i < 8; ++i) notch(120);
    for (int i = 0; i < 16; ++i) notch(-120);
    for (int i = 0; i < 8; ++i) notch(120);
    const double cpuPerNotch = (timing::ThreadCpuMs() - cpuBefore) / static_cast<double>(times.size());
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("notch repaint: median %.1f ms, slowest %.1f ms over %zu notches; %.1f ms CPU per notch\n",
                sorted[sorted.size() / 2], sorted.back(), sorted.size(), cpuPerNotch);

    // One animation frame (the 100 ms tick's repaint) at 1x and at 4x.
    for (int step : {0, 6}) {
        SendMessageA(window, WM_COMMAND, IDM_ACTUAL_SIZE, 0);
        for (int i = 0; i < step; ++i) SendMessageA(window, WM_COMMAND, IDM_ZOOM_IN, 0);
        tolvik::DrawMapView(window, program, false);
        const auto start = std::chrono::steady_clock::now();
        const int frames = 50;
        for (int i = 0; i < frames; ++i) tolvik::DrawMapViewChanges(window, program, false);
        GdiFlush();
        std::printf("animation frame at step %d: %.2f ms\n", step, timing::MsSince(start) / frames);
    }

    DestroyWindow(window);
    Pump();
    DeleteFileA(jpg.c_str());
    DeleteFileA(ini.c_str());
    RemoveDirectoryA((folder + "Zones").c_str());
    RemoveDirectoryA((folder + "Textures").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
