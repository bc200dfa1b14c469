// The pieces of the log scan: finding the phrases in raw log text, reading
// the numbers of a position and the rest of a zone change line, and adding
// positions to a Location Trail. The log reader puts them together.
//
// The text is a byte range [begin, end); a zero byte is an ordinary byte.
// The phrases are matched anywhere by exact byte comparison.
#pragma once

#include <cstddef>
#include <string>

#include "log/zone_records.h"

namespace tolvik {

inline constexpr char kZoneMark[] = "You have entered ";
inline constexpr char kArenaNotice[] = "You have entered an Arena (PvP) area.";
inline constexpr char kReturnNotice[] = "Returning to ";
inline constexpr char kLocationPhrase[] = "Your Location is ";
inline constexpr char kDeathPhrase[] = "You have been slain by ";
inline constexpr std::size_t kZoneMarkLength = sizeof kZoneMark - 1;            // 17
inline constexpr std::size_t kArenaNoticeLength = sizeof kArenaNotice - 1;      // 37
inline constexpr std::size_t kReturnNoticeLength = sizeof kReturnNotice - 1;    // 13
inline constexpr std::size_t kLocationPhraseLength = sizeof kLocationPhrase - 1;  // 17
inline constexpr std::size_t kDeathPhraseLength = sizeof kDeathPhrase - 1;      // 23
// Longest phrase minus one: a phrase that begins this close to the end of a
// block may run over into the next block.
inline constexpr std::size_t kPhraseOverlap = kDeathPhraseLength - 1;

// Characters of a number token that count; the rest of the token is ignored.
inline constexpr std::size_t kTokenChars = 19;
// A zone change line's rest (after the mark, before its line feed) must have
// 2 to 255 characters; its last two (full stop, carriage return) are dropped.
inline constexpr std::size_t kShortestZoneRest = 2;
inline constexpr std::size_t kLongestZoneRest = 255;

enum class Phrase { None, ZoneMark, ReturnNotice, Location, Death };

struct PhraseHit {
    const char* at;
    Phrase which;
};

// The phrases that begin in [from, limit) and lie wholly before `end`
// (limit <= end), in text order, up to `capacity` of them; returns how many.
// When the hits fill the capacity, more may follow the last one.
std::size_t FindPhrases(const char* from, const char* limit, const char* end, PhraseHit* hits, std::size_t capacity);

// The ways FindPhrases can search: byte by byte, or 16 or 32 start
// positions at a time. All give the same answers. The widest one that the
// processor supports is active from the start; tests, benchmarks and fuzz
// targets switch between them.
enum class ScanKernel { Scalar, Sse2, Avx2 };
inline constexpr ScanKernel kScanKernels[] = {ScanKernel::Scalar, ScanKernel::Sse2, ScanKernel::Avx2};
bool ScanKernelAvailable(ScanKernel kernel);
ScanKernel ActiveScanKernel();
// Makes `kernel` the active one; false, and nothing changes, when this
// build or processor cannot run it.
bool SetScanKernel(ScanKernel kernel);
const char* ScanKernelName(ScanKernel kernel);

// Reads the three whitespace-separated tokens that follow the location
// phrase, from text fed in pieces. Blanks, tabs and line ends before a token
// are skipped; a token counts with its first 19 characters.
class PositionReader {
public:
    // Feeds the next piece of text; true once no more text is needed.
    bool Feed(const char* begin, const char* end);
    // The position read so far; a token not read (end of text) gives 0.
    // The game prints Y, X, Z: X is the second token, Y the first.
    Position Result() const;

private:
    char chars_[3][kTokenChars] = {};
    std::size_t lengths_[3] = {};
    int token_ = 0;  // token being read; 3 when all are complete
    bool inToken_ = false;
};

// Reads the rest of a zone change line (after the mark) from text fed in
// pieces, and tells what the line means.
class ZoneLineReader {
public:
    enum class Kind { Arena, Skipped, ZoneChange };

    bool Feed(const char* begin, const char* end);
    // Valid once Feed returned true or the text ended.
    Kind Result(std::string& zoneName) const;

private:
    std::string rest_;
    bool done_ = false;
};

// Adds one position to the trail: the count grows by one up to 23, earlier
// slots move one place towards the end, slot 0 receives the new position.
void PushPosition(LocationTrail& trail, const Position& position);

}  // namespace tolvik
