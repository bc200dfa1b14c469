// Times the whole vector map render on Windows (or under Wine): a generated
// map of 30,000 lines and 1,000 labels at MapResolution 1600, real fonts,
// as it is and with the other levels faded.
// With --zoom, also the render again at the highest zoom step (5.96x) and at
// eight times the size, each followed by one paint of a 1280 x 1024 view,
// and the memory the zoomed render keeps.
//
//   vector-render-time [RUNS] [--zoom]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>

#include "base/gdi_win.h"
#include "raster/map_math.h"
#include "timing_win.h"
#include "vector_big_map.h"  // the benchmark map
#include "vector/vector_render_win.h"

namespace {

// What a plan keeps: its operations and label texts.
double PlanMiB(const tolvik::ScaledVectorPlan& plan) {
    std::size_t bytes = plan.lines.capacity() * sizeof(tolvik::VectorLineOp) +
                        plan.labels.capacity() * sizeof(tolvik::VectorLabelOp) +
                        plan.linesBeforeLabel.capacity() * sizeof(std::size_t);
    for (const tolvik::VectorLabelOp& label : plan.labels) bytes += label.text.capacity();
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// One paint of a 1280 x 1024 view into a screen-compatible bitmap, the
// map's middle in the middle of the view.
double PaintView(const tolvik::ZoomedView& zoom, int mapWidth, int mapHeight) {
    tolvik::WindowDc screen(nullptr);
    tolvik::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    tolvik::UniqueBitmap view(CreateCompatibleBitmap(screen.get(), 1280, 1024));
    tolvik::Selection selected(dc.get(), view.get());
    const RECT clip{0, 0, 1280, 1024};
    const auto start = std::chrono::steady_clock::now();
    zoom.paintSharp(dc.get(), 640 - mapWidth / 2, 512 - mapHeight / 2, clip);
    GdiFlush();
    return timing::MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    bool zoom = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--zoom") == 0) {
            zoom = true;
        } else {
            runs = std::atoi(argv[i]);
        }
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "tolvik-bigmap.txt";
    std::ofstream(path, std::ios::binary) << tolvik::testing::BigVectorMap(7, 30000, 1000);
    // As most maps are drawn, then with the height filter on and the levels
    // the player is not on faded (player height 50, distances 20).
    for (const bool fading : {false, true}) {
        for (int i = 0; i < runs; ++i) {
            tolvik::VectorMapSettings settings;
            settings.MapResolution = 1600;
            settings.UseHeightFilter = fading ? 1 : 0;
            settings.FadeOtherLevels = fading ? 1 : 0;
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = timing::ThreadCpuMs();
            tolvik::UniqueBitmap bitmap(tolvik::RenderVectorMap(settings, path, 50.0f));
            const double cpu = timing::ThreadCpuMs() - cpuStart;
            const double ms = timing::MsSince(start);
            std::printf("render %d%s: %.1f ms (%.1f ms CPU), %dx%d\n", i + 1, fading ? " fading other levels" : "",
                        ms, cpu, settings.BitmapWidth, settings.BitmapHeight);
        }
    }
    if (zoom) {
        tolvik::VectorMapSettings settings;
        settings.MapResolution = 1600;
        tolvik::UniqueBitmap bitmap(tolvik::RenderVectorMap(settings, path, 0.0f));
        // The Program as the map selection leaves it for this map.
        tolvik::Program program;
        program.app.UseVURavaZiro = 1;
        program.app.vector = settings;
        program.app.map.imageWidth = settings.BitmapWidth;
        program.app.map.imageHeight = settings.BitmapHeight;
        program.app.map.zoomStep = tolvik::kMaxZoomStep;
        program.gdi.zoom.vectorBase = path;
        const double before = timing::PeakWorkingSetMiB();
        for (int i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const bool made = tolvik::RenderVectorMapAtZoom(program);
            const double render = timing::MsSince(start);
            const double paint =
                made ? PaintView(program.gdi.zoom, tolvik::ScaledLength(settings.BitmapWidth, tolvik::kMaxZoomStep),
                                 tolvik::ScaledLength(settings.BitmapHeight, tolvik::kMaxZoomStep))
                     : 0.0;
            std::printf("zoom step %d (5.96x) render %d: %.1f ms, then a 1280x1024 view painted in %.1f ms%s\n",
                        tolvik::kMaxZoomStep, i + 1, render, paint, made ? "" : " (no render)");
        }
        std::printf("peak working set %.1f MiB before the zoomed renders, %.1f MiB after\n", before,
                    timing::PeakWorkingSetMiB());

        // Eight times the size, through the same steps.
        for (int i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const std::shared_ptr<tolvik::ScaledVectorPlan> plan =
                tolvik::PlanVectorMapAtScale(settings, path, 0.0f, 8.0);
            const double render = timing::MsSince(start);
            if (!plan) break;
            tolvik::ZoomedView view;
            view.paintSharp = [&plan, &settings](HDC target, int x, int y, const RECT& clip) {
                tolvik::PaintScaledVectorPlan(target, *plan, settings.Color, x, y, clip);
            };
            const double paint = PaintView(view, plan->width, plan->height);
            std::printf("8x render %d: %.1f ms (%dx%d, %zu lines, %zu labels, %.1f MiB kept), then a 1280x1024 view "
                        "painted in %.1f ms\n",
                        i + 1, render, plan->width, plan->height, plan->lines.size(), plan->labels.size(),
                        PlanMiB(*plan), paint);
        }
    }
    DeleteFileA(path.c_str());
    return 0;
}
