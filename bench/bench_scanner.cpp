// Throughput of the log scanner: phrase search, the whole-text scan, and
// ReadLog block by block over a generated log held in memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "../tools/log_generator.h"
#include "log/log_reader.h"
#include "log/scanner.h"

namespace {

using namespace tolvik;

const std::string& GeneratedLog() {
    static const std::string log = [] {
        loggen::Generator generator(1);
        std::string text;
        text.reserve((64u << 20) + 4096);
        while (text.size() < (64u << 20)) generator.AppendLine(text);
        return text;
    }();
    return log;
}

class MemorySource final : public LogSource {
public:
    explicit MemorySource(const std::string& text) : text_(text) {}
    bool Size(std::uint64_t& size) override {
        size = text_.size();
        return true;
    }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (offset >= text_.size()) return 0;
        const std::size_t count = std::min<std::size_t>(n, text_.size() - static_cast<std::size_t>(offset));
        std::memcpy(buffer, text_.data() + offset, count);
        return count;
    }

private:
    const std::string& text_;
};

class NoHooks final : public LogHooks {
public:
    void ShowZoneName(const std::string&) override {}
    void SelectZoneMap(const std::string&) override {}
};

void BM_FindNextPhrase(benchmark::State& state) {
    const std::string& log = GeneratedLog();
    const char* end = log.data() + log.size();
    std::size_t found = 0;
    for (auto _ : state) {
        Phrase which;
        for (const char* p = FindNextPhrase(log.data(), end, end, which); which != Phrase::None;
             p = FindNextPhrase(p + 1, end, end, which)) {
            ++found;
        }
    }
    benchmark::DoNotOptimize(found);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
}
BENCHMARK(BM_FindNextPhrase)->Unit(benchmark::kMillisecond);

// The whole text in one piece, as a reference: every position is parsed.
void BM_ScanLogText(benchmark::State& state) {
    const std::string& log = GeneratedLog();
    for (auto _ : state) {
        ZoneTracking tracking;
        std::string zone;
        ScanLogText(tracking, log.data(), log.data() + log.size(), zone);
        benchmark::DoNotOptimize(tracking.table.recordsInUse);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
}
BENCHMARK(BM_ScanLogText)->Unit(benchmark::kMillisecond);

// The reader over an in-memory log, by block size.
void BM_ReadLog(benchmark::State& state) {
    const std::string& log = GeneratedLog();
    ReadLogOptions options;
    options.blockSize = static_cast<std::size_t>(state.range(0));
    options.open = [&](const std::string&) -> std::unique_ptr<LogSource> { return std::make_unique<MemorySource>(log); };
    NoHooks hooks;
    for (auto _ : state) {
        ZoneTracking tracking;
        std::uint64_t offset = 0;
        ReadLog(tracking, "", "memory", offset, hooks, options);
        benchmark::DoNotOptimize(offset);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
}
BENCHMARK(BM_ReadLog)->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
