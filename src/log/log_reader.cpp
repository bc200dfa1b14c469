// ReadLog follows the game's chat log. Each call reads the bytes appended
// since the previous call, up to and including the last line feed (a line the
// game is still writing waits for a later call), and scans them in blocks of
// bounded size with the same results as scanning the whole new text at once:
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
//
// Phrases running over a block edge are found by carrying the last bytes of
// a block into the next one; the text after a phrase (a zone name, the
// numbers of a position) is read on from the buffer and, past its end, from
// the file itself.
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

class StdLogSource final : public LogSource {
public:
    explicit StdLogSource(std::FILE* file) : file_(file) {}
    ~StdLogSource() override { std::fclose(file_); }
    StdLogSource(const StdLogSource&) = delete;
    StdLogSource& operator=(const StdLogSource&) = delete;

    bool Size(std::uint64_t& size) override {
        if (SeekFile(file_, 0, SEEK_END) != 0) return false;
        const std::int64_t at = TellFile(file_);
        if (at < 0) return false;
        size = static_cast<std::uint64_t>(at);
        return true;
    }

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (n == 0 || offset > static_cast<std::uint64_t>(INT64_MAX)) return 0;
        if (SeekFile(file_, static_cast<std::int64_t>(offset), SEEK_SET) != 0) return 0;
        return std::fread(buffer, 1, n, file_);
    }

private:
    std::FILE* file_;
};

// ---------------------------------------------------------------------------

constexpr std::size_t kPeekBytes = 512;
constexpr int kPendingPositions = LocationTrail::kSlots;

class BlockScanner {
public:
    BlockScanner(LogSource& source, std::uint64_t begin, std::uint64_t textEnd, std::size_t blockSize,
                 ZoneTracking& tracking, std::string& zoneName, ReadLogStats& stats)
        : source_(source),
          textEnd_(textEnd),
          // A short new text needs no more than its own length.
          block_(static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::size_t>(blockSize, 1), textEnd - begin))),
          tracking_(tracking),
          zoneName_(zoneName),
          stats_(stats),
          buffer_(block_ + kPhraseOverlap),
          bufferStart_(begin),
          stretchStart_(begin) {}

    // Scans the text; returns where it ended (before the planned end only
    // when the file delivered fewer bytes than it had).
    std::uint64_t Run() {
        std::uint64_t readAt = bufferStart_;
        std::uint64_t next = bufferStart_;  // first start position not yet examined
        std::size_t carried = 0;
        while (readAt < textEnd_) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(block_, textEnd_ - readAt));
            const std::size_t got = source_.ReadAt(readAt, buffer_.data() + carried, want);
            readAt += got;
            if (got < want) textEnd_ = readAt;
            length_ = carried + got;
            const bool last = readAt == textEnd_;
            // Positions this close to the block's end may start a phrase that
            // runs over into the next block; they wait for it.
            const std::size_t limit = last ? length_ : (length_ > kPhraseOverlap ? length_ - kPhraseOverlap : 0);
            const char* const data = buffer_.data();
            while (next < bufferStart_ + limit) {
                Phrase which;
                const char* at = FindNextPhrase(data + (next - bufferStart_), data + limit, data + length_, which);
                if (which == Phrase::None) break;
                const std::uint64_t where = bufferStart_ + static_cast<std::uint64_t>(at - data);
                next = OnPhrase(which, where);
            }
            next = std::max(next, bufferStart_ + limit);
            if (last) break;  // keep the last block for the final positions
            // Carry the undecided tail to the front of the buffer.
            carried = length_ - limit;
            std::memmove(buffer_.data(), buffer_.data() + limit, carried);
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
            const char* data = buffer_.data();
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
    ReadLogStats& stats_;

    std::vector<char> buffer_;
    std::uint64_t bufferStart_;  // file offset of buffer_[0]
    std::size_t length_ = 0;     // bytes held in buffer_
    std::array<char, kPeekBytes> peek_{};

    std::uint64_t stretchStart_;  // where the scan resumed after the last zone change
    bool noticeSeen_ = false;
    bool haveReturnCandidate_ = false;
    std::uint64_t returnCandidate_ = 0;
    std::array<std::uint64_t, kPendingPositions> pending_{};
    std::uint64_t pendingTotal_ = 0;
};

// The offset just past the last line feed in [begin, end), or begin when
// there is none (or the file cannot be read).
std::uint64_t EndOfLastLine(LogSource& source, std::uint64_t begin, std::uint64_t end, std::size_t chunk) {
    chunk = static_cast<std::size_t>(std::min<std::uint64_t>(
        std::min<std::size_t>(std::max<std::size_t>(chunk, 1), std::size_t{64} << 10), end - begin));
    std::vector<char> buffer(chunk);
    while (end > begin) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, end - begin));
        const std::uint64_t from = end - want;
        if (source.ReadAt(from, buffer.data(), want) != want) return begin;
        for (std::size_t i = want; i-- > 0;) {
            if (buffer[i] == '\n') return from + i + 1;
        }
        end = from;
    }
    return begin;
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
             std::uint64_t& offset, LogHooks& hooks, const ReadLogOptions& options) {
    ReadLogStats stats;
    std::string zoneName = currentZoneName;
    {
        // The file is open for this block only.
        std::unique_ptr<LogSource> source = options.open ? options.open(path) : nullptr;
        if (!source) return false;
        std::uint64_t size = 0;
        if (!source->Size(size)) return false;

        if (size < offset) {
            // Truncated or replaced by a shorter file: only what is appended
            // from now on is read.
            offset = size;
        } else if (size > offset) {
            const std::uint64_t textEnd = EndOfLastLine(*source, offset, size, options.blockSize);
            if (textEnd > offset) {
                BlockScanner scanner(*source, offset, textEnd, options.blockSize, tracking, zoneName, stats);
                const std::uint64_t scanned = scanner.Run();
                stats.bytesConsumed = scanned - offset;
                offset = scanned;
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
