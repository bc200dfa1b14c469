// Vector map render without a bitmap: reading the files twice (bounds and
// drawing pass), the map-to-pixel transform and the label placement, for a
// generated big map (30,000 lines, 1,000 labels) at MapResolution 1600.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "vector/vector_plan.h"
#include "../tools/vector_big_map.h"

namespace {

using namespace tolvik;

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
    static const std::string text = testing::BigVectorMap(20240611u, 30000, 1000);
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
