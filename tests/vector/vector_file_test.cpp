#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "vector/vector_file.h"

namespace tolvik {
namespace {

struct Records : VectorRecordVisitor {
    void OnLine(const VectorLineRecord& line) override { lines.push_back(line); }
    void OnPoint(const VectorPointRecord& point) override { points.push_back(point); }
    std::vector<VectorLineRecord> lines;
    std::vector<VectorPointRecord> points;
};

Records Read(const std::string& text) {
    Records r;
    MemoryByteStream in(text);
    ReadVectorRecords(in, true, r);
    return r;
}

MapBounds Bounds(const std::string& text) {
    MapBounds b;
    MemoryByteStream in(text);
    ReadVectorBounds(in, b);
    return b;
}

TEST(VectorRecords, LinesAndLabelsWithTheirValues) {
    const Records r = Read(
        "# map of a zone, L and P are letters here too\n"
        "l 1.5, -2, 3, 4, 5.25, 6, 255, 128, 0\r\n"
        "Lx 1, 1, 1, 1, 1, 1, 1, 1, 1\n"
        "P -10, 20.5, 7, 0, 0, 255, 3, Guard_Tower of the west\r\n");
    // "L" inside the comment starts a record whose first value is not a number;
    // lower-case "l" is a record letter, "Lx" is not.
    ASSERT_EQ(r.lines.size(), 1u);
    const VectorLineRecord& l = r.lines[0];
    EXPECT_EQ((std::vector{l.x1, l.y1, l.z1, l.x2, l.y2, l.z2}), (std::vector{1.5f, -2.0f, 3.0f, 4.0f, 5.25f, 6.0f}));
    EXPECT_EQ(l.colour, 255u + 128u * 256u);
    ASSERT_EQ(r.points.size(), 1u);
    EXPECT_EQ(std::tuple(r.points[0].x, r.points[0].y, r.points[0].colour, r.points[0].size),
              std::tuple(-10.0f, 20.5f, 255u * 65536u, 3));
    // The label is one token, underscores read as blanks; further words are skipped.
    EXPECT_EQ(r.points[0].label, "Guard Tower");
    const MapBounds b = Bounds("l 0, 0, 0, 100, 50, 0, 255, 0, 0");
    EXPECT_EQ((std::vector{b.minX, b.maxX, b.minY, b.maxY}), (std::vector{0.0f, 100.0f, 0.0f, 50.0f}));
}

TEST(VectorRecords, WhiteSpaceBeforeValuesCommasRightAfterThem) {
    // A record over two lines, the break after a comma; tabs too.
    Records r = Read("L 1, 2, 3,\r\n 4, 5, 6,\t7,\n8, 9\n");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(std::pair(r.lines[0].x2, r.lines[0].colour), std::pair(4.0f, 7u + 8u * 256u + 9u * 65536u));
    // A blank before a comma ends the record, in both passes; reading goes on.
    const std::string blank = "L 1 , 2, 3, 4, 5, 6, 7, 8, 9\nL 10, 20, 30, 40, 50, 60, 1, 1, 1\n";
    r = Read(blank);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].x1, 10.0f);
    EXPECT_EQ(std::pair(Bounds(blank).minX, Bounds(blank).maxY), std::pair(10.0f, 50.0f));
}

TEST(VectorRecords, UnconvertibleAndIncompleteRecordsAreSkipped) {
    for (const char* number : {"1e", "-", ".", "inf", "nan", "0x10", "1e39", "abc"}) {
        const Records r = Read(std::string("L ") + number + ", 0, 0, 0, 0, 0, 1, 2, 3\nL 1, 1, 0, 2, 2, 0, 0, 0, 0");
        ASSERT_EQ(r.lines.size(), 1u) << number;
        EXPECT_EQ(r.lines[0].x1, 1.0f) << number;
    }
    // An integer stops at its first non-digit, and the comma then fails.
    EXPECT_TRUE(Read("L 0, 0, 0, 1, 1, 0, 1.5, 2, 3").lines.empty());
    // Eight of nine values: not drawn, but its six reals measure.
    const std::string eight = "L 0, 0, 0, 100, 50, 0, 255, 0";
    EXPECT_TRUE(Read(eight).lines.empty());
    EXPECT_EQ(Bounds(eight).maxX, 100.0f);
    // Four reals: no bounds, no line; the next record still reads.
    const std::string four = "L 0, 0, 0, 5000\nL 1, 1, 0, 2, 2, 0, 0, 0, 0";
    EXPECT_EQ(Bounds(four).maxX, 2.0f);
    EXPECT_EQ(Read(four).lines.size(), 1u);
    EXPECT_TRUE(Read("P 3, 4, 0, 1, 2, 3, 4,").points.empty() && Read("L").lines.empty());
    EXPECT_EQ(Bounds("P").minX, kBoundsResetMin);
}

TEST(VectorRecords, RealsReadAsTheCLibraryReadsThem) {
    for (const char* real : {"1.2345678", "-0.0000001", "3e7", "12345e-10", "7.5e10", "16777217", "0.1", "1e-3",
                             "123456789012345678901234567890", "1.5e-45", "0.000000000000000000001"}) {
        const Records r = Read(std::string("L ") + real + ", 0, 0, 0, 0, 0, 0, 0, 0");
        ASSERT_EQ(r.lines.size(), 1u) << real;
        EXPECT_EQ(r.lines[0].x1, std::strtof(real, nullptr)) << real;
    }
}

TEST(VectorRecords, ColourComponentsKeepTheirLowEightBits) {
    const Records r = Read("L 0, 0, 0, 1, 1, 0, 300, 256, 257\nL 0, 0, 0, 1, 1, 0, -1, 4294967340, 0\n");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].colour, 44u + 0u * 256u + 1u * 65536u);
    EXPECT_EQ(r.lines[1].colour, 255u + 44u * 256u);
}

TEST(VectorRecords, SearchFilterIgnoresCase) {
    // Letters of the ANSI code page fold too; other bytes do not.
    for (auto [label, filter] : {std::pair{"Guard Tower", ""}, {"Guard Tower", "GUARD T"}, {"North Bank", "bANK"},
                                 {"Caf\xC9", "caf\xE9"}})
        EXPECT_TRUE(MatchesSearchFilter(label, filter)) << filter;
    for (auto [label, filter] : {std::pair{"Guard Tower", "Guard_Tower"}, {"Bank", "banks"}, {"a\xD7", "a\xF7"}})
        EXPECT_FALSE(MatchesSearchFilter(label, filter)) << filter;
}

}  // namespace
}  // namespace tolvik
