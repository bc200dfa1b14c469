// Trails, the Zone Record Table, position text, phrase search and scanning.
#include "log/scanner.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <cfloat>
#include <cmath>
#include <string>

#include "../../tools/log_generator.h"
#include "log/log_test_support.h"

namespace tolvik {
namespace {

using testing::Line;

const char* End(const std::string& s) { return s.data() + s.size(); }

void ExpectPosition(const Position& p, float x, float y, float z, const std::string& what = "") {
    EXPECT_FLOAT_EQ(p.x, x) << what;
    EXPECT_FLOAT_EQ(p.y, y) << what;
    EXPECT_FLOAT_EQ(p.z, z) << what;
}

TEST(PushPosition, NewestFirstAndCountStopsAt23) {
    LocationTrail trail;
    for (int i = 1; i <= 30; ++i) {
        PushPosition(trail, Position{static_cast<float>(i), 0, 0});
        EXPECT_EQ(trail.count, std::min(i, 23));
    }
    for (int slot = 0; slot < 23; ++slot) EXPECT_EQ(trail.slots[static_cast<size_t>(slot)].x, 30.0f - slot);
    EXPECT_EQ(trail.slots[23].x, 7.0f);  // the spare slot only receives what falls out of slot 22
}

TEST(ZoneRecordTable, AddsOnceComparesExactlyAndClearKeepsTheCurrentSlotValid) {
    ZoneTracking tracking;
    EXPECT_EQ(CurrentPositionCount(tracking), 0);  // no Current Zone Record
    ZoneRecordTable& table = tracking.table;
    EXPECT_EQ(FindOrAddZoneRecord(table, "Befallen"), 0);
    EXPECT_EQ(FindOrAddZoneRecord(table, "Befallen"), 0);
    EXPECT_EQ(FindOrAddZoneRecord(table, "befallen"), 1);
    tracking.currentRecord = FindOrAddZoneRecord(table, "");
    EXPECT_EQ(tracking.currentRecord, 2);
    tracking.Current()->current.count = 5;
    tracking.Current()->current.slots[0] = Position{1, 2, 3};
    EXPECT_EQ(CurrentPositionCount(tracking), 5);

    ClearZoneRecords(table);
    EXPECT_EQ(table.recordsInUse, 0);
    ASSERT_NE(tracking.Current(), nullptr);
    EXPECT_EQ(CurrentPositionCount(tracking), 0);
    // Names are asked for afresh from record 0, with all positions zero.
    EXPECT_EQ(FindOrAddZoneRecord(table, "Guk"), 0);
    EXPECT_EQ(FindOrAddZoneRecord(table, "befallen"), 1);
    EXPECT_EQ(FindOrAddZoneRecord(table, "Befallen"), 2);
    EXPECT_EQ(table.storage[2].current.slots[0].x, 0.0f);
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

TEST(ReadPosition, GameOrderTokensAndRanges) {
    struct Case {
        const char* text;
        float x, y, z;
    };
    for (const Case& c : {
             Case{"1534.56, -220.13, 3.75\r\n", -220.13f, 1534.56f, 3.75f},  // the game writes y, x, z
             Case{"abc 5 6", 5, 0, 6},                                        // not a number: 0
             Case{"inf nan 0x1A", 0, 0, 0},                                   // only the decimal form converts
             Case{"-INF, NAN, +.5e1", 0, 0, 5},
             Case{"1e39, -1e300, 1e-60", -FLT_MAX, FLT_MAX, 0},              // clamped to the single range
             Case{"1, 2\r\n[Mon Jan 01 12:00:00 2024] You say", 2, 1, 0},    // missing tokens from later lines
             Case{"  \t 7,\r\n\r\n 8,\n9 tail", 8, 7, 9},
             Case{"1, 2", 2, 1, 0},
             Case{"", 0, 0, 0},
             // Only the first 19 characters of a token count.
             Case{"12345678901234567899999 0.000000000000000001234 3", 0, 1234567890123456789.0f, 3},
         }) {
        const std::string text = c.text;
        ExpectPosition(ReadPosition(text.data(), End(text)), c.x, c.y, c.z, text);
    }
}

TEST(ReadPosition, PiecesGiveTheSameResultAsTheWhole) {
    const std::string text = " -1534.5678,\r\n 220.13e1x,   3.75000000000000000009 more";
    const Position whole = ReadPosition(text.data(), End(text));
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        for (size_t cut2 = cut; cut2 <= text.size(); cut2 += 3) {
            PositionReader reader;
            if (!reader.Feed(text.data(), text.data() + cut) && !reader.Feed(text.data() + cut, text.data() + cut2))
                reader.Feed(text.data() + cut2, End(text));
            const Position p = reader.Result();
            ASSERT_EQ(std::memcmp(&p, &whole, sizeof p), 0) << cut << " " << cut2;
        }
    }
}

TEST(FindNextPhrase, AgreesWithPlainSearchEverywhere) {
    const std::pair<const char*, Phrase> phrases[] = {{kZoneMark, Phrase::ZoneMark},
                                                       {kLocationPhrase, Phrase::Location},
                                                       {kReturnNotice, Phrase::ReturnNotice}};
    // Text dense with near misses of all three phrases.
    const char* pieces[] = {kZoneMark,     kLocationPhrase,  kReturnNotice,  "You have entere",     "Your Locatio",
                            "Returning t", "You ",           "Ret",          "YYou have entered ", "RReturning to ",
                            "x",           "\r\n",           "h",            "L"};
    loggen::Random random(42);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        while (text.size() < 300) text += pieces[random.Below(sizeof pieces / sizeof pieces[0])];
        for (size_t from = 0; from < text.size(); from += 1 + random.Below(7)) {
            const char* limit = text.data() + from + random.Below(static_cast<std::uint32_t>(text.size() - from + 1));
            const char* naive = limit;
            Phrase naiveWhich = Phrase::None, which;
            for (const char* p = text.data() + from; p < limit && naiveWhich == Phrase::None; ++p) {
                for (auto [phrase, kind] : phrases) {
                    if (text.compare(static_cast<size_t>(p - text.data()), std::strlen(phrase), phrase) == 0) {
                        naive = p;
                        naiveWhich = kind;
                        break;
                    }
                }
            }
            ASSERT_EQ(FindNextPhrase(text.data() + from, limit, End(text), which), naive) << round << " " << from;
            ASSERT_EQ(which, naiveWhich);
        }
    }
}

TEST(ScanToNextZoneMark, CurrentAndReturnPositions) {
    const std::string head = Line("Your Location is 1, 1, 1") + Line("Your Location is 2, 2, 2") +
                             Line("Returning to your bind point.") + Line("Your Location is 3, 3, 3") +
                             Line("Returning to bind.");  // only the first notice counts
    // Without a zone change every position is current.
    ZoneRecord open;
    EXPECT_EQ(ScanToNextZoneMark(head.data(), End(head), &open), End(head));
    EXPECT_EQ(open.current.count, 3);
    ExpectPosition(open.current.slots[0], 3, 3, 3);
    ASSERT_EQ(open.returns.count, 1);
    ExpectPosition(open.returns.slots[0], 2, 2, 2);

    // Before a zone change positions are not current; a notice after the
    // mark waits for the next stretch.
    const std::string text = head + Line("You have entered Befallen.") + Line("Returning to bind.");
    ZoneRecord closed;
    EXPECT_EQ(ScanToNextZoneMark(text.data(), End(text), &closed), text.data() + text.find("You have entered "));
    EXPECT_EQ(closed.current.count, 0);
    EXPECT_EQ(closed.returns.count, 1);
    EXPECT_EQ(ScanToNextZoneMark(text.data(), End(text), nullptr), text.data() + text.find("You have entered "));

    // A position right at the start of the stretch is never a return position.
    const std::string atStart = "Your Location is 1, 1, 1\r\nReturning to bind.\r\n";
    ZoneRecord first;
    ScanToNextZoneMark(atStart.data(), End(atStart), &first);
    EXPECT_EQ(first.returns.count, 0);
    EXPECT_EQ(first.current.count, 1);
}

TEST(ScanToNextZoneMark, ArenaNoticesAndUnusableZoneLinesAreNotZoneChanges) {
    const std::string text = Line("Your Location is 1, 1, 1") + Line("You have entered an Arena (PvP) area.") +
                             Line("You have entered ") + Line("You have entered " + std::string(300, 'z')) +
                             Line("Your Location is 2, 2, 2") + Line("Returning to bind.");
    ZoneRecord record;
    EXPECT_EQ(ScanToNextZoneMark(text.data(), End(text), &record), End(text));
    EXPECT_EQ(record.current.count, 2);
    ASSERT_EQ(record.returns.count, 1);
    ExpectPosition(record.returns.slots[0], 2, 2, 2);
}

TEST(ScanLogText, ZoneChangesSwitchAndResetRecords) {
    ZoneTracking tracking;
    tracking.currentRecord = FindOrAddZoneRecord(tracking.table, "Befallen");
    tracking.table.storage[0].current.count = 7;
    tracking.table.storage[0].returns.count = 2;
    const std::string text = Line("You have entered an Arena (PvP) area.") + Line("You have entered Befallen.") +
                             Line("Your Location is 1, 2, 3") + Line("You have entered Greater Faydark.") +
                             Line("Your Location is 4, 5, 1e999");
    std::string zone = "Befallen";
    ScanLogText(tracking, text.data(), End(text), zone);
    EXPECT_EQ(zone, "Greater Faydark");
    ASSERT_EQ(tracking.table.recordsInUse, 2);
    EXPECT_EQ(tracking.currentRecord, 1);
    EXPECT_EQ(tracking.table.storage[0].current.count, 0);  // re-entered, then left
    EXPECT_EQ(tracking.table.storage[0].returns.count, 2);
    ASSERT_EQ(tracking.table.storage[1].current.count, 1);
    ExpectPosition(tracking.table.storage[1].current.slots[0], 5, 4, FLT_MAX);  // never an infinity
}

TEST(ScanLogText, ZoneLinesOfUsableLengthOnly) {
    // The rest before the line feed must hold 2 to 255 characters; two are dropped.
    for (const std::string& rest : {std::string("\n"), std::string(".\n"), std::string(256, 'a') + "\n"}) {
        ZoneTracking tracking;
        std::string zone = "kept";
        const std::string text = "You have entered " + rest;
        ScanLogText(tracking, text.data(), End(text), zone);
        EXPECT_EQ(tracking.table.recordsInUse, 0) << rest.size();
        EXPECT_EQ(zone, "kept");
    }
    ZoneTracking tracking;
    std::string zone;
    const std::string text = "You have entered " + std::string(253, 'a') + ".\r\nYou have entered .\r\n";
    ScanLogText(tracking, text.data(), text.data() + text.find('\n') + 1, zone);
    EXPECT_EQ(zone, std::string(253, 'a'));
    ScanLogText(tracking, text.data() + text.find('\n') + 1, End(text), zone);
    EXPECT_EQ(zone, "");  // an empty name is a name like any other
    EXPECT_EQ(tracking.table.recordsInUse, 2);
}

}  // namespace
}  // namespace tolvik
