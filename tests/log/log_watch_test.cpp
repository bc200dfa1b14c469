#include "log/log_watch.h"

#include <gtest/gtest.h>

#include "log/log_test_support.h"

namespace tolvik {
namespace {

using testing::Line;
using Lines = std::vector<std::string>;

// What tolvik-log prints: for each poll the zone entered and the positions read since (at most the 23 a trail
// keeps), oldest first; then the whole state, both trails of each record newest first.
TEST(LogWatch, PrintsEachPollsNewPositionsAndDescribesBothTrails) {
    test::TempFolder folder("watch");
    const std::string start = Line("You have entered Guk.") + Line("Your Location is 1, 2, 3") + Line("Returning to bind.");
    std::string log = start;
    for (int i = 0; i < 24; ++i) log += Line("Your Location is " + std::to_string(i) + ", 0, 0");
    LogWatch watch, small;
    Lines printed;
    const auto print = [&](const std::string& line) { printed.push_back(line); };
    const std::string path = folder.Write("eqlog.txt", log);
    ASSERT_TRUE(PollLogWatch(watch, path, {}, print));
    ASSERT_EQ(printed.size(), 24u);
    EXPECT_EQ(printed[0] + " " + printed[1] + " " + printed[23], "zone\tGuk loc\t0.00\t1.00\t0.00 loc\t0.00\t23.00\t0.00");
    printed.clear();
    test::AppendFile(path, Line("Your Location is 4, 5, 6"));
    ASSERT_TRUE(PollLogWatch(watch, path, {}, print));
    EXPECT_EQ(printed, (Lines{"loc\t5.00\t4.00\t6.00"}));
    printed.clear();
    log = start + Line("Your Location is 4, 5, 6");
    ASSERT_TRUE(PollLogWatch(small, folder.Write("small.txt", log), {}, print));
    EXPECT_EQ(printed, (Lines{"zone\tGuk", "loc\t2.00\t1.00\t3.00", "loc\t5.00\t4.00\t6.00"}));
    printed.clear();
    DescribeLogWatch(small, print);
    EXPECT_EQ(printed, (Lines{"offset\t" + std::to_string(log.size()), "current\tGuk", "record\t0\t2\t1\tGuk",
                              "cur\t0\t0\t5.00\t4.00\t6.00", "cur\t0\t1\t2.00\t1.00\t3.00",
                              "ret\t0\t0\t2.00\t1.00\t3.00"}));
}

}  // namespace
}  // namespace tolvik
