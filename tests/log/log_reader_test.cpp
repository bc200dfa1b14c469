#include "log/log_reader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "../../tools/log_generator.h"
#include "log/log_test_support.h"
#include "log/scanner.h"

namespace tolvik {
namespace {

using testing::Follower;
using testing::Line;
using testing::SameTracking;

Follower StartInside(const char* zone) {
    Follower f;
    f.zone = zone;
    f.tracking.currentRecord = FindOrAddZoneRecord(f.tracking.table, zone);
    return f;
}

// One read of the complete lines of `text`, scanned in one piece.
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

TEST(ReadLogFile, GrowthNoGrowthTruncationAndMissingFiles) {
    testing::TempFolder folder;
    const std::string path = folder.File("eqlog_Tester_server.txt");
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

TEST(ReadLogFile, IncompleteLastLineWaitsForItsEnd) {
    testing::TempFolder folder;
    const std::string path = folder.File("eqlog_Tester_server.txt");
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

Follower BlockRead(const Follower& start, const std::shared_ptr<const std::string>& text, size_t blockSize) {
    Follower f = start;
    ReadLogOptions options;
    options.open = [&](const std::string&) { return std::make_unique<testing::MemorySource>(text); };
    options.blockSize = blockSize;
    EXPECT_TRUE(f.Read("memory", options));
    return f;
}

// Text dense with everything that may run over a block edge.
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
    // Stretches starting at a position, a full trail, busy logs ending mid-line, random tricky text.
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

TEST(ZoneRecordTable, GrowsPastNinetyNineAndTheCurrentIndexStaysValid) {
    ZoneTracking tracking;
    tracking.currentRecord = FindOrAddZoneRecord(tracking.table, "zone 0");
    tracking.Current()->current.count = 3;
    for (int i = 1; i < 5000; ++i) FindOrAddZoneRecord(tracking.table, "zone " + std::to_string(i));
    EXPECT_EQ(tracking.table.recordsInUse, 5000);
    EXPECT_EQ(tracking.Current()->name, "zone 0");
    EXPECT_EQ(CurrentPositionCount(tracking), 3);
    for (int i = 0; i < 5000; i += 499) EXPECT_EQ(FindOrAddZoneRecord(tracking.table, "zone " + std::to_string(i)), i);
    EXPECT_EQ(tracking.table.recordsInUse, 5000);
}

}  // namespace
}  // namespace tolvik
