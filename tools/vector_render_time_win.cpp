// Times the whole vector map render on Windows (or under Wine): a generated
// map of 30,000 lines and 1,000 labels at MapResolution 1600, real fonts,
// as it is and with the other levels faded.
//
//   vector-render-time [RUNS]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>

#include "base/gdi_win.h"
#include "vector/vector_big_map.h"  // tests/vector: the benchmark map
#include "vector/vector_render_win.h"

// CPU time of this thread so far, which a busy machine does not inflate.
double ThreadCpuMs() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
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
            const double cpuStart = ThreadCpuMs();
            tolvik::UniqueBitmap bitmap(tolvik::RenderVectorMap(settings, path, 50.0f));
            const double cpu = ThreadCpuMs() - cpuStart;
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::printf("render %d%s: %.1f ms (%.1f ms CPU), %dx%d\n", i + 1, fading ? " fading other levels" : "",
                        ms, cpu, settings.BitmapWidth, settings.BitmapHeight);
        }
    }
    DeleteFileA(path.c_str());
    return 0;
}
