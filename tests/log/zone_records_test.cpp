#include "log/zone_records.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

// A new log starts from an empty table: names and trails of the old one are
// gone, also for an index held across the clear, and new names reuse the
// kept storage from the first slot on.
TEST(ZoneRecordTable, ClearForgetsNamesAndTrails) {
    ZoneRecordTable table;
    FindOrAddZoneRecord(table, "Befallen");
    table.storage[FindOrAddZoneRecord(table, "Guk")].current.count = 4;
    table.storage[1].returns.count = 2;
    ClearZoneRecords(table);
    EXPECT_EQ(table.recordsInUse, 0);
    EXPECT_EQ(table.storage[1].current.count, 0);
    EXPECT_EQ(table.storage[1].name, "");
    EXPECT_EQ(FindOrAddZoneRecord(table, "Najena"), 0);
    EXPECT_EQ(FindOrAddZoneRecord(table, "Guk"), 1);
    EXPECT_EQ(table.storage[1].name, "Guk");
    EXPECT_EQ(table.storage[1].current.count, 0);
    EXPECT_EQ(table.storage[1].returns.count, 0);
    EXPECT_EQ(table.recordsInUse, 2);
}

}  // namespace
}  // namespace tolvik
