// Times the whole vector map render on Windows (or under Wine): a generated
// map of 30,000 lines and 1,000 labels at MapResolution 1600, real fonts.
//
//   vector-render-time [RUNS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/gdi_win.h"
#include "vector_big_map.h"  // the benchmark map
#include "vector/vector_render_win.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "tolvik-bigmap.txt";
    std::ofstream(path, std::ios::binary) << tolvik::testing::BigVectorMap(7, 30000, 1000);
    for (int i = 0; i < runs; ++i) {
        tolvik::VectorMapSettings settings;
        settings.MapResolution = 1600;
        const auto start = std::chrono::steady_clock::now();
        tolvik::UniqueBitmap bitmap(tolvik::RenderVectorMap(settings, path, 0.0f));
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("render %d: %.1f ms, %dx%d\n", i + 1, ms, settings.BitmapWidth, settings.BitmapHeight);
    }
    DeleteFileA(path.c_str());
    return 0;
}
