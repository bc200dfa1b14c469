#include "log/zone_records.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvik {
namespace {

TEST(ZoneRecordTable, AddsOnceAndComparesExactly) {
    ZoneRecordTable table;
    EXPECT_EQ(FindOrAddZoneRecord(table, "Befallen"), 0);
    EXPECT_EQ(table.recordsInUse, 1);
    EXPECT_EQ(table.storage[0].current.count, 0);
    EXPECT_EQ(table.storage[0].returns.count, 0);
    EXPECT_EQ(FindOrAddZoneRecord(table, "Befallen"), 0);
    EXPECT_EQ(table.recordsInUse, 1);
    EXPECT_EQ(FindOrAddZoneRecord(table, "befallen"), 1);
    EXPECT_EQ(FindOrAddZoneRecord(table, ""), 2);
    EXPECT_EQ(table.storage[1].name, "befallen");
}

TEST(ZoneRecordTable, ClearEmptiesButKeepsTheCurrentSlotValid) {
    ZoneTracking tracking;
    EXPECT_EQ(CurrentPositionCount(tracking), 0);  // no Current Zone Record
    FindOrAddZoneRecord(tracking.table, "Befallen");
    tracking.currentRecord = FindOrAddZoneRecord(tracking.table, "Guk");
    tracking.Current()->current.count = 5;
    tracking.Current()->current.slots[0] = Position{1, 2, 3};
    EXPECT_EQ(CurrentPositionCount(tracking), 5);

    ClearZoneRecords(tracking.table);
    EXPECT_EQ(tracking.table.recordsInUse, 0);
    ASSERT_NE(tracking.Current(), nullptr);
    EXPECT_EQ(tracking.Current()->name, "");
    EXPECT_EQ(CurrentPositionCount(tracking), 0);

    // The first name asked for is record 0 again, with all positions zero.
    EXPECT_EQ(FindOrAddZoneRecord(tracking.table, "Guk"), 0);
    EXPECT_EQ(tracking.table.storage[1].current.slots[0].x, 0.0f);
    EXPECT_EQ(FindOrAddZoneRecord(tracking.table, "Befallen"), 1);
    EXPECT_EQ(tracking.table.storage[1].current.count, 0);
}

TEST(ZoneRecordTable, GrowsPastNinetyNineWithoutLosingAnyRecord) {
    ZoneTracking tracking;
    tracking.currentRecord = FindOrAddZoneRecord(tracking.table, "zone 0");
    tracking.Current()->current.count = 3;
    for (int i = 1; i < 5000; ++i) FindOrAddZoneRecord(tracking.table, "zone " + std::to_string(i));
    EXPECT_EQ(tracking.table.recordsInUse, 5000);
    // The Current Zone Record is the same record after the table grew.
    EXPECT_EQ(tracking.Current()->name, "zone 0");
    EXPECT_EQ(CurrentPositionCount(tracking), 3);
    for (int i = 0; i < 5000; i += 499) EXPECT_EQ(FindOrAddZoneRecord(tracking.table, "zone " + std::to_string(i)), i);
    EXPECT_EQ(tracking.table.recordsInUse, 5000);
}

}  // namespace
}  // namespace tolvik
