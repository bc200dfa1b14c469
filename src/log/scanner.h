// The log line scanner: finds zone changes, return notices and positions in
// raw log text and records positions into the Zone Records.
//
// The text is a byte range [begin, end); a zero byte is an ordinary byte.
// The three phrases are matched anywhere by exact byte comparison.
#pragma once

#include <cstddef>
#include <string>

#include "log/zone_records.h"

namespace tolvik {

inline constexpr char kZoneMark[] = "You have entered ";
inline constexpr char kArenaNotice[] = "You have entered an Arena (PvP) area.";
inline constexpr char kReturnNotice[] = "Returning to ";
inline constexpr char kLocationPhrase[] = "Your Location is ";
inline constexpr std::size_t kZoneMarkLength = sizeof kZoneMark - 1;            // 17
inline constexpr std::size_t kArenaNoticeLength = sizeof kArenaNotice - 1;      // 37
inline constexpr std::size_t kReturnNoticeLength = sizeof kReturnNotice - 1;    // 13
inline constexpr std::size_t kLocationPhraseLength = sizeof kLocationPhrase - 1;  // 17
// Longest phrase minus one: a phrase that begins this close to the end of a
// block may run over into the next block.
inline constexpr std::size_t kPhraseOverlap = 16;

// Characters of a number token that count; the rest of the token is ignored.
inline constexpr std::size_t kTokenChars = 19;
// A zone change line's rest (after the mark, before its line feed) must have
// 2 to 255 characters; its last two (full stop, carriage return) are dropped.
inline constexpr std::size_t kShortestZoneRest = 2;
inline constexpr std::size_t kLongestZoneRest = 255;

enum class Phrase { None, ZoneMark, ReturnNotice, Location };

// The first position in [from, limit) at which one of the three phrases
// begins and lies wholly before `end` (limit <= end); `which` tells which.
// Returns `limit` with Phrase::None when there is none.
const char* FindNextPhrase(const char* from, const char* limit, const char* end, Phrase& which);

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

// The position that follows "Your Location is " at `text`, read from the
// text up to `end`.
Position ReadPosition(const char* text, const char* end);

// Adds one position to the trail: the count grows by one up to 23, earlier
// slots move one place towards the end, slot 0 receives the new position.
void PushPosition(LocationTrail& trail, const Position& position);
// Same, reading the position from the text that follows "Your Location is ".
void PushPosition(LocationTrail& trail, const char* text, const char* end);

// Returns the position of the next zone change mark in [start, end), or end
// when there is none. A zone change mark is a "You have entered " whose line
// is a zone change: the arena notice is not, nor is a line whose rest before
// its line feed is shorter than 2 or longer than 255 characters; both change
// nothing. With a record: pushes the last position before the first
// "Returning to " of [start, mark) onto its return trail, and, when no zone
// change follows, every position of [start, end) onto its current-position
// trail. `end` is the end of the text.
const char* ScanToNextZoneMark(const char* start, const char* end, ZoneRecord* record);

// Scans one whole new text in one piece: switches the Current Zone Record at
// each zone change (resetting its current-position trail), records
// positions, and leaves the last zone name met in `zoneName`. The reader
// gives the same results block by block.
void ScanLogText(ZoneTracking& tracking, const char* begin, const char* end, std::string& zoneName);

}  // namespace tolvik
