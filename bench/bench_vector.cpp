// Vector map render without a bitmap: reading the files twice (bounds and
// drawing pass), the map-to-pixel transform and the label placement, for a
// generated big map (30,000 lines, 1,000 labels) at MapResolution 1600.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "vector/vector_plan.h"

namespace {

using namespace tolvik;

// A zone of about 4000 by 3000 units: roads and walls as chains of short
// segments with four decimals, as the game's files write them, and labels
// of a few words spread over it. The same text for the same seed.
std::string BigMap(unsigned seed, int lineCount, int labelCount) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> xs(-2000.0f, 2000.0f);
    std::uniform_real_distribution<float> ys(-1500.0f, 1500.0f);
    std::uniform_real_distribution<float> step(-60.0f, 60.0f);
    std::uniform_real_distribution<float> zs(-50.0f, 150.0f);
    std::uniform_int_distribution<int> colourPick(0, 5);
    std::uniform_int_distribution<int> chainLength(5, 60);
    std::uniform_int_distribution<int> wordCount(1, 3);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> wordLength(3, 8);
    std::uniform_int_distribution<int> sizes(1, 3);
    const int colours[6][3] = {{0, 0, 0}, {128, 64, 0}, {0, 0, 255}, {0, 128, 0}, {96, 96, 96}, {255, 0, 0}};
    std::string text;
    text.reserve(static_cast<std::size_t>(lineCount) * 90 + static_cast<std::size_t>(labelCount) * 80);
    char buffer[256];
    int made = 0;
    while (made < lineCount) {
        float x = xs(random);
        float y = ys(random);
        float z = zs(random);
        const int* c = colours[colourPick(random)];
        for (int n = chainLength(random); n > 0 && made < lineCount; --n, ++made) {
            const float nx = std::min(2000.0f, std::max(-2000.0f, x + step(random)));
            const float ny = std::min(1500.0f, std::max(-1500.0f, y + step(random)));
            const float nz = z + step(random) * 0.1f;
            std::snprintf(buffer, sizeof buffer, "L %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %d, %d, %d\r\n", x, y, z, nx,
                          ny, nz, c[0], c[1], c[2]);
            text += buffer;
            x = nx;
            y = ny;
            z = nz;
        }
    }
    for (int i = 0; i < labelCount; ++i) {
        std::string label;
        for (int w = wordCount(random); w > 0; --w) {
            if (!label.empty()) label += '_';
            label += static_cast<char>('A' + letter(random));
            for (int k = wordLength(random); k > 1; --k) label += static_cast<char>('a' + letter(random));
        }
        const int* c = colours[colourPick(random)];
        std::snprintf(buffer, sizeof buffer, "P %.4f, %.4f, %.4f, %d, %d, %d, %d, %s\r\n", xs(random), ys(random),
                      zs(random), c[0], c[1], c[2], sizes(random), label.c_str());
        text += buffer;
    }
    return text;
}

// Arial at 7 points on a 96 pixels-per-inch screen, roughly.
class FixedMetrics : public TextMeasurer {
public:
    TextExtent Measure(const std::string& text, int points) override {
        return TextExtent{static_cast<int>(text.size()) * (points * 5 / 7), points * 11 / 7};
    }
};

class CountingSink : public VectorDrawSink {
public:
    void DrawLine(const VectorLineOp& line) override { lines += line.x1 & 1; ++lineCount; }
    void DrawLabel(const VectorLabelOp& label) override { ++labelCount; }
    long lines = 0;
    long lineCount = 0;
    long labelCount = 0;
};

const std::string& BigMapText() {
    static const std::string text = BigMap(20240611u, 30000, 1000);
    return text;
}

VectorMapSettings BenchSettings() {
    VectorMapSettings s;
    s.MapResolution = 1600;
    return s;
}

void BM_VectorPlanFromMemory(benchmark::State& state) {
    const std::string& text = BigMapText();
    const VectorFileOpener open = [&text](const std::string& path) -> std::unique_ptr<ByteStream> {
        if (path != "big.txt") return nullptr;
        return std::make_unique<MemoryByteStream>(text);
    };
    FixedMetrics metrics;
    long labels = 0;
    for (auto _ : state) {
        VectorMapSettings s = BenchSettings();
        CountingSink sink;
        PlanVectorMap(s, "big.txt", 0.0f, metrics, sink, open);
        labels = sink.labelCount;
        benchmark::DoNotOptimize(sink.lines);
    }
    state.counters["labels_placed"] = static_cast<double>(labels);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_VectorPlanFromMemory)->Unit(benchmark::kMillisecond);

void BM_VectorPlanFromFile(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tolvik-bench-vector";
    std::filesystem::create_directories(folder);
    const std::string base = (folder / "big.txt").string();
    {
        std::ofstream out(base, std::ios::binary);
        out << BigMapText();
    }
    FixedMetrics metrics;
    for (auto _ : state) {
        VectorMapSettings s = BenchSettings();
        CountingSink sink;
        PlanVectorMap(s, base, 0.0f, metrics, sink);
        benchmark::DoNotOptimize(sink.lines);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_VectorPlanFromFile)->Unit(benchmark::kMillisecond);

// The parts: reading both passes without labels, and placing the labels.
void BM_VectorReadOnly(benchmark::State& state) {
    const std::string& text = BigMapText();
    for (auto _ : state) {
        MapBounds bounds;
        MemoryByteStream in(text);
        ReadVectorBounds(in, bounds);
        benchmark::DoNotOptimize(bounds.maxX);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_VectorReadOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
