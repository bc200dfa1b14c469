#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "vector/vector_file.h"
#include "vector_test_files.h"

namespace tolvik {
namespace {

struct Records : VectorRecordVisitor {
    void OnLine(const VectorLineRecord& line) override { lines.push_back(line); }
    void OnPoint(const VectorPointRecord& point) override { points.push_back(point); }
    std::vector<VectorLineRecord> lines;
    std::vector<VectorPointRecord> points;
};

Records Read(const std::string& text, bool readPoints = true) {
    Records r;
    MemoryByteStream in(text);
    ReadVectorRecords(in, readPoints, r);
    return r;
}

MapBounds Bounds(const std::string& text) {
    MapBounds b;
    MemoryByteStream in(text);
    ReadVectorBounds(in, b);
    return b;
}

// The first real of an L record, through the drawing pass; NaN when the
// record does not convert.
float FirstReal(const std::string& number) {
    const Records r = Read("L " + number + ", 0, 0, 0, 0, 0, 1, 2, 3");
    return r.lines.empty() ? std::nanf("") : r.lines[0].x1;
}

TEST(VectorMapFilePath, LayersAreNumberedBeforeTheExtension) {
    EXPECT_EQ(VectorMapFilePath("C:\\maps\\qeynos2.txt", 0), "C:\\maps\\qeynos2.txt");
    EXPECT_EQ(VectorMapFilePath("C:\\maps\\qeynos2.txt", 1), "C:\\maps\\qeynos2_1.txt");
    EXPECT_EQ(VectorMapFilePath("C:\\maps\\qeynos2.txt", 3), "C:\\maps\\qeynos2_3.txt");
    // The extension starts at the last dot of the file name, not of the folder.
    EXPECT_EQ(VectorMapFilePath("C:\\my.maps\\qeynos2", 2), "C:\\my.maps\\qeynos2_2");
    EXPECT_EQ(VectorMapFilePath("C:\\maps\\a.b.txt", 2), "C:\\maps\\a.b_2.txt");
    EXPECT_EQ(VectorMapFilePath("C:\\maps\\.txt", 1), "C:\\maps\\_1.txt");
    EXPECT_EQ(VectorMapFilePath("C:qeynos2.txt", 1), "C:qeynos2_1.txt");
}

TEST(VectorRecords, LinesAndLabelsWithTheirValues) {
    const Records r = Read(
        "L 1.5, -2, 3, 4, 5.25, 6, 255, 128, 0\r\n"
        "P -10, 20.5, 7, 0, 0, 255, 3, Guard_Tower\r\n");
    ASSERT_EQ(r.lines.size(), 1u);
    const VectorLineRecord& l = r.lines[0];
    EXPECT_EQ((std::vector{l.x1, l.y1, l.z1, l.x2, l.y2, l.z2}), (std::vector{1.5f, -2.0f, 3.0f, 4.0f, 5.25f, 6.0f}));
    EXPECT_EQ(l.colour, 255u + 128u * 256u);
    ASSERT_EQ(r.points.size(), 1u);
    EXPECT_EQ((std::vector{r.points[0].x, r.points[0].y}), (std::vector{-10.0f, 20.5f}));
    EXPECT_EQ(r.points[0].colour, 255u * 65536u);
    EXPECT_EQ(r.points[0].size, 3);
    EXPECT_EQ(r.points[0].label, "Guard Tower");
}

TEST(VectorRecords, RecordLettersAreWholeTokensInEitherCase) {
    const Records r = Read(
        "# map of a zone, L and P are letters here too\n"
        "l 0, 0, 0, 100, 50, 0, 255, 0, 0\n"
        "Lx 1, 1, 1, 1, 1, 1, 1, 1, 1\n"
        "p 5, 5, 0, 1, 2, 3, 4, lower\n");
    // "L" inside the comment starts a record whose first value is not a number.
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].x2, 100.0f);
    ASSERT_EQ(r.points.size(), 1u);
    EXPECT_EQ(r.points[0].label, "lower");

    const MapBounds b = Bounds("l 0, 0, 0, 100, 50, 0, 255, 0, 0");
    EXPECT_EQ(b.minX, 0.0f);
    EXPECT_EQ(b.maxX, 100.0f);
    EXPECT_EQ(b.minY, 0.0f);
    EXPECT_EQ(b.maxY, 50.0f);
}

TEST(VectorRecords, WhiteSpaceBeforeValuesCommasRightAfterThem) {
    // A record over two lines, the break after a comma; tabs too.
    Records r = Read("L 1, 2, 3,\r\n 4, 5, 6,\t7,\n8, 9\n");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].x2, 4.0f);
    EXPECT_EQ(r.lines[0].colour, 7u + 8u * 256u + 9u * 65536u);
    // A blank before a comma ends the record; reading goes on with the next token.
    r = Read("L 1 , 2, 3, 4, 5, 6, 7, 8, 9\nL 10, 20, 30, 40, 50, 60, 1, 1, 1\n");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].x1, 10.0f);
    // The same record in the bounds pass contributes nothing either.
    const MapBounds b = Bounds("L 1 , 2, 3, 4, 5, 6, 7, 8, 9\nL 10, 20, 30, 40, 50, 60, 1, 1, 1\n");
    EXPECT_EQ(b.minX, 10.0f);
    EXPECT_EQ(b.maxY, 50.0f);
}

TEST(VectorRecords, IncompleteRecordsAreSkippedInBothPasses) {
    // Eight of nine values: not drawn, but its six reals measure.
    const std::string eight = "L 0, 0, 0, 100, 50, 0, 255, 0";
    EXPECT_TRUE(Read(eight).lines.empty());
    EXPECT_EQ(Bounds(eight).maxX, 100.0f);
    // Four reals: no bounds, no line; the next record still reads.
    const std::string four = "L 0, 0, 0, 5000\nL 1, 1, 0, 2, 2, 0, 0, 0, 0";
    EXPECT_EQ(Bounds(four).maxX, 2.0f);
    EXPECT_EQ(Read(four).lines.size(), 1u);
    // A P record needs two reals for the bounds and all eight values to be drawn.
    EXPECT_EQ(Bounds("P 3, 4").maxX, 3.0f);
    EXPECT_EQ(Bounds("P 3").maxX, kBoundsResetMax);
    EXPECT_TRUE(Read("P 3, 4, 0, 1, 2, 3, 4,").points.empty());
    EXPECT_TRUE(Read("P 3, 4, 0, 1, 2, 3, 4 label").points.empty());
    // A record letter as the last token.
    EXPECT_TRUE(Read("L").lines.empty());
    EXPECT_EQ(Bounds("P").minX, kBoundsResetMin);
}

TEST(VectorRecords, ColourComponentsKeepTheirLowEightBits) {
    const Records r = Read("L 0, 0, 0, 1, 1, 0, 300, 256, 257\nL 0, 0, 0, 1, 1, 0, -1, 4294967340, 0\n");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].colour, 44u + 0u * 256u + 1u * 65536u);
    EXPECT_EQ(r.lines[1].colour, 255u + 44u * 256u);
}

TEST(VectorRecords, LabelsAndSearchFilter) {
    const Records r = Read("P 0, 0, 0, 0, 0, 0, 2, Guard_Tower of the west\n");
    ASSERT_EQ(r.points.size(), 1u);
    // The label is one token; its further words are skipped.
    EXPECT_EQ(r.points[0].label, "Guard Tower");
    EXPECT_TRUE(MatchesSearchFilter("Guard Tower", ""));
    EXPECT_TRUE(MatchesSearchFilter("Guard Tower", "tower"));
    EXPECT_TRUE(MatchesSearchFilter("Guard Tower", "GUARD T"));
    EXPECT_FALSE(MatchesSearchFilter("Guard Tower", "Guard_Tower"));
    EXPECT_FALSE(MatchesSearchFilter("Bank", "banks"));
    EXPECT_TRUE(MatchesSearchFilter("North Bank", "bANK"));
    // Letters of the ANSI code page fold too; other bytes do not.
    EXPECT_TRUE(MatchesSearchFilter("Caf\xC9", "caf\xE9"));
    EXPECT_FALSE(MatchesSearchFilter("a\xD7", "a\xF7"));
}

TEST(VectorRecords, WithoutLabelsPRecordsAreOrdinaryTokens) {
    const Records r = Read("P 0, 0, 0, 0, 0, 0, 2, L 1, 1, 0, 2, 2, 0, 5, 5, 5", false);
    EXPECT_TRUE(r.points.empty());
    // The label token "L" now starts a line record.
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].colour, Rgb(5, 5, 5));
    EXPECT_TRUE(Read("P 0, 0, 0, 0, 0, 0, 2, L 1, 1, 0, 2, 2, 0, 5, 5, 5").lines.empty());
}

TEST(VectorRecords, TokensAndLabelsAreCutAt259Characters) {
    const std::string longLabel(300, 'a');
    Records r = Read("P 0, 0, 0, 0, 0, 0, 2, " + longLabel + "\n");
    ASSERT_EQ(r.points.size(), 1u);
    EXPECT_EQ(r.points[0].label, std::string(259, 'a'));
    // What lies beyond the cut is dropped, not read as a token of its own.
    r = Read(std::string(259, 'x') + "L 1, 1, 0, 2, 2, 0, 5, 5, 5");
    EXPECT_TRUE(r.lines.empty());
    r = Read("P 0, 0, 0, 0, 0, 0, 2, " + std::string(259, 'b') + "L 1, 1, 0, 2, 2, 0, 5, 5, 5");
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.points.size(), 1u);
    // A NUL byte ends a token's text.
    const char withNul[] = "P 0, 0, 0, 0, 0, 0, 2, Gate\0way\nL\0x 1, 1, 0, 2, 2, 0, 5, 5, 5";
    r = Read(std::string(withNul, sizeof withNul - 1));
    ASSERT_EQ(r.points.size(), 1u);
    EXPECT_EQ(r.points[0].label, "Gate");
    EXPECT_EQ(r.lines.size(), 1u);
}

TEST(VectorNumbers, DecimalFormsConvert) {
    EXPECT_EQ(FirstReal("1e3"), 1000.0f);
    EXPECT_EQ(FirstReal("+3"), 3.0f);
    EXPECT_EQ(FirstReal(".5"), 0.5f);
    EXPECT_EQ(FirstReal("-2."), -2.0f);
    EXPECT_EQ(FirstReal("-.25E+1"), -2.5f);
    EXPECT_EQ(FirstReal("1e-50"), 0.0f);
    EXPECT_EQ(FirstReal("0.1"), 0.1f);
    EXPECT_EQ(FirstReal("0000000000000000000000000012.5"), 12.5f);
    EXPECT_EQ(FirstReal("16777217"), 16777216.0f);
    EXPECT_EQ(FirstReal("3.14159265358979323846264338327950288"), 3.14159265f);
}

TEST(VectorNumbers, OtherFormsFailTheRecord) {
    for (const char* text : {"1e", "1e+", "-", ".", "+.e1", "inf", "-INF", "nan", "NaN(1)", "0x10", "0X1p4",
                             "1e39", "-3.5e38", "", "abc"}) {
        EXPECT_TRUE(std::isnan(FirstReal(text))) << text;
    }
    // An integer stops at its first non-digit, and the comma then fails.
    EXPECT_TRUE(Read("L 0, 0, 0, 1, 1, 0, 1.5, 2, 3").lines.empty());
    EXPECT_TRUE(Read("L 0, 0, 0, 1, 1, 0, 0x10, 2, 3").lines.empty());
    EXPECT_EQ(Read("L 0, 0, 0, 1, 1, 0, 1, 2, 0x3").lines.at(0).colour, Rgb(1, 2, 0));
}

TEST(VectorNumbers, AgreeWithTheLibraryConversion) {
    // The short cut for short mantissas and the full conversion must both be
    // correctly rounded.
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> length(1, 12);
    std::uniform_int_distribution<int> exponent(-45, 40);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int whole = length(random);
        for (int k = 0; k < whole; ++k) text.push_back(static_cast<char>('0' + digit(random)));
        if (i % 2) {
            text.push_back('.');
            const int fraction = length(random);
            for (int k = 0; k < fraction; ++k) text.push_back(static_cast<char>('0' + digit(random)));
        }
        if (i % 3 == 0) text += "e" + std::to_string(exponent(random));
        const float expected = std::strtof(text.c_str(), nullptr);
        const float got = FirstReal(text);
        if (std::isinf(expected)) {
            EXPECT_TRUE(std::isnan(got)) << text;
        } else {
            EXPECT_EQ(got, expected) << text;
        }
    }
}

TEST(MeasureVectorMap, BoundsOverAllLayerFilesWhateverTheirFlags) {
    testing::MapFolder folder;
    folder.Write("qeynos2.txt", "L 0, 0, 0, 100, 50, 0, 255, 0, 0\n");
    folder.Write("qeynos2_3.txt", "P -30, 70, 0, 0, 0, 0, 2, Gate\n");
    VectorMapSettings s;
    s.ShowBase = s.ShowLayer1 = s.ShowLayer2 = s.ShowLayer3 = 0;
    ASSERT_TRUE(MeasureVectorMap(s, folder.Base("qeynos2")));
    EXPECT_EQ(s.working.logicalX1, 100.0f);  // max x
    EXPECT_EQ(s.working.logicalY1, 70.0f);   // max y
    EXPECT_EQ(s.working.logicalX2, -30.0f);  // min x
    EXPECT_EQ(s.working.logicalY2, 0.0f);    // min y
}

TEST(MeasureVectorMap, MissingFilesFoldersAndLongPaths) {
    testing::MapFolder folder;
    VectorMapSettings s;
    s.working.logicalX1 = 5.0f;
    EXPECT_FALSE(MeasureVectorMap(s, folder.Base("qeynos2")));
    EXPECT_EQ(s.working.logicalX1, kBoundsResetMax);  // bounds reset all the same
    // A folder with the file's name is no file.
    std::filesystem::create_directory(folder.Folder() + "qeynos2.txt");
    EXPECT_FALSE(MeasureVectorMap(s, folder.Base("qeynos2")));
    // Paths beyond 259 characters are refused like missing files.
    const std::string longName(259, 'q');
    EXPECT_EQ(OpenVectorMapFile(folder.Folder() + longName), nullptr);
    // An empty file is a map without records: the bounds keep their reset values.
    folder.Write("empty.txt", "");
    EXPECT_TRUE(MeasureVectorMap(s, folder.Base("empty")));
    EXPECT_EQ(s.working.logicalX1, kBoundsResetMax);
    EXPECT_EQ(s.working.logicalX2, kBoundsResetMin);
}

}  // namespace
}  // namespace tolvik
