#include "log/scanner.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/number_text.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define TOLVIK_SCAN_X86 1
#endif

namespace tolvik {
namespace {

constexpr char kArenaRest[] = "an Arena (PvP) area.";
constexpr std::size_t kArenaRestLength = sizeof kArenaRest - 1;  // 20

// Blanks as the C library's scanning sees them in the "C" locale.
inline bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline std::uint64_t Load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// A phrase of 9 to 24 bytes compared as three words within it, which may
// overlap: no call into the C library per candidate.
template <std::size_t N>
inline bool PhraseFits(const char* p, std::size_t room, const char (&phrase)[N]) {
    constexpr std::size_t length = N - 1, middle = length - 8 < 8 ? length - 8 : 8;
    static_assert(length > 8 && length <= 24);
    return room >= length && Load8(p) == Load8(phrase) && Load8(p + middle) == Load8(phrase + middle) &&
           Load8(p + length - 8) == Load8(phrase + length - 8);
}

// Checks the candidate at p (first byte 'Y' or 'R') against the phrases.
inline Phrase PhraseAt(const char* p, const char* end) {
    const std::size_t room = static_cast<std::size_t>(end - p);
    if (p[0] == 'Y') {
        if (PhraseFits(p, room, kZoneMark)) return Phrase::ZoneMark;
        if (PhraseFits(p, room, kLocationPhrase)) return Phrase::Location;
        if (PhraseFits(p, room, kDeathPhrase)) return Phrase::Death;
    } else if (p[0] == 'R') {
        if (PhraseFits(p, room, kReturnNotice)) return Phrase::ReturnNotice;
    }
    return Phrase::None;
}

// The phrases found so far, up to the caller's capacity.
struct Hits {
    PhraseHit* out;
    std::size_t capacity;
    std::size_t count = 0;

    // Keeps the candidate at `at` if it is a phrase; true once full.
    bool Add(const char* at, const char* end) {
        const Phrase which = PhraseAt(at, end);
        if (which != Phrase::None) out[count++] = {at, which};
        return count == capacity;
    }
    // Candidates in a set of start positions (bit i for p + i), in order.
    bool AddMask(std::uint64_t mask, const char* p, const char* end) {
        for (; mask != 0; mask &= mask - 1) {
            if (Add(p + __builtin_ctzll(mask), end)) return true;
        }
        return false;
    }
};

using FindFunction = void (*)(const char*, const char*, const char*, Hits&);

void FindScalar(const char* p, const char* limit, const char* end, Hits& hits) {
    for (; p < limit; ++p) {
        if ((*p == 'Y' || *p == 'R') && hits.Add(p, end)) return;
    }
}

#ifdef TOLVIK_SCAN_X86
// The vector kernels test many start positions at once against two bytes of
// each phrase: "Y" at 0 with "L" at 5 (the location), "t" at 11 (the zone
// mark) or "b" at 20 (the death); "R" at 0 with a blank at 12 (the return
// notice). In chat, combat and system text these pairs rarely meet; the few
// candidates are then compared in full. Every load is unaligned; the last
// one reaches 20 bytes past the last start position tested.
constexpr int kLastLoad = 20;

void FindSse2(const char* p, const char* limit, const char* end, Hits& hits) {
    __m128i Y = _mm_set1_epi8('Y'), L = _mm_set1_epi8('L'), t = _mm_set1_epi8('t');
    __m128i b = _mm_set1_epi8('b'), R = _mm_set1_epi8('R'), blank = _mm_set1_epi8(' ');
    // Kept in registers: the compiler would otherwise build them anew in
    // every round.
    __asm__("" : "+x"(Y), "+x"(L), "+x"(t), "+x"(b), "+x"(R), "+x"(blank));
    for (std::ptrdiff_t left = std::min(limit - p - 16, end - p - 16 - kLastLoad); left >= 0; left -= 16, p += 16) {
        const auto at = [p](int offset) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offset)); };
        const __m128i at0 = at(0);
        const __m128i second = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(at(5), L), _mm_cmpeq_epi8(at(11), t)),
                                            _mm_cmpeq_epi8(at(kLastLoad), b));
        const __m128i you = _mm_and_si128(_mm_cmpeq_epi8(at0, Y), second);
        const __m128i returning = _mm_and_si128(_mm_cmpeq_epi8(at0, R), _mm_cmpeq_epi8(at(12), blank));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(you, returning)));
        if (mask != 0 && hits.AddMask(mask, p, end)) return;
    }
    FindScalar(p, limit, end, hits);
}

struct Needles32 {
    __m256i Y, L, t, b, R, blank;
};

// The candidates among the 32 start positions from p.
__attribute__((target("avx2"), always_inline)) inline std::uint32_t Candidates32(const char* p, const Needles32& n) {
    const auto is = [p](int offset, const __m256i& byte) __attribute__((target("avx2"), always_inline)) {
        return _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + offset)), byte);
    };
    // Loaded once for two comparisons.
    __m256i at0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    __asm__("" : "+x"(at0));
    const __m256i second = _mm256_or_si256(_mm256_or_si256(is(5, n.L), is(11, n.t)), is(kLastLoad, n.b));
    const __m256i you = _mm256_and_si256(_mm256_cmpeq_epi8(at0, n.Y), second);
    const __m256i returning = _mm256_and_si256(_mm256_cmpeq_epi8(at0, n.R), is(12, n.blank));
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_or_si256(you, returning)));
}

__attribute__((target("avx2"))) void FindAvx2(const char* p, const char* limit, const char* end, Hits& hits) {
    Needles32 n{_mm256_set1_epi8('Y'), _mm256_set1_epi8('L'), _mm256_set1_epi8('t'),
                _mm256_set1_epi8('b'), _mm256_set1_epi8('R'), _mm256_set1_epi8(' ')};
    __asm__("" : "+x"(n.Y), "+x"(n.L), "+x"(n.t), "+x"(n.b), "+x"(n.R), "+x"(n.blank));
    // 64 start positions a round while their loads stay within the text,
    // then 32.
    for (std::ptrdiff_t left = std::min(limit - p - 64, end - p - 64 - kLastLoad); left >= 0; left -= 64, p += 64) {
        const std::uint64_t mask = Candidates32(p, n) | std::uint64_t{Candidates32(p + 32, n)} << 32;
        if (mask != 0 && hits.AddMask(mask, p, end)) return;
    }
    if (limit - p >= 32 && end - p >= 32 + kLastLoad) {
        if (hits.AddMask(Candidates32(p, n), p, end)) return;
        p += 32;
    }
    FindSse2(p, limit, end, hits);
}
#endif

FindFunction KernelFunction(ScanKernel kernel) {
    switch (kernel) {
#ifdef TOLVIK_SCAN_X86
        case ScanKernel::Sse2: return FindSse2;
        case ScanKernel::Avx2: return __builtin_cpu_supports("avx2") ? FindAvx2 : nullptr;
#endif
        case ScanKernel::Scalar: return FindScalar;
        default: return nullptr;
    }
}

ScanKernel BestKernel() {
#ifdef TOLVIK_SCAN_X86
    __builtin_cpu_init();
#endif
    ScanKernel best = ScanKernel::Scalar;
    for (ScanKernel kernel : kScanKernels) {
        if (KernelFunction(kernel)) best = kernel;
    }
    return best;
}

// The kernel in use for the whole process: the processor's best, chosen
// once at start; tests and benchmarks switch it.
ScanKernel g_activeKernel = BestKernel();
FindFunction g_find = KernelFunction(g_activeKernel);

}  // namespace

std::size_t FindPhrases(const char* from, const char* limit, const char* end, PhraseHit* hits, std::size_t capacity) {
    Hits found{hits, capacity};
    if (capacity > 0) g_find(from, limit, end, found);
    return found.count;
}

bool ScanKernelAvailable(ScanKernel kernel) { return KernelFunction(kernel) != nullptr; }

ScanKernel ActiveScanKernel() { return g_activeKernel; }

bool SetScanKernel(ScanKernel kernel) {
    const FindFunction find = KernelFunction(kernel);
    if (!find) return false;
    g_activeKernel = kernel;
    g_find = find;
    return true;
}

const char* ScanKernelName(ScanKernel kernel) {
    switch (kernel) {
        case ScanKernel::Scalar: return "scalar";
        case ScanKernel::Sse2: return "sse2";
        case ScanKernel::Avx2: return "avx2";
    }
    return "?";
}

// ---------------------------------------------------------------------------

bool PositionReader::Feed(const char* begin, const char* end) {
    for (const char* p = begin; p < end; ++p) {
        if (token_ == 3) return true;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (IsBlank(c)) {
            if (inToken_) {
                inToken_ = false;
                ++token_;
            }
            continue;
        }
        inToken_ = true;
        std::size_t& length = lengths_[token_];
        if (length < kTokenChars) chars_[token_][length++] = static_cast<char>(c);
        // The rest of the last token cannot change the position.
        if (token_ == 2 && length == kTokenChars) token_ = 3;
    }
    return token_ == 3;
}

Position PositionReader::Result() const {
    float numbers[3];
    for (int i = 0; i < 3; ++i) numbers[i] = ParseLeadingReal(std::string(chars_[i], lengths_[i]));
    Position position;
    position.x = numbers[1];
    position.y = numbers[0];
    position.z = numbers[2];
    return position;
}

bool ZoneLineReader::Feed(const char* begin, const char* end) {
    if (done_) return true;
    // More than the longest rest is enough to know the line is skipped.
    const std::size_t room = kLongestZoneRest + 1 - rest_.size();
    const std::size_t n = std::min(room, static_cast<std::size_t>(end - begin));
    const char* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', n));
    rest_.append(begin, lineFeed ? lineFeed : begin + n);
    done_ = lineFeed || rest_.size() > kLongestZoneRest;
    return done_;
}

ZoneLineReader::Kind ZoneLineReader::Result(std::string& zoneName) const {
    if (rest_.compare(0, kArenaRestLength, kArenaRest) == 0) return Kind::Arena;
    if (rest_.size() < kShortestZoneRest || rest_.size() > kLongestZoneRest) return Kind::Skipped;
    // Drop the full stop and the carriage return that end the line.
    zoneName.assign(rest_, 0, rest_.size() - 2);
    return Kind::ZoneChange;
}

// ---------------------------------------------------------------------------

void PushPosition(LocationTrail& trail, const Position& position) {
    trail.count = std::min(trail.count + 1, LocationTrail::kMaxCount);
    std::copy_backward(trail.slots.begin(), trail.slots.begin() + trail.count,
                       trail.slots.begin() + trail.count + 1);
    trail.slots[0] = position;
}

}  // namespace tolvik
