#include "log/scanner.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "../../tools/log_generator.h"
#include "log/log_test_support.h"

namespace tolvik {
namespace {

using testing::Line;

const char* End(const std::string& s) { return s.data() + s.size(); }

Position At(float x, float y, float z) { return Position{x, y, z}; }

void ExpectPosition(const Position& p, float x, float y, float z) {
    EXPECT_FLOAT_EQ(p.x, x);
    EXPECT_FLOAT_EQ(p.y, y);
    EXPECT_FLOAT_EQ(p.z, z);
}

// --- Trails -----------------------------------------------------------------

TEST(PushPosition, NewestFirstAndCountStopsAt23) {
    LocationTrail trail;
    for (int i = 1; i <= 3; ++i) PushPosition(trail, At(static_cast<float>(i), 0, 0));
    EXPECT_EQ(trail.count, 3);
    EXPECT_EQ(trail.slots[0].x, 3.0f);
    EXPECT_EQ(trail.slots[2].x, 1.0f);

    for (int i = 4; i <= 30; ++i) PushPosition(trail, At(static_cast<float>(i), 0, 0));
    EXPECT_EQ(trail.count, 23);
    for (int slot = 0; slot < 23; ++slot) EXPECT_EQ(trail.slots[static_cast<size_t>(slot)].x, 30.0f - slot);
    // The spare slot only receives what falls out of slot 22.
    EXPECT_EQ(trail.slots[23].x, 7.0f);
}

// --- Position text ----------------------------------------------------------

TEST(ReadPosition, GameOrderIsYXZ) {
    const std::string text = "1534.56, -220.13, 3.75\r\n";
    ExpectPosition(ReadPosition(text.data(), End(text)), -220.13f, 1534.56f, 3.75f);
}

TEST(ReadPosition, TokensThatAreNotNumbersGiveZero) {
    std::string text = "abc 5 6";
    ExpectPosition(ReadPosition(text.data(), End(text)), 5, 0, 6);
    // Only the decimal form converts.
    text = "inf nan 0x1A";
    ExpectPosition(ReadPosition(text.data(), End(text)), 0, 0, 0);
    text = "-INF, NAN, +.5e1";
    ExpectPosition(ReadPosition(text.data(), End(text)), 0, 0, 5);
}

TEST(ReadPosition, ValuesBeyondSingleRangeAreClamped) {
    const std::string text = "1e39, -1e300, 1e-60";
    const Position p = ReadPosition(text.data(), End(text));
    EXPECT_EQ(p.y, FLT_MAX);
    EXPECT_EQ(p.x, -FLT_MAX);
    EXPECT_EQ(p.z, 0.0f);
}

TEST(ReadPosition, MissingTokensComeFromFollowingLinesOrAreZero) {
    std::string text = "1, 2\r\n[Mon Jan 01 12:00:00 2024] You say";
    ExpectPosition(ReadPosition(text.data(), End(text)), 2, 1, 0);  // "[Mon" is not a number
    text = "  \t 7,\r\n\r\n 8,\n9 tail";
    ExpectPosition(ReadPosition(text.data(), End(text)), 8, 7, 9);
    text = "1, 2";
    ExpectPosition(ReadPosition(text.data(), End(text)), 2, 1, 0);
    text = "";
    ExpectPosition(ReadPosition(text.data(), End(text)), 0, 0, 0);
}

TEST(ReadPosition, OnlyFirst19CharactersOfATokenCount) {
    const std::string text = "12345678901234567899999 0.000000000000000001234 3";
    const Position p = ReadPosition(text.data(), End(text));
    EXPECT_FLOAT_EQ(p.y, 1234567890123456789.0f);
    EXPECT_EQ(p.x, 0.0f);  // "0.00000000000000000" is all that counts
    EXPECT_EQ(p.z, 3.0f);
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
            EXPECT_TRUE(testing::SameBits(p.x, whole.x) && testing::SameBits(p.y, whole.y) &&
                        testing::SameBits(p.z, whole.z))
                << cut << " " << cut2;
        }
    }
}

// --- Finding phrases --------------------------------------------------------

const char* NaiveFind(const char* from, const char* limit, const char* end, Phrase& which) {
    for (const char* p = from; p < limit; ++p) {
        const size_t room = static_cast<size_t>(end - p);
        if (room >= kZoneMarkLength && std::memcmp(p, kZoneMark, kZoneMarkLength) == 0) {
            which = Phrase::ZoneMark;
            return p;
        }
        if (room >= kLocationPhraseLength && std::memcmp(p, kLocationPhrase, kLocationPhraseLength) == 0) {
            which = Phrase::Location;
            return p;
        }
        if (room >= kReturnNoticeLength && std::memcmp(p, kReturnNotice, kReturnNoticeLength) == 0) {
            which = Phrase::ReturnNotice;
            return p;
        }
    }
    which = Phrase::None;
    return limit;
}

TEST(FindNextPhrase, AgreesWithPlainSearchEverywhere) {
    // Text dense with near misses of all three phrases.
    const char* pieces[] = {kZoneMark,     kLocationPhrase, kReturnNotice, "You have entere", "Your Locatio",
                            "Returning t", "You ",          "Your Location is", "Ret", "YYou have entered ",
                            "RReturning to ", "x", "  ", "\r\n", "h", "L"};
    loggen::Random random(42);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        while (text.size() < 300) text += pieces[random.Below(sizeof pieces / sizeof pieces[0])];
        const char* end = End(text);
        for (size_t from = 0; from < text.size(); from += 1 + random.Below(7)) {
            const size_t limitAt = from + random.Below(static_cast<std::uint32_t>(text.size() - from + 1));
            Phrase fast, naive;
            const char* a = FindNextPhrase(text.data() + from, text.data() + limitAt, end, fast);
            const char* b = NaiveFind(text.data() + from, text.data() + limitAt, end, naive);
            ASSERT_EQ(a, b) << round << " " << from;
            ASSERT_EQ(fast, naive);
        }
    }
}

// --- ScanToNextZoneMark -----------------------------------------------------

TEST(ScanToNextZoneMark, PositionsWithoutZoneChangeAreCurrent) {
    const std::string text = Line("Your Location is 1.00, 2.00, 3.00") + Line("You say, 'hi'") +
                             Line("Your Location is 4.00, 5.00, 6.00") + Line("Your Location is 7.00, 8.00, 9.00");
    ZoneRecord record;
    EXPECT_EQ(ScanToNextZoneMark(text.data(), End(text), &record), End(text));
    EXPECT_EQ(record.current.count, 3);
    ExpectPosition(record.current.slots[0], 8, 7, 9);
    ExpectPosition(record.current.slots[2], 2, 1, 3);
    EXPECT_EQ(record.returns.count, 0);
}

TEST(ScanToNextZoneMark, ReturnBeforeZoneChange) {
    const std::string head = Line("Your Location is 1, 1, 1") + Line("Your Location is 2, 2, 2") +
                             Line("Returning to your bind point.") + Line("Your Location is 3, 3, 3");
    const std::string text = head + "[Mon Jan 01 12:00:00 2024] You have entered Befallen.\r\n";
    ZoneRecord record;
    const char* mark = ScanToNextZoneMark(text.data(), End(text), &record);
    EXPECT_EQ(mark, text.data() + text.find("You have entered "));
    EXPECT_EQ(record.returns.count, 1);
    ExpectPosition(record.returns.slots[0], 2, 2, 2);
    EXPECT_EQ(record.current.count, 0);

    ZoneRecord without;
    EXPECT_EQ(ScanToNextZoneMark(head.data(), End(head), &without), End(head));
    EXPECT_EQ(without.returns.count, 1);
    ExpectPosition(without.returns.slots[0], 2, 2, 2);
    EXPECT_EQ(without.current.count, 3);
    ExpectPosition(without.current.slots[0], 3, 3, 3);
}

TEST(ScanToNextZoneMark, NoticeAfterTheMarkWaitsForTheNextStretch) {
    const std::string text = Line("Your Location is 1, 1, 1") + Line("You have entered Befallen.") +
                             Line("Returning to your bind point.");
    ZoneRecord record;
    ScanToNextZoneMark(text.data(), End(text), &record);
    EXPECT_EQ(record.returns.count, 0);
    EXPECT_EQ(record.current.count, 0);
}

TEST(ScanToNextZoneMark, OnlyTheFirstNoticeAndAPositionAfterStartCount) {
    // A position right at the start of the stretch is not a return position.
    std::string text = "Your Location is 1, 1, 1\r\nReturning to bind.\r\n";
    ZoneRecord record;
    ScanToNextZoneMark(text.data(), End(text), &record);
    EXPECT_EQ(record.returns.count, 0);
    EXPECT_EQ(record.current.count, 1);

    text = "x" + text + Line("Your Location is 2, 2, 2") + Line("Returning to bind.");
    ZoneRecord second;
    ScanToNextZoneMark(text.data(), End(text), &second);
    EXPECT_EQ(second.returns.count, 1);
    ExpectPosition(second.returns.slots[0], 1, 1, 1);
}

TEST(ScanToNextZoneMark, ArenaNoticesAndUnusableZoneLinesAreNotZoneChanges) {
    const std::string text = Line("Your Location is 1, 1, 1") + Line("You have entered an Arena (PvP) area.") +
                             Line("You have entered ") + Line("You have entered " + std::string(300, 'z')) +
                             Line("Your Location is 2, 2, 2") + Line("Returning to bind.");
    ZoneRecord record;
    EXPECT_EQ(ScanToNextZoneMark(text.data(), End(text), &record), End(text));
    EXPECT_EQ(record.current.count, 2);
    EXPECT_EQ(record.returns.count, 1);
    ExpectPosition(record.returns.slots[0], 2, 2, 2);
}

TEST(ScanToNextZoneMark, WithoutRecordOnlyFindsTheMark) {
    const std::string text = Line("Your Location is 1, 1, 1") + Line("You have entered Befallen.");
    EXPECT_EQ(ScanToNextZoneMark(text.data(), End(text), nullptr), text.data() + text.find("You have entered "));
}

// --- Whole texts ------------------------------------------------------------

TEST(ScanLogText, ZoneChangesSwitchAndResetRecords) {
    ZoneTracking tracking;
    tracking.currentRecord = FindOrAddZoneRecord(tracking.table, "Befallen");
    tracking.table.storage[0].current.count = 7;
    tracking.table.storage[0].returns.count = 2;
    const std::string text = Line("You have entered an Arena (PvP) area.") + Line("You have entered Befallen.") +
                             Line("Your Location is 1, 2, 3") + Line("You have entered Greater Faydark.") +
                             Line("Your Location is 4, 5, 6");
    std::string zone = "Befallen";
    ScanLogText(tracking, text.data(), End(text), zone);
    EXPECT_EQ(zone, "Greater Faydark");
    ASSERT_EQ(tracking.table.recordsInUse, 2);
    EXPECT_EQ(tracking.currentRecord, 1);
    EXPECT_EQ(tracking.table.storage[0].current.count, 0);  // re-entered, then left
    EXPECT_EQ(tracking.table.storage[0].returns.count, 2);
    EXPECT_EQ(tracking.table.storage[1].current.count, 1);
    ExpectPosition(tracking.table.storage[1].current.slots[0], 5, 4, 6);
}

TEST(ScanLogText, ZoneLinesOfUnusableLengthChangeNothing) {
    for (const std::string& rest : {std::string("\n"), std::string(".\n"), std::string(256, 'a') + "\n"}) {
        ZoneTracking tracking;
        std::string zone;
        const std::string text = "You have entered " + rest;
        ScanLogText(tracking, text.data(), End(text), zone);
        EXPECT_EQ(tracking.table.recordsInUse, 0) << rest.size();
        EXPECT_EQ(zone, "");
    }
    // 255 characters is the longest rest; two of them are dropped.
    ZoneTracking tracking;
    std::string zone;
    const std::string text = "You have entered " + std::string(253, 'a') + ".\r\n";
    ScanLogText(tracking, text.data(), End(text), zone);
    EXPECT_EQ(zone, std::string(253, 'a'));
    // Two characters give an empty name, which is a name like any other.
    const std::string empty = "You have entered .\r\n";
    ScanLogText(tracking, empty.data(), End(empty), zone);
    EXPECT_EQ(zone, "");
    EXPECT_EQ(tracking.table.recordsInUse, 2);
}

TEST(ScanLogText, PositionsNeverHoldInfinityOrNaN) {
    const std::string text = Line("Your Location is 1e999, -1e999, nan") + Line("Your Location is inf, 0x7f, 1e38");
    ZoneTracking tracking;
    tracking.currentRecord = FindOrAddZoneRecord(tracking.table, "");
    std::string zone;
    ScanLogText(tracking, text.data(), End(text), zone);
    for (const Position& p : tracking.table.storage[0].current.slots) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
    }
}

}  // namespace
}  // namespace tolvik
