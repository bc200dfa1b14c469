#include "log/log_reader.h"

#include <gtest/gtest.h>

#include "../../tools/log_generator.h"
#include "log/log_test_support.h"
#include "log/scanner.h"
#include "support/log_oracle.h"

namespace tolvik {
namespace {

using testing::Corpse;
using testing::Follower;
using testing::Line;

// Every stored byte that matters, including the trail slots past the counts.
::testing::AssertionResult SameTracking(const ZoneTracking& a, const ZoneTracking& b) {
    if (a.currentRecord != b.currentRecord || a.table.recordsInUse != b.table.recordsInUse)
        return ::testing::AssertionFailure() << "current record or records in use differ";
    for (int i = 0; i < a.table.recordsInUse; ++i) {
        const ZoneRecord &r = a.table.storage[i], &s = b.table.storage[i];
        for (auto [p, q] : {std::pair{&r.current, &s.current}, std::pair{&r.returns, &s.returns}})
            if (r.name != s.name || p->count != q->count || std::memcmp(p->slots.data(), q->slots.data(), sizeof p->slots))
                return ::testing::AssertionFailure() << "record " << i << " (" << r.name << ") differs";
    }
    return ::testing::AssertionSuccess();
}

// One read of the complete lines of `text` from the cursor's offset, by the oracle's whole-text scan.
Follower ReferenceRead(const Follower& start, const std::string& text) {
    Follower f = start;
    const size_t lastLine = text.rfind('\n');
    if (lastLine == std::string::npos || lastLine + 1 <= f.cursor.offset) return f;
    std::string zone = f.zone;
    oracle::ScanLogText(f.tracking, text.data() + f.cursor.offset, text.data() + lastLine + 1, zone, f);
    f.cursor.offset = lastLine + 1;
    if (zone != f.zone) f.SelectZoneMap(zone), ++f.shown;
    return f;
}

void ExpectSameOutcome(const Follower& a, const Follower& b, const std::string& what) {
    EXPECT_TRUE(SameTracking(a.tracking, b.tracking)) << what;
    EXPECT_EQ(std::tie(a.zone, a.cursor.offset, a.selected, a.corpses), std::tie(b.zone, b.cursor.offset, b.selected, b.corpses))
        << what;
}

std::string GeneratedLog(std::uint64_t seed, size_t size, const loggen::Mix& mix = {}) {
    loggen::Generator generator(seed, mix);
    std::string text;
    while (text.size() < size) generator.AppendLine(text);
    return text;
}

ReadLogOptions FromMemory(const std::shared_ptr<const std::string>& text, size_t blockSize = 0) {
    ReadLogOptions options;
    options.open = [text](const std::string&) { return std::make_unique<test::MemoryLogSource>(text); };
    if (blockSize) options.blockSize = blockSize;
    return options;
}

TEST(ReadLogFile, GrowthNoGrowthCutBackAndMissingFiles) {
    test::TempFolder folder("log");
    const std::string text = GeneratedLog(5, 10000), path = folder.Write("eqlog_Tester_server.txt", text);
    Follower f;
    EXPECT_TRUE(f.Read(path) && f.cursor.offset == text.size());
    ExpectSameOutcome(f, ReferenceRead(Follower{}, text), "first read");
    Follower before = f;
    EXPECT_TRUE(f.Read(path));
    ExpectSameOutcome(f, before, "no growth");
    // Cut back to its first 40 bytes, the same beginning: what it holds was read; what comes after is read once.
    test::WriteFile(path, text.substr(0, 40));
    EXPECT_TRUE(f.Read(path) && f.cursor.offset == 40u);
    EXPECT_TRUE(SameTracking(f.tracking, before.tracking));
    test::AppendFile(path, Line("You have entered Guk."));
    f.Read(path);
    EXPECT_TRUE(f.zone == "Guk" && f.selected.size() == before.selected.size() + 1);
    // A missing file, a folder or no name change nothing.
    before = f;
    for (const std::string& missing : {folder / "missing.txt", folder.path(), std::string()}) {
        EXPECT_FALSE(f.Read(missing)) << missing;
        ExpectSameOutcome(f, before, missing);
    }
}

// Another file takes the log's place between two polls: moved over it (the same first bytes: only its identity
// tells), deleted and created again, cut and refilled past the old offset. It is read once, after the old file.
TEST(ReadLogFile, ReplacedLogIsReadFromItsStartIntoTheSameRecords) {
    const std::string old = Line("You have entered Befallen.") + Line("Your Location is 1, 2, 3") +
                            Line("You have entered Guk.") + Line("Your Location is 4, 5, 6") + Line(std::string(500, '.'));
    const std::string tail = Line("Your Location is 7, 8, 9") + Line("You have been slain by a frog!") +
                             Line("You have entered Befallen.") + Line("Your Location is 10, 11, 12") +
                             Line("Returning to your bind point.") + Line("Your Location is 13, 14, 15") +
                             std::string(500, '.');  // still being written
    for (int way = 0; way < 3; ++way) {
        test::TempFolder folder("log");
        const std::string path = folder.Write("eqlog_Tester_server.txt", old);
        const std::string text = way == 0 ? old.substr(0, kFingerprintBytes) + "\r\n" + tail : Line("You have entered Guk.") + tail;
        LogIdentity identity;  // Windows' C library has no file serial numbers; its own source is tested by itself
        if (way == 0 && !OpenStdLogSource(path)->Identity(identity)) continue;
        Follower f, expected = ReferenceRead(Follower{}, old);
        f.Read(path);
        if (way == 0) std::filesystem::rename(folder.Write("new.txt", text), path);
        if (way == 1) std::filesystem::remove(path);
        if (way != 0) test::WriteFile(path, text);
        f.Read(path);
        expected.cursor.offset = 0;
        ExpectSameOutcome(f, ReferenceRead(expected, text), "way " + std::to_string(way));
        EXPECT_EQ(f.corpses.size(), 1u) << way;
    }
}

// A line the game is still writing is searched for its end once: a poll reads only what was added since.
TEST(ReadLogMemory, PendingLineIsNotSearchedAgain) {
    auto text = std::make_shared<std::string>(Line("You have entered Guk.") + "[Mon Jan 01 12:00:00 2024] " +
                                              "Your Location is 1, 2, 3 " + std::string(1 << 20, 'x'));
    std::size_t bytesRead = 0;
    ReadLogOptions options;
    options.open = [&](const std::string&) { return std::make_unique<test::MemoryLogSource>(text, &bytesRead); };
    Follower f;
    f.Read("memory", options);
    for (int poll = 0; poll < 3; ++poll) {
        *text += std::string(100, 'y');
        bytesRead = 0;
        f.Read("memory", options);
        EXPECT_LE(bytesRead, kFingerprintBytes + 100) << poll;
    }
    *text += "\r\n";
    f.Read("memory", options);
    EXPECT_EQ(f.cursor.offset, text->size());
    EXPECT_TRUE(f.tracking.Current()->current.count == 1 && f.tracking.Current()->current.slots[0].y == 1.0f);
}

// A death marks the corpse only where the message begins, at the last position since the zone was entered, however
// the lines arrive: in one read, or in two polls cut at every byte (a partial last line waits for its end).
TEST(ReadLogMemory, DeathsMarkTheCorpseWhereTheMessageBegins) {
    const std::string text =
        Line("You have entered Befallen.") + Line("You have been slain by a rat!") +  // no position yet
        Line("Your Location is 10, 20, 30") + Line("Soandso says, 'You have been slain by a gnoll'") +
        "You have been slain by a bat!\r\n" +                                       // a line without a time
        "[Mon Jan 01 12:00:00 2024] You have been slain by a toad!\r\n" +          // the usual line
        Line("Your Location is 11, 21, 31") + "[a] b] You have been slain by an imp\r\n" +  // after the second "] "
        "[no bracket You have been slain by an orc\r\n" + "[] You have been slain by a bear\r\n" +
        Line("You have entered Guk.") + Line("You have been slain by a frog!") +  // no position since
        Line("Your Location is 1, 2, 3") + Line("You have entered Befallen.") + Line("Your Location is 4, 5, 6");
    const std::vector<Corpse> expected = {{"Befallen", {20, 10, 30}}, {"Befallen", {20, 10, 30}},
                                          {"Befallen", {21, 11, 31}}};
    Follower whole;
    whole.Read("memory", FromMemory(std::make_shared<const std::string>(text)));
    EXPECT_EQ(whole.corpses, expected);
    for (size_t cut = 0; cut <= text.size() && !HasFailure(); ++cut) {
        Follower f;
        f.Read("memory", FromMemory(std::make_shared<const std::string>(text, 0, cut)));
        const size_t lineFeed = cut == 0 ? std::string::npos : text.rfind('\n', cut - 1);
        EXPECT_EQ(f.cursor.offset, lineFeed == std::string::npos ? 0u : lineFeed + 1) << cut;
        f.Read("memory", FromMemory(std::make_shared<const std::string>(text)));
        // Trail slots past the count may differ: a stretch left before a zone change is not recorded.
        const LocationTrail &t = f.tracking.Current()->current, &w = whole.tracking.Current()->current;
        EXPECT_TRUE(t.count == w.count && !std::memcmp(t.slots.data(), w.slots.data(), sizeof(Position) * t.count)) << cut;
        EXPECT_TRUE(f.corpses == expected && f.zone == whole.zone) << cut;
    }
}

TEST(ReadLogBlocks, EveryKernelAndBlockSizeGivesTheResultOfOneWholeScan) {
    // Stretches starting at a position, a full trail, busy logs ending mid-line; random text is the fuzz corpus's.
    std::vector<std::string> texts = {"Your Location is 1, 2, 3\nReturning to bind.\n",
        "You have entered Your Location is 1, 2, 3\r\nReturning to bind.\n",
        "You have entered an Arena (PvP) area.Your Location is 1, 2, 3\nReturning to bind.\nYou have entered B.\r\n",
        "You have entered Guk.\r\nYour Location is 4 5 6\nYou have entered Your Location is 1, 2, 3\r\n"
        "Your Location is 7 8 9\nReturning to Returning to \n"};
    texts.push_back(Line("You have entered Befallen."));
    for (int i = 0; i < 100; ++i) texts.back() += Line("Your Location is " + std::to_string(i) + ", 1, 0");
    texts.back() += Line("Returning to bind.") + Line("You have been slain by a rat");
    loggen::Mix busy;
    busy.zoneChange = busy.returnNotice = busy.death = 300;
    busy.arena = 200, busy.quotedPhrase = 500, busy.location = 3000;
    for (std::uint64_t seed = 1; seed <= 3; ++seed)
        texts.push_back(GeneratedLog(seed, 20000, busy) + "[Mon Jan 01 12:00:00 2024] Your Location is 1, 2");

    std::vector<size_t> sizes = {63, 64, 255, 256, 257, 512, 1000, 4096, 65536};
    for (size_t s = 1; s <= 52; ++s) sizes.push_back(s);
    Follower inside;  // already in a zone
    inside.zone = "Befallen", inside.tracking.currentRecord = FindOrAddZoneRecord(inside.tracking.table, "Befallen");
    const ScanKernel best = ActiveScanKernel();
    for (ScanKernel kernel : kScanKernels) {
        if (!SetScanKernel(kernel)) continue;
        for (size_t t = 0; t < texts.size() && !HasFailure(); ++t) {
            const auto text = std::make_shared<const std::string>(texts[t]);
            for (const Follower& start : {Follower{}, inside}) {
                const Follower expected = ReferenceRead(start, *text);
                for (size_t blockSize : sizes) {
                    Follower f = start;
                    EXPECT_TRUE(f.Read("memory", FromMemory(text, blockSize)));
                    ExpectSameOutcome(f, expected, ScanKernelName(kernel) + (" text " + std::to_string(t)) + " block " + std::to_string(blockSize));
                    if (HasFailure()) break;
                }
            }
        }
    }
    SetScanKernel(best);
}

}  // namespace
}  // namespace tolvik
