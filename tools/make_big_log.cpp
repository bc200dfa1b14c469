// make_big_log: writes a realistic chat log of a given size for benchmarks
// and tests; the same seed always gives the same file.
//
//   make_big_log OUTPUT SIZE [SEED]     SIZE in bytes, or with K, M or G
#include <cstdio>
#include <cstdlib>
#include <string>

#include "log_generator.h"

namespace {

bool ParseSize(const char* text, unsigned long long& size) {
    char* end = nullptr;
    size = std::strtoull(text, &end, 10);
    if (end == text) return false;
    switch (*end) {
        case '\0': return true;
        case 'K': case 'k': size <<= 10; break;
        case 'M': case 'm': size <<= 20; break;
        case 'G': case 'g': size <<= 30; break;
        default: return false;
    }
    return end[1] == '\0' || ((end[1] == 'i' || end[1] == 'B') && (end[2] == '\0' || end[2] == 'B'));
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long long size = 0;
    if (argc < 3 || argc > 4 || !ParseSize(argv[2], size)) {
        std::fputs("usage: make_big_log OUTPUT SIZE [SEED]   (SIZE in bytes, or with K, M or G)\n", stderr);
        return 2;
    }
    const unsigned long long seed = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 1;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::fprintf(stderr, "make_big_log: cannot write \"%s\"\n", argv[1]);
        return 1;
    }
    tolvik::loggen::Generator generator(seed);
    std::string chunk;
    unsigned long long written = 0;
    // Whole lines only; the last line may end a little past SIZE.
    while (written < size) {
        chunk.clear();
        while (chunk.size() < (1u << 20) && written + chunk.size() < size) generator.AppendLine(chunk);
        if (std::fwrite(chunk.data(), 1, chunk.size(), out) != chunk.size()) {
            std::fprintf(stderr, "make_big_log: write failed\n");
            std::fclose(out);
            return 1;
        }
        written += chunk.size();
    }
    if (std::fclose(out) != 0) {
        std::fprintf(stderr, "make_big_log: write failed\n");
        return 1;
    }
    return 0;
}
