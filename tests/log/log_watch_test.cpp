#include "log/log_watch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../tools/log_generator.h"
#include "log/log_test_support.h"

namespace tolvik {
namespace {

using testing::Line;
using Lines = std::vector<std::string>;

// What a follower must print for the complete lines of one poll, worked out
// line by line and independently of the scanner: the last zone entered (if
// it differs from the zone shown) and the positions after it.
struct LineOracle {
    std::string zone;
    Lines Poll(const std::string& lines) {
        Lines out, positions;
        std::string entered;
        for (size_t start = 0, end; start < lines.size(); start = end + 1) {
            end = lines.find('\n', start);
            const std::string line = lines.substr(start, end - start);
            const size_t mark = line.find("] You have entered "), loc = line.find("] Your Location is ");
            if (mark != std::string::npos && line.find("an Arena (PvP) area.") == std::string::npos) {
                entered = line.substr(mark + 19, line.size() - (mark + 19) - 2);
                positions.clear();
            } else if (loc != std::string::npos) {
                float y = 0, x = 0, z = 0;
                EXPECT_EQ(std::sscanf(line.c_str() + loc + 19, "%f, %f, %f", &y, &x, &z), 3);
                char text[100];
                std::snprintf(text, sizeof text, "loc\t%.2f\t%.2f\t%.2f", x, y, z);
                positions.push_back(text);
            }
        }
        if (!entered.empty() && entered != zone) out.push_back("zone\t" + (zone = entered));
        if (zone.empty()) positions.clear();  // before the first zone there is no record
        if (positions.size() > 23) positions.erase(positions.begin(), positions.end() - 23);  // a trail keeps 23
        out.insert(out.end(), positions.begin(), positions.end());
        return out;
    }
};

// The log grows in random cuts, mid-phrase and mid-number included; each
// poll must print exactly what its complete lines hold.
TEST(LogWatch, FollowingRandomCutsLosesNoZoneChangeOrPosition) {
    loggen::Mix mix;
    mix.zoneChange = 600;
    mix.location = 2500;
    mix.quotedPhrase = 0;  // one phrase per line for the line-wise oracle
    mix.returnNotice = mix.arena = 100;
    for (const std::uint32_t longestCut : {60u, 3000u}) {
        loggen::Generator generator(77, mix);
        std::string log;
        while (log.size() < 40000) generator.AppendLine(log);
        test::TempFolder folder("watch");
        const std::string path = folder / "eqlog_cuts.txt";
        test::WriteFile(path, "");
        LogWatch watch;
        LineOracle oracle;
        loggen::Random random(longestCut);
        size_t written = 0, consumed = 0, zones = 0, positions = 0;
        while (written < log.size()) {
            const size_t cut = std::min(log.size(), written + 1 + random.Below(longestCut));
            test::AppendFile(path, log.substr(written, cut - written));
            written = cut;
            Lines printed;
            ASSERT_TRUE(PollLogWatch(watch, path, {}, [&](const std::string& line) { printed.push_back(line); }));
            const size_t lineEnd = log.rfind('\n', written - 1);
            const size_t complete = lineEnd == std::string::npos || lineEnd + 1 < consumed ? consumed : lineEnd + 1;
            ASSERT_EQ(watch.cursor.offset, complete);
            const std::string polled = log.substr(consumed, complete - consumed);
            ASSERT_EQ(printed, oracle.Poll(polled)) << "poll ending at " << complete << ":\n" << polled;
            consumed = complete;
            for (const std::string& line : printed) ++(line.rfind("zone", 0) == 0 ? zones : positions);
        }
        EXPECT_EQ(consumed, log.size());
        EXPECT_GT(zones, 5u);
        EXPECT_GT(positions, 40u);
    }
}

// The whole state as tolvik-log prints it: both trails of each record, newest first.
TEST(LogWatch, DescribesEachRecordWithBothTrails) {
    test::TempFolder folder("describe");
    const std::string path = folder / "eqlog.txt";
    const std::string log = Line("You have entered Guk.") + Line("Your Location is 1, 2, 3") + Line("Returning to bind.") +
                            Line("Your Location is 4, 5, 6");
    test::WriteFile(path, log);
    LogWatch watch;
    Lines printed;
    ASSERT_TRUE(PollLogWatch(watch, path, {}, [&](const std::string& line) { printed.push_back(line); }));
    EXPECT_EQ(printed, (Lines{"zone\tGuk", "loc\t2.00\t1.00\t3.00", "loc\t5.00\t4.00\t6.00"}));
    printed.clear();
    DescribeLogWatch(watch, [&](const std::string& line) { printed.push_back(line); });
    EXPECT_EQ(printed, (Lines{"offset\t" + std::to_string(log.size()), "current\tGuk", "record\t0\t2\t1\tGuk",
                              "cur\t0\t0\t5.00\t4.00\t6.00", "cur\t0\t1\t2.00\t1.00\t3.00",
                              "ret\t0\t0\t2.00\t1.00\t3.00"}));
}

}  // namespace
}  // namespace tolvik
