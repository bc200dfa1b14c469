#include "log/log_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../../tools/log_generator.h"
#include "log/log_test_support.h"
#include "log/scanner.h"

namespace tolvik {
namespace {

using testing::Line;
using testing::MemoryOpener;
using testing::RecordingHooks;
using testing::SameTracking;

// The state the main window keeps for one log.
struct Follower {
    ZoneTracking tracking;
    std::string zone;
    std::uint64_t offset = 0;
    std::vector<std::string> selected;

    bool Read(const std::string& path, const ReadLogOptions& options = {}) {
        RecordingHooks hooks(tracking, zone);
        const bool result = ReadLog(tracking, zone, path, offset, hooks, options);
        EXPECT_EQ(hooks.shown, hooks.selected);
        selected.insert(selected.end(), hooks.selected.begin(), hooks.selected.end());
        return result;
    }
};

// What one read of `text` gives when the new text is scanned in one piece.
Follower ReferenceRead(const Follower& start, const std::string& text) {
    Follower f = start;
    const size_t lastLine = text.rfind('\n', std::string::npos);
    if (lastLine == std::string::npos || lastLine + 1 <= f.offset) return f;
    std::string zone = f.zone;
    ScanLogText(f.tracking, text.data() + f.offset, text.data() + lastLine + 1, zone);
    f.offset = lastLine + 1;
    if (zone != f.zone) {
        f.selected.push_back(zone);
        f.zone = zone;
        f.tracking.currentRecord = FindOrAddZoneRecord(f.tracking.table, zone);
    }
    return f;
}

void ExpectSameOutcome(const Follower& a, const Follower& b, const std::string& what) {
    EXPECT_TRUE(SameTracking(a.tracking, b.tracking)) << what;
    EXPECT_EQ(a.zone, b.zone) << what;
    EXPECT_EQ(a.offset, b.offset) << what;
    EXPECT_EQ(a.selected, b.selected) << what;
}

// A start state with a current record, so that positions before the first
// zone change are recorded too.
Follower StartInside(const char* zone) {
    Follower f;
    f.zone = zone;
    f.tracking.currentRecord = FindOrAddZoneRecord(f.tracking.table, zone);
    return f;
}

// ---------------------------------------------------------------------------
// Reading real files.

class ReadLogFile : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string path = folder.File("eqlog_Tester_server.txt");
};

TEST_F(ReadLogFile, WholeLogThenNothingNew) {
    loggen::Generator generator(5);
    std::string text;
    while (text.size() < 10000) generator.AppendLine(text);
    testing::WriteFile(path, text);

    Follower f;
    EXPECT_TRUE(f.Read(path));
    EXPECT_EQ(f.offset, text.size());
    ExpectSameOutcome(f, ReferenceRead(Follower{}, text), "first read");

    const Follower before = f;
    EXPECT_TRUE(f.Read(path));
    ExpectSameOutcome(f, before, "no growth");
}

TEST_F(ReadLogFile, ZoneChangesReachTheWindowOnlyForTheLastZone) {
    testing::WriteFile(path, Line("You have entered Befallen.") + Line("Your Location is 1, 2, 3"));
    Follower f;
    f.Read(path);
    EXPECT_EQ(f.selected, std::vector<std::string>{"Befallen"});
    EXPECT_EQ(f.zone, "Befallen");
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);

    // The arena notice is not a zone change.
    testing::AppendFile(path, Line("You have entered an Arena (PvP) area."));
    f.Read(path);
    EXPECT_EQ(f.selected.size(), 1u);
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);

    // Entering the zone shown resets its trail without selecting it again.
    testing::AppendFile(path, Line("You have entered Befallen."));
    f.Read(path);
    EXPECT_EQ(f.selected.size(), 1u);
    EXPECT_EQ(CurrentPositionCount(f.tracking), 0);

    // Two zone changes in one read: only the last one is selected.
    testing::AppendFile(path, Line("You have entered Greater Faydark.") + Line("Your Location is 4, 5, 6") +
                                  Line("You have entered Lesser Faydark.") + Line("Your Location is 7, 8, 9"));
    f.Read(path);
    EXPECT_EQ(f.selected, (std::vector<std::string>{"Befallen", "Lesser Faydark"}));
    const ZoneRecordTable& table = f.tracking.table;
    ASSERT_EQ(table.recordsInUse, 3);
    EXPECT_EQ(table.storage[1].name, "Greater Faydark");
    EXPECT_EQ(table.storage[1].current.count, 0);  // its position came before a later zone change
    EXPECT_EQ(f.tracking.Current()->name, "Lesser Faydark");
    EXPECT_EQ(f.tracking.Current()->current.count, 1);
    EXPECT_FLOAT_EQ(f.tracking.Current()->current.slots[0].x, 8.0f);
}

TEST_F(ReadLogFile, IncompleteLastLineWaitsForItsEnd) {
    const std::string zoneLine = Line("You have entered Greater Faydark.");
    const std::string locLine = Line("Your Location is 12.34, 5.5, -6");
    const std::string text = Line("You say, 'hi'") + zoneLine + locLine;
    // Cut everywhere, including inside the phrases and the numbers.
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        testing::WriteFile(path, text.substr(0, cut));
        Follower f;
        f.Read(path);
        const size_t lineFeed = cut == 0 ? std::string::npos : text.rfind('\n', cut - 1);
        EXPECT_EQ(f.offset, lineFeed == std::string::npos ? 0u : lineFeed + 1) << cut;
        testing::AppendFile(path, text.substr(cut));
        f.Read(path);
        EXPECT_EQ(f.offset, text.size());
        ASSERT_EQ(f.selected, std::vector<std::string>{"Greater Faydark"}) << cut;
        ASSERT_EQ(CurrentPositionCount(f.tracking), 1) << cut;
        const Position& p = f.tracking.Current()->current.slots[0];
        EXPECT_FLOAT_EQ(p.x, 5.5f);
        EXPECT_FLOAT_EQ(p.y, 12.34f);
        EXPECT_FLOAT_EQ(p.z, -6.0f);
    }
}

TEST_F(ReadLogFile, TruncatedLogIsFollowedFromItsNewEnd) {
    std::string text;
    loggen::Generator generator(9);
    while (text.size() < 5000) generator.AppendLine(text);
    testing::WriteFile(path, text);
    Follower f;
    f.Read(path);
    ASSERT_EQ(f.offset, text.size());

    testing::WriteFile(path, std::string(99, 'x') + "\n");
    const Follower before = f;
    EXPECT_TRUE(f.Read(path));
    EXPECT_EQ(f.offset, 100u);
    EXPECT_TRUE(SameTracking(f.tracking, before.tracking));

    testing::AppendFile(path, Line("You have entered Guk."));
    f.Read(path);
    EXPECT_EQ(f.zone, "Guk");
}

TEST_F(ReadLogFile, MissingLogChangesNothing) {
    Follower f = StartInside("Befallen");
    f.offset = 1234;
    EXPECT_FALSE(f.Read(folder.File("missing.txt")));
    EXPECT_FALSE(f.Read(folder.Folder()));  // a folder is not a log
    EXPECT_FALSE(f.Read(""));
    EXPECT_EQ(f.offset, 1234u);
    EXPECT_TRUE(f.selected.empty());
}

TEST_F(ReadLogFile, LogsOfFourGibibytesAndMoreAreRead) {
    const std::uint64_t hole = (std::uint64_t{5} << 30) + 3;
    std::error_code ec;
    testing::WriteFile(path, "");
    std::filesystem::resize_file(path, hole, ec);
    if (ec) GTEST_SKIP() << "no sparse file here: " << ec.message();
    testing::AppendFile(path, "\n" + Line("You have entered Befallen.") + Line("Your Location is 1, 2, 3"));

    Follower f;
    f.offset = hole;
    EXPECT_TRUE(f.Read(path));
    EXPECT_EQ(f.offset, std::filesystem::file_size(path));
    EXPECT_EQ(f.zone, "Befallen");
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);
    std::filesystem::remove(path, ec);
}

// ---------------------------------------------------------------------------
// Reading in blocks gives what reading in one piece gives.

// Log text dense with everything that may run over a block edge.
std::string TrickyText(loggen::Random& random, size_t size) {
    const std::vector<std::string> pieces = {
        "You have entered ", "Your Location is ", "Returning to ", "You have entered an Arena (PvP) area.",
        "You have entered Befallen.\r\n", "You have entered Greater Faydark.\r\n", "You have entered .\r\n",
        "You have entered \r\n", "You have entered x\n", "Your Location is 1.5, -2.25, 3e1\r\n",
        "Your Location is 12345678901234567890123, 4,\r\n\r\n  5\r\n", "Your Location is abc\n",
        "Your Location is inf, nan, 0x10\r\n", "You have entered " + std::string(253, 'n') + ".\r\n",
        "You have entered " + std::string(254, 'n') + ".\r\n", std::string(300, ' '), std::string("\0\0", 2),
        "\r\n", "\n", " ", "7", ", ", "You", "Your", "Return", "[Mon Jan 01 12:00:00 2024] ", "You say, 'hi'\r\n",
        "You have entered an Arena (PvP)", "RReturning to ", "YYour Location is "};
    std::string text;
    while (text.size() < size) text += pieces[random.Below(static_cast<std::uint32_t>(pieces.size()))];
    return text;
}

Follower BlockRead(const Follower& start, const std::shared_ptr<const std::string>& text, size_t blockSize) {
    Follower f = start;
    ReadLogOptions options;
    options.open = MemoryOpener(text);
    options.blockSize = blockSize;
    EXPECT_TRUE(f.Read("memory", options));
    return f;
}

std::vector<size_t> BlockSizes() {
    std::vector<size_t> sizes;
    for (size_t s = 1; s <= 48; ++s) sizes.push_back(s);
    for (size_t s : {63u, 64u, 100u, 255u, 256u, 257u, 511u, 512u, 513u, 1000u, 4096u, 65536u}) sizes.push_back(s);
    return sizes;
}

TEST(ReadLogBlocks, EveryBlockSizeGivesTheResultOfOneWholeScan) {
    // Texts where a stretch begins right at a position: such a position is
    // current but never a return position.
    const std::vector<std::string> fixed = {
        "Your Location is 1, 2, 3\nReturning to bind.\n",
        "You have entered Your Location is 1, 2, 3\r\nReturning to bind.\n",
        "You have entered an Arena (PvP) area.Your Location is 1, 2, 3\nReturning to bind.\nYou have entered B.\r\n",
        "You have entered Guk.\r\nYour Location is 4 5 6\nYou have entered Your Location is 1, 2, 3\r\n"
        "Your Location is 7 8 9\nReturning to Returning to \n"};
    loggen::Random random(2024);
    for (int round = 0; round < 60 + static_cast<int>(fixed.size()); ++round) {
        auto text = std::make_shared<const std::string>(
            round < static_cast<int>(fixed.size()) ? fixed[static_cast<size_t>(round)]
                                                   : TrickyText(random, 200 + random.Below(1500)));
        for (const Follower& start : {Follower{}, StartInside("Befallen")}) {
            const Follower expected = ReferenceRead(start, *text);
            for (size_t blockSize : BlockSizes()) {
                ExpectSameOutcome(BlockRead(start, text, blockSize), expected,
                                  "round " + std::to_string(round) + " block " + std::to_string(blockSize));
                if (HasFailure()) return;
            }
        }
    }
}

TEST(ReadLogBlocks, GeneratedLogsGiveTheSameRecordsAtEveryBlockSize) {
    loggen::Mix busy;
    busy.zoneChange = 300;
    busy.returnNotice = 300;
    busy.arena = 200;
    busy.quotedPhrase = 500;
    busy.location = 3000;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        loggen::Generator generator(seed, busy);
        std::string log;
        while (log.size() < 20000) generator.AppendLine(log);
        log += "[Mon Jan 01 12:00:00 2024] Your Location is 1, 2";  // still being written
        auto text = std::make_shared<const std::string>(log);
        const Follower expected = ReferenceRead(Follower{}, *text);
        EXPECT_GT(expected.tracking.table.recordsInUse, 3);
        for (size_t blockSize : BlockSizes()) {
            ExpectSameOutcome(BlockRead(Follower{}, text, blockSize), expected,
                              "seed " + std::to_string(seed) + " block " + std::to_string(blockSize));
        }
    }
}

TEST(ReadLogBlocks, ManyPositionsAfterTheLastZoneChange) {
    std::string log = Line("You have entered Befallen.");
    for (int i = 0; i < 100; ++i) log += Line("Your Location is " + std::to_string(i) + ", " + std::to_string(-i) + ", 0");
    log += Line("Returning to bind.");
    auto text = std::make_shared<const std::string>(log);
    const Follower expected = ReferenceRead(Follower{}, *text);
    ASSERT_EQ(CurrentPositionCount(expected.tracking), 23);
    EXPECT_FLOAT_EQ(expected.tracking.Current()->current.slots[0].y, 99.0f);
    EXPECT_FLOAT_EQ(expected.tracking.Current()->returns.slots[0].y, 99.0f);
    for (size_t blockSize : {1u, 7u, 64u, 4096u}) ExpectSameOutcome(BlockRead(Follower{}, text, blockSize), expected, "");
}

// A source that reports the largest request it gets and when it is closed.
class SpySource final : public LogSource {
public:
    SpySource(std::shared_ptr<const std::string> text, size_t& largest, bool& open)
        : inner_(std::move(text)), largest_(largest), open_(open) {
        open_ = true;
    }
    ~SpySource() override { open_ = false; }
    bool Size(std::uint64_t& size) override { return inner_.Size(size); }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        largest_ = std::max(largest_, n);
        return inner_.ReadAt(offset, buffer, n);
    }

private:
    testing::MemorySource inner_;
    size_t& largest_;
    bool& open_;
};

TEST(ReadLogBlocks, MemoryStaysBoundedAndTheFileIsClosedBeforeTheWindowHears) {
    loggen::Generator generator(3);
    std::string log;
    while (log.size() < (1u << 20)) generator.AppendLine(log);
    log += Line("You have entered Guk.");
    auto text = std::make_shared<const std::string>(log);
    size_t largest = 0;
    bool open = false;

    struct ClosedCheck final : LogHooks {
        bool& open;
        bool sawOpen = false;
        explicit ClosedCheck(bool& o) : open(o) {}
        void ShowZoneName(const std::string&) override { sawOpen |= open; }
        void SelectZoneMap(const std::string&) override { sawOpen |= open; }
    } hooks(open);

    ReadLogOptions options;
    options.blockSize = 4096;
    options.open = [&](const std::string&) -> std::unique_ptr<LogSource> {
        return std::make_unique<SpySource>(text, largest, open);
    };
    ZoneTracking tracking;
    std::uint64_t offset = 0;
    ReadLogStats stats;
    options.stats = &stats;
    EXPECT_TRUE(ReadLog(tracking, "", "spy", offset, hooks, options));
    EXPECT_EQ(offset, text->size());
    EXPECT_EQ(stats.bytesConsumed, text->size());
    EXPECT_LE(largest, 4096u);
    EXPECT_FALSE(open);
    EXPECT_FALSE(hooks.sawOpen);
}

// A file that shrinks while it is read delivers fewer bytes than its size.
class ShrinkingSource final : public LogSource {
public:
    ShrinkingSource(std::shared_ptr<const std::string> text, size_t delivered)
        : text_(std::move(text)), delivered_(delivered) {}
    bool Size(std::uint64_t& size) override {
        size = text_->size();
        return true;
    }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        const size_t available = reads_++ == 0 ? text_->size() : delivered_;  // shrinks after the first read
        if (offset >= available) return 0;
        const size_t count = std::min<size_t>(n, available - static_cast<size_t>(offset));
        std::memcpy(buffer, text_->data() + offset, count);
        return count;
    }

private:
    std::shared_ptr<const std::string> text_;
    size_t delivered_;
    int reads_ = 0;
};

TEST(ReadLogBlocks, BytesTheFileDoesNotDeliverAreNotSkipped) {
    const std::string log = Line("You have entered Befallen.") + Line("Your Location is 1, 2, 3");
    auto text = std::make_shared<const std::string>(log + std::string(1000, '\n'));
    ReadLogOptions options;
    options.blockSize = 16;
    options.open = [&](const std::string&) -> std::unique_ptr<LogSource> {
        return std::make_unique<ShrinkingSource>(text, log.size());
    };
    Follower f;
    EXPECT_TRUE(f.Read("shrinking", options));
    EXPECT_EQ(f.offset, log.size());  // not the size the file claimed
    EXPECT_EQ(f.zone, "Befallen");
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);
}

}  // namespace
}  // namespace tolvik
