// ReadLog follows the game's chat log. Each call reads the bytes appended
// since the previous call, up to and including the last line feed (a line the
// game is still writing waits for a later call, and is searched for its end
// only once), and scans them in blocks of bounded size:
//
//  - Every zone change line switches the Current Zone Record and starts its
//    current-position trail afresh; only the zone of the last one reaches the
//    window. The arena notice, which begins like a zone change, and zone
//    lines too short or too long for a zone name change nothing.
//  - Positions become current positions only when no zone change follows
//    them within the new text. The scan keeps the offsets of the last 24
//    positions since the last zone change and pushes them at the end.
//  - In each stretch between zone changes, the last position before the
//    first "Returning to " goes to the return trail of the record current
//    in that stretch.
//  - A line whose message begins with "You have been slain by " (right after
//    the first "] " of a line that begins with "[", or at the start of a line
//    that does not) marks the corpse in the zone of the current record at
//    the last position before it since the zone was entered.
//
// Phrases running over a block edge are found by carrying the last bytes of
// a block into the next one; the text after a phrase (a zone name, the
// numbers of a position) is read on from the buffer and, past its end, from
// the file itself, as is the start of a line before the buffer.
//
// The cursor remembers the file's identity and first bytes. When either has
// changed, another file has taken the log's place (moved over it, deleted
// and created again, cut and written again): it is read from its start into
// the same Zone Records. A file that is shorter than the offset but begins
// as before was cut back; what it still holds was read, so reading goes on
// from its new end.
#include "log/log_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "log/scanner.h"

namespace tolvik {
namespace {

// ---------------------------------------------------------------------------
// Standard file reading with 64-bit offsets.

#ifdef _WIN32
int SeekFile(std::FILE* file, std::int64_t offset, int origin) { return _fseeki64(file, offset, origin); }
std::int64_t TellFile(std::FILE* file) { return _ftelli64(file); }
#else
int SeekFile(std::FILE* file, std::int64_t offset, int origin) {
    return fseeko(file, static_cast<off_t>(offset), origin);
}
std::int64_t TellFile(std::FILE* file) { return static_cast<std::int64_t>(ftello(file)); }
#endif

// Unbuffered: every read goes straight into the caller's buffer, and a read
// that continues the previous one needs no seek.
class StdLogSource final : public LogSource {
public:
    explicit StdLogSource(std::FILE* file) : file_(file) { std::setvbuf(file_, nullptr, _IONBF, 0); }
    ~StdLogSource() override { std::fclose(file_); }
    StdLogSource(const StdLogSource&) = delete;
    StdLogSource& operator=(const StdLogSource&) = delete;

    bool Size(std::uint64_t& size) override {
        position_ = kUnknown;
        if (SeekFile(file_, 0, SEEK_END) != 0) return false;
        const std::int64_t at = TellFile(file_);
        if (at < 0) return false;
        size = static_cast<std::uint64_t>(at);
        return true;
    }

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (n == 0 || offset > static_cast<std::uint64_t>(INT64_MAX)) return 0;
        if (offset != position_ && SeekFile(file_, static_cast<std::int64_t>(offset), SEEK_SET) != 0) {
            position_ = kUnknown;
            return 0;
        }
        const std::size_t got = std::fread(buffer, 1, n, file_);
        position_ = got == n ? offset + n : kUnknown;
        return got;
    }

    // The device and file serial number; C libraries without file serial
    // numbers give 0, which tells nothing.
    bool Identity(LogIdentity& identity) override {
        struct stat info {};
        if (fstat(fileno(file_), &info) != 0 || info.st_ino == 0) return false;
        identity.volume = static_cast<std::uint64_t>(info.st_dev);
        identity.file = static_cast<std::uint64_t>(info.st_ino);
        return true;
    }

private:
    static constexpr std::uint64_t kUnknown = ~std::uint64_t{0};
    std::FILE* file_;
    std::uint64_t position_ = kUnknown;
};

// ---------------------------------------------------------------------------

constexpr std::size_t kPeekBytes = 512;
constexpr int kPendingPositions = LocationTrail::kSlots;

class BlockScanner {
public:
    BlockScanner(LogSource& source, std::uint64_t begin, std::uint64_t textEnd, std::size_t blockSize,
                 ZoneTracking& tracking, std::string& zoneName, LogHooks& hooks, ReadLogStats& stats)
        : source_(source),
          textEnd_(textEnd),
          // A short new text needs no more than its own length.
          block_(static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::size_t>(blockSize, 1), textEnd - begin))),
          tracking_(tracking),
          zoneName_(zoneName),
          hooks_(hooks),
          stats_(stats),
          storage_(kFront + block_ + kAlign),
          readArea_(AlignUp(storage_.data() + kFront)),
          data_(readArea_),
          bufferStart_(begin),
          stretchStart_(begin),
          lineStart_(begin),
          lineSearchedTo_(begin),
          bracketSearchedTo_(begin) {}

    // Scans the text; returns where it ended (before the planned end only
    // when the file delivered fewer bytes than it had).
    std::uint64_t Run() {
        std::uint64_t readAt = bufferStart_;
        std::uint64_t next = bufferStart_;  // first start position not yet examined
        std::size_t carried = 0;
        while (readAt < textEnd_) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(block_, textEnd_ - readAt));
            const std::size_t got = source_.ReadAt(readAt, readArea_, want);
            readAt += got;
            if (got < want) textEnd_ = readAt;
            length_ = carried + got;
            const bool last = readAt == textEnd_;
            // Positions this close to the block's end may start a phrase that
            // runs over into the next block; they wait for it.
            const std::size_t limit = last ? length_ : (length_ > kPhraseOverlap ? length_ - kPhraseOverlap : 0);
            const char* const data = data_;
            while (next < bufferStart_ + limit) {
                std::array<PhraseHit, 64> hits;
                const std::size_t found =
                    FindPhrases(data + (next - bufferStart_), data + limit, data + length_, hits.data(), hits.size());
                for (std::size_t i = 0; i < found; ++i) {
                    const std::uint64_t where = bufferStart_ + static_cast<std::uint64_t>(hits[i].at - data);
                    // A phrase never begins inside another; kept safe all the same.
                    if (where >= next) next = OnPhrase(hits[i].which, where);
                }
                if (found < hits.size()) break;
            }
            next = std::max(next, bufferStart_ + limit);
            if (last) break;  // keep the last block for the final positions
            // Carry the undecided tail to the front of the buffer.
            carried = length_ - limit;
            std::memmove(readArea_ - carried, data_ + limit, carried);
            data_ = readArea_ - carried;
            bufferStart_ += limit;
            length_ = carried;
        }
        FinishText();
        return textEnd_;
    }

private:
    ZoneRecord* Current() { return tracking_.Current(); }

    // Handles one phrase at absolute offset `at`; returns where the search
    // for the next phrase starts.
    std::uint64_t OnPhrase(Phrase which, std::uint64_t at) {
        switch (which) {
            case Phrase::Location:
                if (!noticeSeen_ && at != stretchStart_) {
                    returnCandidate_ = at;
                    haveReturnCandidate_ = true;
                }
                pending_[pendingTotal_ % kPendingPositions] = at;
                ++pendingTotal_;
                return at + kLocationPhraseLength;
            case Phrase::ReturnNotice:
                if (!noticeSeen_) {
                    noticeSeen_ = true;
                    ZoneRecord* record = Current();
                    if (record && haveReturnCandidate_) {
                        PushPosition(record->returns, ReadPositionAt(returnCandidate_ + kLocationPhraseLength));
                        ++stats_.returnPositions;
                    }
                }
                return at + kReturnNoticeLength;
            case Phrase::Death:
                if (AtMessageStart(at)) MarkCorpse();
                return at + kDeathPhraseLength;
            case Phrase::ZoneMark: {
                ZoneLineReader line;
                FeedFrom(at + kZoneMarkLength, line);
                std::string name;
                // The arena notice and unusable zone lines change nothing.
                if (line.Result(name) != ZoneLineReader::Kind::ZoneChange) return at + kZoneMarkLength;
                tracking_.currentRecord = FindOrAddZoneRecord(tracking_.table, name);
                Current()->current.count = 0;
                zoneName_ = std::move(name);
                ++stats_.zoneChanges;
                // Positions before a zone change are not current positions.
                pendingTotal_ = 0;
                stretchStart_ = at + kZoneMarkLength;
                noticeSeen_ = false;
                haveReturnCandidate_ = false;
                return stretchStart_;
            }
            case Phrase::None:
                break;
        }
        return at + 1;
    }

    // The positions after the last zone change are the current positions.
    void FinishText() {
        stats_.currentPositions = pendingTotal_;
        ZoneRecord* record = Current();
        if (!record) return;
        // Pushing more than a trail's 24 slots leaves only the last 24 visible.
        const std::uint64_t first = pendingTotal_ > kPendingPositions ? pendingTotal_ - kPendingPositions : 0;
        for (std::uint64_t i = first; i < pendingTotal_; ++i) {
            PushPosition(record->current, ReadPositionAt(pending_[i % kPendingPositions] + kLocationPhraseLength));
        }
    }

    // Whether the death phrase at `at` begins its line's message. Every line
    // start and first "] " is searched for once, however many candidates
    // one line holds; the text of this read begins a line.
    bool AtMessageStart(std::uint64_t at) {
        std::uint64_t lineFeed = 0;
        if (FindLastByte('\n', lineSearchedTo_, at, lineFeed)) {
            lineStart_ = lineFeed + 1;
            bracketSearchedTo_ = lineStart_;
            bracketFound_ = false;
        }
        lineSearchedTo_ = at;
        if (at == lineStart_) return true;
        const char* first = Bytes(lineStart_, 1);
        if (!first || *first != '[') return false;
        // "] " begins at most two bytes before the message.
        if (!bracketFound_ && bracketSearchedTo_ + 2 <= at) {
            bracketFound_ = FindFirstPair(']', ' ', bracketSearchedTo_, at - 1, bracketAt_);
            bracketSearchedTo_ = at - 1;
        }
        return bracketFound_ && bracketAt_ + 2 == at;
    }

    // The death just found: the last position since the zone was entered,
    // in this text, or else before it (a zone change in this text emptied
    // the trail).
    void MarkCorpse() {
        const ZoneRecord* record = Current();
        if (!record || record->name.empty()) return;
        Position where;
        if (pendingTotal_ > 0) {
            where = ReadPositionAt(pending_[(pendingTotal_ - 1) % kPendingPositions] + kLocationPhraseLength);
        } else if (record->current.count > 0) {
            where = record->current.slots[0];
        } else {
            return;
        }
        hooks_.MarkCorpse(record->name, where);
        ++stats_.corpses;
    }

    // n bytes at `at` (n <= kPeekBytes unless the buffer holds them), from
    // the buffer or the file; null when the file does not deliver them.
    const char* Bytes(std::uint64_t at, std::size_t n) {
        if (at >= bufferStart_ && at + n <= bufferStart_ + length_) return data_ + (at - bufferStart_);
        return source_.ReadAt(at, peek_.data(), n) == n ? peek_.data() : nullptr;
    }

    // The last `byte` in [from, to), searched backwards.
    bool FindLastByte(char byte, std::uint64_t from, std::uint64_t to, std::uint64_t& found) {
        while (to > from) {
            const bool buffered = to > bufferStart_ && to <= bufferStart_ + length_;
            const std::uint64_t chunkStart =
                buffered ? std::max(from, bufferStart_) : to - std::min<std::uint64_t>(kPeekBytes, to - from);
            const std::size_t n = static_cast<std::size_t>(to - chunkStart);
            const char* bytes = Bytes(chunkStart, n);
            if (!bytes) return false;
            for (std::size_t i = n; i-- > 0;) {
                if (bytes[i] == byte) {
                    found = chunkStart + i;
                    return true;
                }
            }
            to = chunkStart;
        }
        return false;
    }

    // The first position s in [from, to) with `a` at s and `b` at s + 1.
    bool FindFirstPair(char a, char b, std::uint64_t from, std::uint64_t to, std::uint64_t& found) {
        while (from < to) {
            const bool buffered = from >= bufferStart_ && to + 1 <= bufferStart_ + length_;
            const std::size_t n = buffered ? static_cast<std::size_t>(to - from)
                                           : static_cast<std::size_t>(std::min<std::uint64_t>(kPeekBytes - 1, to - from));
            const char* bytes = Bytes(from, n + 1);
            if (!bytes) return false;
            for (std::size_t i = 0; i < n; ++i) {
                if (bytes[i] == a && bytes[i + 1] == b) {
                    found = from + i;
                    return true;
                }
            }
            from += n;
        }
        return false;
    }

    Position ReadPositionAt(std::uint64_t at) {
        PositionReader reader;
        FeedFrom(at, reader);
        return reader.Result();
    }

    // Feeds the text from `at` on to `reader` until it has enough: from the
    // buffer while it holds the bytes, then from the file.
    template <class Reader>
    void FeedFrom(std::uint64_t at, Reader& reader) {
        if (at >= bufferStart_ && at < bufferStart_ + length_) {
            const char* data = data_;
            if (reader.Feed(data + (at - bufferStart_), data + length_)) return;
            at = bufferStart_ + length_;
        }
        while (at < textEnd_) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kPeekBytes, textEnd_ - at));
            const std::size_t got = source_.ReadAt(at, peek_.data(), want);
            if (got == 0) return;
            if (reader.Feed(peek_.data(), peek_.data() + got)) return;
            at += got;
        }
    }

    LogSource& source_;
    std::uint64_t textEnd_;
    const std::size_t block_;  // bytes read at a time
    ZoneTracking& tracking_;
    std::string& zoneName_;
    LogHooks& hooks_;
    ReadLogStats& stats_;

    // Blocks are read to a cache-line boundary, with room before it for the
    // bytes carried over from the previous block: the system copies whole
    // lines faster.
    static constexpr std::size_t kFront = 64, kAlign = 64;
    static_assert(kFront >= kPhraseOverlap);
    static char* AlignUp(char* p) {
        return p + (kAlign - reinterpret_cast<std::uintptr_t>(p) % kAlign) % kAlign;
    }
    std::vector<char> storage_;
    char* readArea_;
    char* data_;                 // the bytes held: carried ones, then the block read
    std::uint64_t bufferStart_;  // file offset of data_[0]
    std::size_t length_ = 0;     // bytes held
    std::array<char, kPeekBytes> peek_{};

    std::uint64_t stretchStart_;  // where the scan resumed after the last zone change
    bool noticeSeen_ = false;
    bool haveReturnCandidate_ = false;
    std::uint64_t returnCandidate_ = 0;
    std::array<std::uint64_t, kPendingPositions> pending_{};
    std::uint64_t pendingTotal_ = 0;

    // The line of the last death phrase: where it starts, how far it is known
    // to hold no line feed, and its first "] " as far as searched.
    std::uint64_t lineStart_;
    std::uint64_t lineSearchedTo_;
    std::uint64_t bracketSearchedTo_;
    bool bracketFound_ = false;
    std::uint64_t bracketAt_ = 0;
};

enum class LineEnd { Found, None, Unreadable };

// The offset just past the last line feed in [begin, end).
LineEnd FindLastLineEnd(LogSource& source, std::uint64_t begin, std::uint64_t end, std::size_t chunk,
                        std::uint64_t& lineEnd) {
    chunk = static_cast<std::size_t>(std::min<std::uint64_t>(
        std::min<std::size_t>(std::max<std::size_t>(chunk, 1), std::size_t{64} << 10), end - begin));
    std::vector<char> buffer(chunk);
    while (end > begin) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, end - begin));
        const std::uint64_t from = end - want;
        if (source.ReadAt(from, buffer.data(), want) != want) return LineEnd::Unreadable;
        for (std::size_t i = want; i-- > 0;) {
            if (buffer[i] == '\n') {
                lineEnd = from + i + 1;
                return LineEnd::Found;
            }
        }
        end = from;
    }
    return LineEnd::None;
}

struct Fingerprint {
    std::array<char, kFingerprintBytes> bytes{};
    std::size_t length = 0;
};

// Whether the file now open is another than the one the cursor followed:
// another identity, or first bytes that differ as far as both have them.
bool IsAnotherFile(const LogCursor& cursor, bool identityKnown, const LogIdentity& identity,
                   const Fingerprint& fingerprint) {
    if (cursor.identityKnown && identityKnown && !(cursor.identity == identity)) return true;
    const std::size_t common = std::min(cursor.fingerprintLength, fingerprint.length);
    return std::memcmp(cursor.fingerprint.data(), fingerprint.bytes.data(), common) != 0;
}

}  // namespace

std::unique_ptr<LogSource> OpenStdLogSource(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    return std::make_unique<StdLogSource>(file);
}

bool ReadLog(ZoneTracking& tracking, const std::string& currentZoneName, const std::string& path,
             LogCursor& cursor, LogHooks& hooks, const ReadLogOptions& options) {
    ReadLogStats stats;
    std::string zoneName = currentZoneName;
    {
        // The file is open for this block only.
        std::unique_ptr<LogSource> source = options.open ? options.open(path) : nullptr;
        if (!source) return false;
        std::uint64_t size = 0;
        if (!source->Size(size)) return false;

        LogIdentity identity;
        const bool identityKnown = source->Identity(identity);
        Fingerprint fingerprint;
        fingerprint.length = source->ReadAt(0, fingerprint.bytes.data(),
                                            static_cast<std::size_t>(std::min<std::uint64_t>(size, kFingerprintBytes)));
        if (IsAnotherFile(cursor, identityKnown, identity, fingerprint)) {
            cursor.offset = cursor.searchedTo = 0;
            stats.restarted = true;
        }
        cursor.identityKnown = identityKnown;
        cursor.identity = identity;
        cursor.fingerprint = fingerprint.bytes;
        cursor.fingerprintLength = fingerprint.length;

        if (size < cursor.offset) {
            // Cut back: only what is appended from now on is read.
            cursor.offset = cursor.searchedTo = size;
        } else if (size > cursor.offset) {
            // The line still being written was searched for its end before.
            const std::uint64_t searchFrom = std::clamp(cursor.searchedTo, cursor.offset, size);
            std::uint64_t textEnd = 0;
            switch (FindLastLineEnd(*source, searchFrom, size, options.blockSize, textEnd)) {
                case LineEnd::Found: {
                    BlockScanner scanner(*source, cursor.offset, textEnd, options.blockSize, tracking, zoneName,
                                         hooks, stats);
                    const std::uint64_t scanned = scanner.Run();
                    stats.bytesConsumed = scanned - cursor.offset;
                    cursor.offset = scanned;
                    cursor.searchedTo = scanned == textEnd ? size : scanned;
                    break;
                }
                case LineEnd::None:
                    cursor.searchedTo = size;
                    break;
                case LineEnd::Unreadable:
                    break;
            }
        }
    }
    if (options.stats) *options.stats = stats;

    if (zoneName != currentZoneName) {
        hooks.ShowZoneName(zoneName);
        hooks.SelectZoneMap(zoneName);
    }
    return true;
}

}  // namespace tolvik
