#include "log/scanner.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "base/number_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define TOLVIK_SCAN_SSE2 1
#endif

namespace tolvik {
namespace {

constexpr char kArenaRest[] = "an Arena (PvP) area.";
constexpr std::size_t kArenaRestLength = sizeof kArenaRest - 1;  // 20

// Blanks as the C library's scanning sees them in the "C" locale.
inline bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Checks the candidate at p (first byte 'Y' or 'R') against the phrases.
inline Phrase PhraseAt(const char* p, const char* end) {
    const std::size_t room = static_cast<std::size_t>(end - p);
    if (p[0] == 'Y') {
        if (room >= kZoneMarkLength && std::memcmp(p, kZoneMark, kZoneMarkLength) == 0) return Phrase::ZoneMark;
        if (room >= kLocationPhraseLength && std::memcmp(p, kLocationPhrase, kLocationPhraseLength) == 0)
            return Phrase::Location;
    } else if (p[0] == 'R') {
        if (room >= kReturnNoticeLength && std::memcmp(p, kReturnNotice, kReturnNoticeLength) == 0)
            return Phrase::ReturnNotice;
    }
    return Phrase::None;
}

const char* FindNextPhraseScalar(const char* p, const char* limit, const char* end, Phrase& which) {
    for (; p < limit; ++p) {
        if (*p != 'Y' && *p != 'R') continue;
        which = PhraseAt(p, end);
        if (which != Phrase::None) return p;
    }
    which = Phrase::None;
    return limit;
}

// Finds `phrase` wholly within [begin, end); end when absent.
const char* FindPhrase(const char* begin, const char* end, std::string_view phrase) {
    const std::string_view text(begin, static_cast<std::size_t>(end - begin));
    const std::size_t at = text.find(phrase);
    return at == std::string_view::npos ? end : begin + at;
}

}  // namespace

const char* FindNextPhrase(const char* from, const char* limit, const char* end, Phrase& which) {
    const char* p = from;
#ifdef TOLVIK_SCAN_SSE2
    // Sixteen start positions at a time: a candidate must show the phrase's
    // first byte, a third byte and a final blank where the phrase has them
    // ("You" ... " " with 'h' or ' L' for the zone mark and the location,
    // "Ret" ... " " for the return notice); candidates are then compared in full.
    const __m128i Y = _mm_set1_epi8('Y'), u = _mm_set1_epi8('u'), h = _mm_set1_epi8('h');
    const __m128i L = _mm_set1_epi8('L'), blank = _mm_set1_epi8(' ');
    const __m128i R = _mm_set1_epi8('R'), t = _mm_set1_epi8('t');
    while (limit - p >= 16 && end - p >= 32) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2));
        const __m128i v4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4));
        const __m128i v5 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 5));
        const __m128i v12 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12));
        const __m128i v16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        const __m128i you = _mm_and_si128(
            _mm_and_si128(_mm_cmpeq_epi8(v0, Y), _mm_cmpeq_epi8(v2, u)),
            _mm_and_si128(_mm_cmpeq_epi8(v16, blank), _mm_or_si128(_mm_cmpeq_epi8(v4, h), _mm_cmpeq_epi8(v5, L))));
        const __m128i ret = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(v0, R), _mm_cmpeq_epi8(v2, t)),
                                          _mm_cmpeq_epi8(v12, blank));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(you, ret)));
        while (mask != 0) {
            const int bit = __builtin_ctz(mask);
            which = PhraseAt(p + bit, end);
            if (which != Phrase::None) return p + bit;
            mask &= mask - 1;
        }
        p += 16;
    }
#endif
    return FindNextPhraseScalar(p, limit, end, which);
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

Position ReadPosition(const char* text, const char* end) {
    PositionReader reader;
    reader.Feed(text, end);
    return reader.Result();
}

void PushPosition(LocationTrail& trail, const Position& position) {
    trail.count = std::min(trail.count + 1, LocationTrail::kMaxCount);
    std::copy_backward(trail.slots.begin(), trail.slots.begin() + trail.count,
                       trail.slots.begin() + trail.count + 1);
    trail.slots[0] = position;
}

void PushPosition(LocationTrail& trail, const char* text, const char* end) {
    PushPosition(trail, ReadPosition(text, end));
}

namespace {

// The rest of the line after a zone change mark at `mark`, when the line is
// a zone change: not the arena notice, and a rest of usable length.
bool ZoneChangeRest(const char* mark, const char* end, std::size_t& restLength) {
    if (static_cast<std::size_t>(end - mark) >= kArenaNoticeLength &&
        std::memcmp(mark, kArenaNotice, kArenaNoticeLength) == 0) {
        return false;
    }
    const char* rest = mark + kZoneMarkLength;
    const char* lineEnd = static_cast<const char*>(std::memchr(rest, '\n', static_cast<std::size_t>(end - rest)));
    restLength = static_cast<std::size_t>((lineEnd ? lineEnd : end) - rest);
    return restLength >= kShortestZoneRest && restLength <= kLongestZoneRest;
}

// The next "You have entered " in [start, end) that begins a zone change.
const char* FindZoneChange(const char* start, const char* end) {
    std::size_t restLength = 0;
    for (const char* p = FindPhrase(start, end, kZoneMark); p != end;
         p = FindPhrase(p + kZoneMarkLength, end, kZoneMark)) {
        if (ZoneChangeRest(p, end, restLength)) return p;
    }
    return end;
}

}  // namespace

const char* ScanToNextZoneMark(const char* start, const char* end, ZoneRecord* record) {
    const char* mark = FindZoneChange(start, end);
    if (!record) return mark;

    // The first return notice wholly before the mark, and the last position
    // wholly before that notice; one that begins right at start is not taken.
    const char* notice = FindPhrase(start, mark, kReturnNotice);
    if (notice != mark) {
        const std::string_view before(start, static_cast<std::size_t>(notice - start));
        const std::size_t at = before.rfind(kLocationPhrase);
        if (at != std::string_view::npos && at != 0) {
            PushPosition(record->returns, start + at + kLocationPhraseLength, end);
        }
    }

    // Positions are current only when no zone change follows them.
    if (mark == end) {
        for (const char* p = FindPhrase(start, end, kLocationPhrase); p != end;
             p = FindPhrase(p + kLocationPhraseLength, end, kLocationPhrase)) {
            PushPosition(record->current, p + kLocationPhraseLength, end);
        }
    }
    return mark;
}

void ScanLogText(ZoneTracking& tracking, const char* begin, const char* end, std::string& zoneName) {
    const char* p = ScanToNextZoneMark(begin, end, tracking.Current());
    while (p != end) {
        std::size_t restLength = 0;
        ZoneChangeRest(p, end, restLength);
        p += kZoneMarkLength;
        // Drop the full stop and the carriage return that end the line.
        zoneName.assign(p, restLength - 2);
        tracking.currentRecord = FindOrAddZoneRecord(tracking.table, zoneName);
        tracking.Current()->current.count = 0;
        p = ScanToNextZoneMark(p, end, tracking.Current());
    }
}

}  // namespace tolvik
