// Vector map render without a bitmap: reading the files twice (bounds and
// drawing pass), the map-to-pixel transform and the label placement, for a
// generated big map (30,000 lines, 1,000 labels) at MapResolution 1600.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "vector/follow_height.h"
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
    bool BeginCanvas(int, int, std::uint32_t) override { return true; }
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

// The same with the height filter on and the other levels faded: a third
// pass over the files draws the hidden lines first.
void BM_VectorPlanFadingOtherLevels(benchmark::State& state) {
    const std::string& text = BigMapText();
    const VectorFileOpener open = [&text](const std::string& path) -> std::unique_ptr<ByteStream> {
        if (path != "big.txt") return nullptr;
        return std::make_unique<MemoryByteStream>(text);
    };
    FixedMetrics metrics;
    for (auto _ : state) {
        VectorMapSettings s = BenchSettings();
        s.UseHeightFilter = 1;
        s.FadeOtherLevels = 1;
        CountingSink sink;
        PlanVectorMap(s, "big.txt", 50.0f, metrics, sink, open);
        benchmark::DoNotOptimize(sink.lines);
    }
}
BENCHMARK(BM_VectorPlanFadingOtherLevels)->Unit(benchmark::kMillisecond);

// Following the player's height: the decision for one new position, over
// the 30,000 lines' heights that a render keeps.
void BM_FollowHeightDecision(benchmark::State& state) {
    const std::string& text = BigMapText();
    const VectorFileOpener open = [&text](const std::string& path) -> std::unique_ptr<ByteStream> {
        if (path != "big.txt") return nullptr;
        return std::make_unique<MemoryByteStream>(text);
    };
    FixedMetrics metrics;
    VectorMapSettings s = BenchSettings();
    s.UseHeightFilter = 1;
    CountingSink sink;
    PlanVectorMap(s, "big.txt", 50.0f, metrics, sink, open);
    float height = 0.0f;
    long renders = 0;
    for (auto _ : state) {
        height = height > 150.0f ? -50.0f : height + 0.37f;
        renders += HeightCallsForRender(s, height) ? 1 : 0;
    }
    benchmark::DoNotOptimize(renders);
    state.counters["lines"] = static_cast<double>(s.levels.middles.size());
}
BENCHMARK(BM_FollowHeightDecision);

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
