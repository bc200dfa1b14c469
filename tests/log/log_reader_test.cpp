#include "log/log_reader.h"

#include <gtest/gtest.h>

#include <initializer_list>
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
using testing::SameTracking;

// The state the main window keeps for one log; its hooks act like the window.
struct Follower : LogHooks {
    ZoneTracking tracking;
    std::string zone;
    std::uint64_t offset = 0;
    std::vector<std::string> selected;
    int shown = 0;

    void ShowZoneName(const std::string&) override { ++shown; }
    void SelectZoneMap(const std::string& name) override {
        selected.push_back(name);
        zone = name;
        tracking.currentRecord = FindOrAddZoneRecord(tracking.table, name);
    }
    bool Read(const std::string& path, const ReadLogOptions& options = {}) {
        const bool result = ReadLog(tracking, zone, path, offset, *this, options);
        EXPECT_EQ(static_cast<size_t>(shown), selected.size());
        return result;
    }
};

Follower StartInside(const char* zone) {
    Follower f;
    f.zone = zone;
    f.tracking.currentRecord = FindOrAddZoneRecord(f.tracking.table, zone);
    return f;
}

// What one read of `text` gives when its complete lines are scanned in one piece.
Follower ReferenceRead(const Follower& start, const std::string& text) {
    Follower f = start;
    const size_t lastLine = text.rfind('\n');
    if (lastLine == std::string::npos || lastLine + 1 <= f.offset) return f;
    std::string zone = f.zone;
    ScanLogText(f.tracking, text.data() + f.offset, text.data() + lastLine + 1, zone);
    f.offset = lastLine + 1;
    if (zone != f.zone) {
        f.SelectZoneMap(zone);
        ++f.shown;
    }
    return f;
}

void ExpectSameOutcome(const Follower& a, const Follower& b, const std::string& what) {
    EXPECT_TRUE(SameTracking(a.tracking, b.tracking)) << what;
    EXPECT_EQ(a.zone, b.zone) << what;
    EXPECT_EQ(a.offset, b.offset) << what;
    EXPECT_EQ(a.selected, b.selected) << what;
}

std::string GeneratedLog(std::uint64_t seed, size_t size, const loggen::Mix& mix = {}) {
    loggen::Generator generator(seed, mix);
    std::string text;
    while (text.size() < size) generator.AppendLine(text);
    return text;
}

class ReadLogFile : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string path = folder.File("eqlog_Tester_server.txt");
};

TEST_F(ReadLogFile, GrowthNoGrowthTruncationAndMissingFiles) {
    const std::string text = GeneratedLog(5, 10000);
    testing::WriteFile(path, text);
    Follower f;
    EXPECT_TRUE(f.Read(path));
    ExpectSameOutcome(f, ReferenceRead(Follower{}, text), "first read");
    EXPECT_EQ(f.offset, text.size());
    Follower before = f;
    EXPECT_TRUE(f.Read(path));
    ExpectSameOutcome(f, before, "no growth");

    // A shorter file is followed from its new end.
    testing::WriteFile(path, std::string(99, 'x') + "\n");
    EXPECT_TRUE(f.Read(path));
    EXPECT_EQ(f.offset, 100u);
    EXPECT_TRUE(SameTracking(f.tracking, before.tracking));
    testing::AppendFile(path, Line("You have entered Guk."));
    f.Read(path);
    EXPECT_EQ(f.zone, "Guk");

    // A missing file, a folder or no name change nothing.
    before = f;
    for (const std::string& missing : {folder.File("missing.txt"), folder.Folder(), std::string()}) {
        EXPECT_FALSE(f.Read(missing)) << missing;
        ExpectSameOutcome(f, before, missing);
    }
}

TEST_F(ReadLogFile, OnlyTheLastZoneOfAReadIsSelected) {
    testing::WriteFile(path, Line("You have entered Befallen.") + Line("Your Location is 1, 2, 3") +
                                 Line("You have entered an Arena (PvP) area."));
    Follower f;
    f.Read(path);
    EXPECT_EQ(f.selected, std::vector<std::string>{"Befallen"});
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);

    // Entering the zone shown resets its trail without selecting it again.
    testing::AppendFile(path, Line("You have entered Befallen."));
    f.Read(path);
    EXPECT_EQ(f.selected.size(), 1u);
    EXPECT_EQ(CurrentPositionCount(f.tracking), 0);

    testing::AppendFile(path, Line("You have entered Greater Faydark.") + Line("Your Location is 4, 5, 6") +
                                  Line("You have entered Lesser Faydark.") + Line("Your Location is 7, 8, 9"));
    f.Read(path);
    EXPECT_EQ(f.selected, (std::vector<std::string>{"Befallen", "Lesser Faydark"}));
    ASSERT_EQ(f.tracking.table.recordsInUse, 3);
    EXPECT_EQ(f.tracking.table.storage[1].current.count, 0);  // its position came before a later zone change
    EXPECT_EQ(f.tracking.Current()->name, "Lesser Faydark");
    EXPECT_EQ(CurrentPositionCount(f.tracking), 1);
}

TEST_F(ReadLogFile, IncompleteLastLineWaitsForItsEnd) {
    const std::string text =
        Line("You say, 'hi'") + Line("You have entered Greater Faydark.") + Line("Your Location is 12.34, 5.5, -6");
    // Cut everywhere, including inside the phrases and the numbers.
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        testing::WriteFile(path, text.substr(0, cut));
        Follower f;
        f.Read(path);
        const size_t lineFeed = cut == 0 ? std::string::npos : text.rfind('\n', cut - 1);
        EXPECT_EQ(f.offset, lineFeed == std::string::npos ? 0u : lineFeed + 1) << cut;
        testing::AppendFile(path, text.substr(cut));
        f.Read(path);
        ExpectSameOutcome(f, ReferenceRead(Follower{}, text), "cut " + std::to_string(cut));
        ASSERT_EQ(CurrentPositionCount(f.tracking), 1) << cut;
        EXPECT_FLOAT_EQ(f.tracking.Current()->current.slots[0].y, 12.34f);
    }
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

// A log in memory that reports the largest request, whether it is open, and
// may deliver fewer bytes than its size (a file shrinking while read).
class SpySource final : public testing::MemorySource {
public:
    SpySource(std::shared_ptr<const std::string> text, size_t& largest, bool& open, size_t delivered)
        : MemorySource(std::move(text)), largest_(largest), open_(open), delivered_(delivered) {
        open_ = true;
    }
    ~SpySource() override { open_ = false; }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        largest_ = std::max(largest_, n);
        if (reads_++ > 0 && offset + n > delivered_) n = offset < delivered_ ? delivered_ - offset : 0;
        return MemorySource::ReadAt(offset, buffer, n);
    }

private:
    size_t& largest_;
    bool& open_;
    size_t delivered_;
    int reads_ = 0;
};

Follower BlockRead(const Follower& start, const std::shared_ptr<const std::string>& text, size_t blockSize) {
    Follower f = start;
    ReadLogOptions options;
    options.open = [&](const std::string&) { return std::make_unique<testing::MemorySource>(text); };
    options.blockSize = blockSize;
    EXPECT_TRUE(f.Read("memory", options));
    return f;
}

// Log text dense with everything that may run over a block edge.
std::string TrickyText(loggen::Random& random, size_t size) {
    const std::vector<std::string> pieces = {
        "You have entered ", "Your Location is ", "Returning to ", "You have entered an Arena (PvP) area.",
        "You have entered Befallen.\r\n", "You have entered .\r\n", "You have entered \r\n", "You have entered x\n",
        "Your Location is 1.5, -2.25, 3e1\r\n", "Your Location is 12345678901234567890123, 4,\r\n\r\n  5\r\n",
        "Your Location is inf, nan, 0x10\r\n", "You have entered " + std::string(253, 'n') + ".\r\n",
        "You have entered " + std::string(254, 'n') + ".\r\n", std::string(300, ' '), std::string("\0\0", 2), "\r\n",
        "\n", "7", ", ", "You", "Your", "Return", "[Mon Jan 01 12:00:00 2024] ", "RReturning to ", "YYour Location is "};
    std::string text;
    while (text.size() < size) text += pieces[random.Below(static_cast<std::uint32_t>(pieces.size()))];
    return text;
}

TEST(ReadLogBlocks, EveryBlockSizeGivesTheResultOfOneWholeScan) {
    // Stretches that begin right at a position (current, never a return
    // position), a full trail, busy generated logs ending in a line still
    // being written, and random tricky text.
    std::vector<std::string> texts = {
        "Your Location is 1, 2, 3\nReturning to bind.\n",
        "You have entered Your Location is 1, 2, 3\r\nReturning to bind.\n",
        "You have entered an Arena (PvP) area.Your Location is 1, 2, 3\nReturning to bind.\nYou have entered B.\r\n",
        "You have entered Guk.\r\nYour Location is 4 5 6\nYou have entered Your Location is 1, 2, 3\r\n"
        "Your Location is 7 8 9\nReturning to Returning to \n"};
    texts.push_back(Line("You have entered Befallen."));
    for (int i = 0; i < 100; ++i) texts.back() += Line("Your Location is " + std::to_string(i) + ", 1, 0");
    texts.back() += Line("Returning to bind.");
    loggen::Mix busy;
    busy.zoneChange = busy.returnNotice = 300;
    busy.arena = 200;
    busy.quotedPhrase = 500;
    busy.location = 3000;
    for (std::uint64_t seed = 1; seed <= 3; ++seed)
        texts.push_back(GeneratedLog(seed, 20000, busy) + "[Mon Jan 01 12:00:00 2024] Your Location is 1, 2");
    loggen::Random random(2024);
    for (int round = 0; round < 60; ++round) texts.push_back(TrickyText(random, 200 + random.Below(1500)));

    std::vector<size_t> sizes;
    for (size_t s = 1; s <= 48; ++s) sizes.push_back(s);
    for (size_t s : {63u, 64u, 255u, 256u, 257u, 512u, 1000u, 4096u, 65536u}) sizes.push_back(s);
    for (size_t t = 0; t < texts.size(); ++t) {
        const auto text = std::make_shared<const std::string>(texts[t]);
        for (const Follower& start : {Follower{}, StartInside("Befallen")}) {
            const Follower expected = ReferenceRead(start, *text);
            for (size_t blockSize : sizes) {
                ExpectSameOutcome(BlockRead(start, text, blockSize), expected,
                                  "text " + std::to_string(t) + " block " + std::to_string(blockSize));
                if (HasFailure()) return;
            }
        }
    }
}

TEST(ReadLogBlocks, FileIsClosedBeforeTheWindowHearsAndUndeliveredBytesAreNotSkipped) {
    const std::string log = GeneratedLog(3, 1u << 20) + Line("You have entered Guk.");
    auto text = std::make_shared<const std::string>(log + std::string(1000, '\n'));
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
    options.open = [&](const std::string&) { return std::make_unique<SpySource>(text, largest, open, log.size()); };
    ReadLogStats stats;
    options.stats = &stats;
    ZoneTracking tracking;
    std::uint64_t offset = 0;
    EXPECT_TRUE(ReadLog(tracking, "", "spy", offset, hooks, options));
    EXPECT_EQ(offset, log.size());  // not the size the file claimed
    EXPECT_EQ(stats.bytesConsumed, log.size());
    EXPECT_LE(largest, 4096u);
    EXPECT_FALSE(open);
    EXPECT_FALSE(hooks.sawOpen);
}

}  // namespace
}  // namespace tolvik
