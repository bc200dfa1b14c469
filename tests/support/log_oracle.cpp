#include "support/log_oracle.h"

#include <cstring>
#include <string_view>

#include "log/scanner.h"

namespace tolvik::oracle {
namespace {

std::string_view Text(const char* begin, const char* end) { return {begin, static_cast<std::size_t>(end - begin)}; }

// Finds `phrase` wholly within [begin, end); end when absent.
const char* FindPhrase(const char* begin, const char* end, std::string_view phrase) {
    const std::size_t at = Text(begin, end).find(phrase);
    return at == std::string_view::npos ? end : begin + at;
}

Position ReadPosition(const char* text, const char* end) {
    PositionReader reader;
    return reader.Feed(text, end), reader.Result();
}

// The rest of the line after the zone change mark at `mark`, when not the arena notice and of usable length.
bool ZoneChangeRest(const char* mark, const char* end, std::size_t& restLength) {
    if (Text(mark, end).starts_with(kArenaNotice)) return false;
    const char* rest = mark + kZoneMarkLength;
    const char* lineEnd = static_cast<const char*>(std::memchr(rest, '\n', static_cast<std::size_t>(end - rest)));
    restLength = static_cast<std::size_t>((lineEnd ? lineEnd : end) - rest);
    return restLength >= kShortestZoneRest && restLength <= kLongestZoneRest;
}

const char* FindZoneChange(const char* start, const char* end) {
    std::size_t restLength = 0;
    for (const char* p = FindPhrase(start, end, kZoneMark); p != end; p = FindPhrase(p + kZoneMarkLength, end, kZoneMark))
        if (ZoneChangeRest(p, end, restLength)) return p;
    return end;
}

// A message begins its line, or right after the first "] " of a line that begins with "["; the text begins a line.
bool BeginsMessage(const char* begin, const char* at) {
    const std::size_t lineFeed = Text(begin, at).rfind('\n');
    const std::string_view line = Text(lineFeed == std::string_view::npos ? begin : begin + lineFeed + 1, at);
    return line.empty() || (line.size() >= 2 && line.front() == '[' && line.find("] ") == line.size() - 2);
}

// Deaths in [start, mark): each marks the corpse at the last position before it in the stretch, or else at the
// record's current position (none after a zone change in this text, which empties the trail).
void MarkCorpses(const char* begin, const char* start, const char* mark, const char* end, const ZoneRecord* record,
                 LogHooks& hooks) {
    for (const char* death = FindPhrase(start, end, kDeathPhrase); death < mark;
         death = FindPhrase(death + kDeathPhraseLength, end, kDeathPhrase)) {
        if (!BeginsMessage(begin, death) || !record || record->name.empty()) continue;
        const std::size_t at = Text(start, death).rfind(kLocationPhrase);
        if (at != std::string_view::npos) hooks.MarkCorpse(record->name, ReadPosition(start + at + kLocationPhraseLength, end));
        else if (record->current.count > 0) hooks.MarkCorpse(record->name, record->current.slots[0]);
    }
}

// Pushes the last position before the first "Returning to " of [start, mark) onto the record's return trail
// (unless that position begins right at start), and, when no zone change follows, every position of
// [start, end) onto its current-position trail.
void ScanToNextZoneMark(const char* start, const char* mark, const char* end, ZoneRecord* record) {
    if (!record) return;
    const char* notice = FindPhrase(start, mark, kReturnNotice);
    if (notice != mark) {
        const std::size_t at = Text(start, notice).rfind(kLocationPhrase);
        if (at != std::string_view::npos && at != 0) PushPosition(record->returns, ReadPosition(start + at + kLocationPhraseLength, end));
    }
    if (mark != end) return;
    for (const char* p = FindPhrase(start, end, kLocationPhrase); p != end; p = FindPhrase(p + kLocationPhraseLength, end, kLocationPhrase))
        PushPosition(record->current, ReadPosition(p + kLocationPhraseLength, end));
}

}  // namespace

void ScanLogText(ZoneTracking& tracking, const char* begin, const char* end, std::string& zoneName, LogHooks& hooks) {
    for (const char* p = begin;;) {
        const char* mark = FindZoneChange(p, end);
        MarkCorpses(begin, p, mark, end, tracking.Current(), hooks);
        ScanToNextZoneMark(p, mark, end, tracking.Current());
        if (mark == end) return;
        std::size_t restLength = 0;
        ZoneChangeRest(mark, end, restLength);
        p = mark + kZoneMarkLength;
        // Drop the full stop and the carriage return that end the line.
        zoneName.assign(p, restLength - 2);
        tracking.currentRecord = FindOrAddZoneRecord(tracking.table, zoneName);
        tracking.Current()->current.count = 0;
    }
}

}  // namespace tolvik::oracle
