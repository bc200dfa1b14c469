#include "log/scanner.h"

#include <algorithm>
#include <cstring>

#include "app/number_text.h"

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

inline bool PhraseFits(const char* p, std::size_t room, const char* phrase, std::size_t length) {
    return room >= length && std::memcmp(p, phrase, length) == 0;
}

// Checks the candidate at p (first byte 'Y' or 'R') against the phrases.
inline Phrase PhraseAt(const char* p, const char* end) {
    const std::size_t room = static_cast<std::size_t>(end - p);
    if (p[0] == 'Y') {
        if (PhraseFits(p, room, kZoneMark, kZoneMarkLength)) return Phrase::ZoneMark;
        if (PhraseFits(p, room, kLocationPhrase, kLocationPhraseLength)) return Phrase::Location;
        if (PhraseFits(p, room, kDeathPhrase, kDeathPhraseLength)) return Phrase::Death;
    } else if (p[0] == 'R') {
        if (PhraseFits(p, room, kReturnNotice, kReturnNoticeLength)) return Phrase::ReturnNotice;
    }
    return Phrase::None;
}

using FindFunction = const char* (*)(const char*, const char*, const char*, Phrase&);

const char* FindScalar(const char* p, const char* limit, const char* end, Phrase& which) {
    for (; p < limit; ++p) {
        if (*p != 'Y' && *p != 'R') continue;
        which = PhraseAt(p, end);
        if (which != Phrase::None) return p;
    }
    which = Phrase::None;
    return limit;
}

// Candidates in a set of start positions (bit i for p + i), compared in
// full; the first phrase found, or null when none of them is one.
inline const char* FirstOfMask(unsigned mask, const char* p, const char* end, Phrase& which) {
    while (mask != 0) {
        const char* at = p + __builtin_ctz(mask);
        which = PhraseAt(at, end);
        if (which != Phrase::None) return at;
        mask &= mask - 1;
    }
    return nullptr;
}

#ifdef TOLVIK_SCAN_X86
// The vector kernels test many start positions at once against a few bytes
// of each phrase: "Y" and "u" at 0 and 2 with "h" at 4 or "L" at 5 and a
// blank at 16 (the zone mark, the location), or "h" at 4, "b" at 9 and a
// blank at 13 (the death); "R" and "t" at 0 and 2 with a blank at 12 (the
// return notice). Candidates are then compared in full. Every load is
// unaligned and reaches 16 bytes past the last start position tested.

const char* FindSse2(const char* p, const char* limit, const char* end, Phrase& which) {
    const __m128i Y = _mm_set1_epi8('Y'), u = _mm_set1_epi8('u'), h = _mm_set1_epi8('h');
    const __m128i L = _mm_set1_epi8('L'), b = _mm_set1_epi8('b'), blank = _mm_set1_epi8(' ');
    const __m128i R = _mm_set1_epi8('R'), t = _mm_set1_epi8('t');
    while (limit - p >= 16 && end - p >= 32) {
        auto at = [p](int offset) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offset)); };
        const __m128i v0 = at(0), v2 = at(2), h4 = _mm_cmpeq_epi8(at(4), h);
        const __m128i tail16 = _mm_and_si128(_mm_cmpeq_epi8(at(16), blank), _mm_or_si128(h4, _mm_cmpeq_epi8(at(5), L)));
        const __m128i tail13 = _mm_and_si128(h4, _mm_and_si128(_mm_cmpeq_epi8(at(9), b), _mm_cmpeq_epi8(at(13), blank)));
        const __m128i you = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(v0, Y), _mm_cmpeq_epi8(v2, u)),
                                          _mm_or_si128(tail16, tail13));
        const __m128i ret = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(v0, R), _mm_cmpeq_epi8(v2, t)),
                                          _mm_cmpeq_epi8(at(12), blank));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(you, ret)));
        if (mask != 0) {
            if (const char* found = FirstOfMask(mask, p, end, which)) return found;
        }
        p += 16;
    }
    return FindScalar(p, limit, end, which);
}

#define TOLVIK_LOAD32(at) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at))

__attribute__((target("avx2"))) const char* FindAvx2(const char* p, const char* limit, const char* end,
                                                     Phrase& which) {
    const __m256i Y = _mm256_set1_epi8('Y'), u = _mm256_set1_epi8('u'), h = _mm256_set1_epi8('h');
    const __m256i L = _mm256_set1_epi8('L'), b = _mm256_set1_epi8('b'), blank = _mm256_set1_epi8(' ');
    const __m256i R = _mm256_set1_epi8('R'), t = _mm256_set1_epi8('t');
    while (limit - p >= 32 && end - p >= 48) {
        const __m256i v0 = TOLVIK_LOAD32(p), v2 = TOLVIK_LOAD32(p + 2), h4 = _mm256_cmpeq_epi8(TOLVIK_LOAD32(p + 4), h);
        const __m256i tail16 =
            _mm256_and_si256(_mm256_cmpeq_epi8(TOLVIK_LOAD32(p + 16), blank), _mm256_or_si256(h4, _mm256_cmpeq_epi8(TOLVIK_LOAD32(p + 5), L)));
        const __m256i tail13 =
            _mm256_and_si256(h4, _mm256_and_si256(_mm256_cmpeq_epi8(TOLVIK_LOAD32(p + 9), b), _mm256_cmpeq_epi8(TOLVIK_LOAD32(p + 13), blank)));
        const __m256i you = _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi8(v0, Y), _mm256_cmpeq_epi8(v2, u)),
                                             _mm256_or_si256(tail16, tail13));
        const __m256i ret = _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi8(v0, R), _mm256_cmpeq_epi8(v2, t)),
                                             _mm256_cmpeq_epi8(TOLVIK_LOAD32(p + 12), blank));
        const unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(you, ret)));
        if (mask != 0) {
            if (const char* found = FirstOfMask(mask, p, end, which)) return found;
        }
        p += 32;
    }
    return FindSse2(p, limit, end, which);
}
#undef TOLVIK_LOAD32
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

ScanKernel g_activeKernel = BestKernel();
FindFunction g_find = KernelFunction(g_activeKernel);

}  // namespace

const char* FindNextPhrase(const char* from, const char* limit, const char* end, Phrase& which) {
    return g_find(from, limit, end, which);
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
    for (const char* p = begin; p < end; ++p) {
        // More than the longest rest is enough to know the line is skipped.
        if (*p == '\n' || rest_.size() > kLongestZoneRest) {
            done_ = true;
            return true;
        }
        rest_.push_back(*p);
    }
    return false;
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
