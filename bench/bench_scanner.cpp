// Throughput of the log scan: the phrase search with each kernel, and
// ReadLog block by block over a generated log held in memory; and the cost
// of one poll while a very long line is still being written.
#include <benchmark/benchmark.h>

#include <memory>
#include <initializer_list>
#include <string>

#include "../tools/log_generator.h"
#include "log/log_reader.h"
#include "log/scanner.h"
#include "../tests/support/memory_log_source.h"

namespace {

using namespace tolvik;

const std::shared_ptr<const std::string>& SharedLog() {
    static const auto log = [] {
        loggen::Generator generator(1);
        auto text = std::make_shared<std::string>();
        text->reserve((64u << 20) + 4096);
        while (text->size() < (64u << 20)) generator.AppendLine(*text);
        return std::shared_ptr<const std::string>(std::move(text));
    }();
    return log;
}

const std::string& GeneratedLog() { return *SharedLog(); }

// Runs the benchmark with the kernel given as its first argument; skips it
// when the processor cannot run that kernel.
bool UseKernel(benchmark::State& state) {
    const auto kernel = static_cast<ScanKernel>(state.range(0));
    if (!SetScanKernel(kernel)) {
        state.SkipWithError("kernel not available here");
        return false;
    }
    state.SetLabel(ScanKernelName(kernel));
    return true;
}

void EachKernel(benchmark::internal::Benchmark* b, std::initializer_list<std::int64_t> blockSizes = {0}) {
    for (ScanKernel kernel : kScanKernels) {
        for (std::int64_t size : blockSizes) b->Args({static_cast<std::int64_t>(kernel), size});
    }
}

class NoHooks final : public LogHooks {
public:
    void ShowZoneName(const std::string&) override {}
    void SelectZoneMap(const std::string&) override {}
};

// The search alone over the first `range(1)` bytes of the log: a block that
// stays in the processor's cache as the reader's blocks do, and the whole
// 64 MiB from memory.
void BM_FindPhrases(benchmark::State& state) {
    if (!UseKernel(state)) return;
    const std::string& log = GeneratedLog();
    const std::size_t length = std::min(log.size(), static_cast<std::size_t>(state.range(1)));
    const char* end = log.data() + length;
    std::size_t found = 0;
    for (auto _ : state) {
        PhraseHit hits[64];
        for (const char* p = log.data(); p < end;) {
            const std::size_t n = FindPhrases(p, end, end, hits, 64);
            found += n;
            if (n < 64) break;
            p = hits[n - 1].at + 1;
        }
    }
    benchmark::DoNotOptimize(found);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
}
BENCHMARK(BM_FindPhrases)->Apply([](auto* b) { EachKernel(b, {128 << 10, 64 << 20}); })->Unit(benchmark::kMicrosecond);

// The reader over an in-memory log, by kernel and block size.
void BM_ReadLog(benchmark::State& state) {
    if (!UseKernel(state)) return;
    const std::string& log = GeneratedLog();
    ReadLogOptions options;
    options.blockSize = static_cast<std::size_t>(state.range(1));
    options.open = [&](const std::string&) { return std::make_unique<test::MemoryLogSource>(SharedLog()); };
    NoHooks hooks;
    for (auto _ : state) {
        ZoneTracking tracking;
        LogCursor cursor;
        ReadLog(tracking, "", "memory", cursor, hooks, options);
        benchmark::DoNotOptimize(cursor.offset);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
}
BENCHMARK(BM_ReadLog)
    ->Apply([](auto* b) { EachKernel(b, {64 << 10, 256 << 10, 1 << 20, 4 << 20}); })
    ->Unit(benchmark::kMillisecond);

// A log whose last line has no end yet: a zone change, then `range(0)` bytes
// of one line that grows by 80 bytes before every poll. The bytes are made
// on demand, so a line of hundreds of megabytes costs no memory.
class GrowingLineSource final : public LogSource {
public:
    GrowingLineSource(const std::string& head, std::uint64_t size) : head_(head), size_(size) {}
    bool Size(std::uint64_t& size) override {
        size = size_;
        return true;
    }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (offset >= size_) return 0;
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - offset));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t at = offset + i;
            buffer[i] = at < head_.size() ? head_[static_cast<std::size_t>(at)] : 'x';
        }
        return count;
    }

private:
    const std::string& head_;
    std::uint64_t size_;
};

void BM_PollWithPendingLine(benchmark::State& state) {
    static const std::string head = "[Mon Jan 01 12:00:00 2024] You have entered Guk.\r\n[Mon Jan 01 12:00:01 2024] ";
    std::uint64_t size = head.size() + static_cast<std::uint64_t>(state.range(0));
    ReadLogOptions options;
    options.open = [&](const std::string&) -> std::unique_ptr<LogSource> {
        return std::make_unique<GrowingLineSource>(head, size);
    };
    NoHooks hooks;
    ZoneTracking tracking;
    LogCursor cursor;
    ReadLog(tracking, "", "growing", cursor, hooks, options);  // the whole line once
    for (auto _ : state) {
        size += 80;
        ReadLog(tracking, "Guk", "growing", cursor, hooks, options);
    }
    benchmark::DoNotOptimize(cursor.searchedTo);
}
BENCHMARK(BM_PollWithPendingLine)->Arg(100)->Arg(200 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
