// Vector map files and the drawing plan made from them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "vector/follow_height.h"
#include "vector/vector_file.h"
#include "vector/vector_plan.h"
#include "vector_test_files.h"

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
    return ReadVectorRecords(in, true, r), r;
}

MapBounds Bounds(const std::string& text) {
    MapBounds b;
    MemoryByteStream in(text);
    return ReadVectorBounds(in, b), b;
}

TEST(VectorRecords, LinesAndLabelsWithTheirValues) {
    const Records r = Read(
        "# map of a zone, L and P are letters here too\n"
        "l 1.5, -2, 3, 4, 5.25, 6, 255, 128, 0\r\n"
        "Lx 1, 1, 1, 1, 1, 1, 1, 1, 1\n"
        "P -10, 20.5, 7, 0, 0, 255, 3, Guard_Tower of the west\r\n");
    // "L" in the comment starts a record whose first value is no number; lower-case "l" is a record letter, "Lx" not.
    ASSERT_EQ(r.lines.size(), 1u);
    const VectorLineRecord& l = r.lines[0];
    EXPECT_EQ((std::vector{l.x1, l.y1, l.z1, l.x2, l.y2, l.z2}), (std::vector{1.5f, -2.0f, 3.0f, 4.0f, 5.25f, 6.0f}));
    EXPECT_TRUE(l.colour == 255u + 128u * 256u && r.points.size() == 1u);
    EXPECT_EQ(std::tuple(r.points[0].x, r.points[0].y, r.points[0].colour, r.points[0].size),
              std::tuple(-10.0f, 20.5f, 255u * 65536u, 3));
    // The label is one token, underscores read as blanks; further words are skipped.
    EXPECT_EQ(r.points[0].label, "Guard Tower");
    const MapBounds b = Bounds("l 0, 0, 0, 100, 50, 0, 255, 0, 0");
    EXPECT_EQ((std::vector{b.minX, b.maxX, b.minY, b.maxY}), (std::vector{0.0f, 100.0f, 0.0f, 50.0f}));
    const Records c = Read("L 0, 0, 0, 1, 1, 0, 300, 256, 257\nL 0, 0, 0, 1, 1, 0, -1, 4294967340, 0\n");  // low eight bits
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(std::pair(c.lines[0].colour, c.lines[1].colour), std::pair(44u + 0u * 256u + 1u * 65536u, 255u + 44u * 256u));
}

TEST(VectorRecords, WhiteSpaceBeforeValuesCommasRightAfterThem) {
    // A record over two lines, the break after a comma; tabs too.
    Records r = Read("L 1, 2, 3,\r\n 4, 5, 6,\t7,\n8, 9\n");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(std::pair(r.lines[0].x2, r.lines[0].colour), std::pair(4.0f, 7u + 8u * 256u + 9u * 65536u));
    // A blank before a comma ends the record, in both passes; reading goes on.
    const std::string blank = "L 1 , 2, 3, 4, 5, 6, 7, 8, 9\nL 10, 20, 30, 40, 50, 60, 1, 1, 1\n";
    r = Read(blank);
    EXPECT_TRUE(r.lines.size() == 1u && r.lines[0].x1 == 10.0f);
    EXPECT_EQ(std::pair(Bounds(blank).minX, Bounds(blank).maxY), std::pair(10.0f, 50.0f));
}

TEST(VectorRecords, UnconvertibleAndIncompleteRecordsAreSkipped) {
    for (const char* number : {"1e", "-", ".", "inf", "nan", "0x10", "1e39", "abc"}) {
        const Records r = Read(std::string("L ") + number + ", 0, 0, 0, 0, 0, 1, 2, 3\nL 1, 1, 0, 2, 2, 0, 0, 0, 0");
        EXPECT_TRUE(r.lines.size() == 1u && r.lines[0].x1 == 1.0f) << number;
    }
    // An integer stops at its first non-digit, and the comma then fails.
    EXPECT_TRUE(Read("L 0, 0, 0, 1, 1, 0, 1.5, 2, 3").lines.empty());
    // Eight of nine values: not drawn, but its six reals measure.
    const std::string eight = "L 0, 0, 0, 100, 50, 0, 255, 0";
    EXPECT_TRUE(Read(eight).lines.empty() && Bounds(eight).maxX == 100.0f);
    // Four reals: no bounds, no line; the next record still reads.
    const std::string four = "L 0, 0, 0, 5000\nL 1, 1, 0, 2, 2, 0, 0, 0, 0";
    EXPECT_TRUE(Bounds(four).maxX == 2.0f && Read(four).lines.size() == 1u);
    EXPECT_TRUE(Read("P 3, 4, 0, 1, 2, 3, 4,").points.empty() && Read("L").lines.empty());
    EXPECT_EQ(Bounds("P").minX, kBoundsResetMin);
}

TEST(VectorRecords, RealsReadAsTheCLibraryReadsThem) {
    for (const char* real : {"1.2345678", "-0.0000001", "3e7", "12345e-10", "7.5e10", "16777217", "0.1", "1e-3",
                             "123456789012345678901234567890", "1.5e-45", "0.000000000000000000001"}) {
        const Records r = Read(std::string("L ") + real + ", 0, 0, 0, 0, 0, 0, 0, 0");
        EXPECT_TRUE(r.lines.size() == 1u && r.lines[0].x1 == std::strtof(real, nullptr)) << real;
    }
}

TEST(VectorRecords, SearchFilterIgnoresCase) {
    // Letters of the ANSI code page fold too; other bytes do not.
    for (auto [label, filter] : {std::pair{"Guard Tower", ""}, {"Guard Tower", "GUARD T"}, {"North Bank", "bANK"},
                                 {"Caf\xC9", "caf\xE9"}})
        EXPECT_TRUE(MatchesSearchFilter(label, filter)) << filter;
    for (auto [label, filter] : {std::pair{"Guard Tower", "Guard_Tower"}, {"Bank", "banks"}, {"a\xD7", "a\xF7"}})
        EXPECT_FALSE(MatchesSearchFilter(label, filter)) << filter;
}


// A 2000 by 1000 unit map (x from −1000 to 1000, y from 0 to 1000).
const char* const kFrame = "L -1000, 0, 0, 1000, 1000, 0, 0, 0, 0\n";

struct Plan { bool made = false; VectorMapSettings settings; testing::RecordingSink sink; };

// Plans the map "zone" in `folder` with `setup` applied to fresh settings.
template <typename Setup>
Plan RunPlan(const testing::MapFolder& folder, Setup setup, float height = 0.0f) {
    Plan plan;
    setup(plan.settings);
    return plan.made = PlanVectorMap(plan.settings, folder.Base("zone"), height, plan.sink, plan.sink), plan;
}

std::vector<Colour> LineColours(const Plan& plan) {
    std::vector<Colour> colours;
    for (const VectorLineOp& line : plan.sink.lines) colours.push_back(line.colour);
    return colours;
}

TEST(VectorPlan, SizeCalibrationAndTheFirstLabelBelowItsAnchor) {
    testing::MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) + "P 0, 500, 0, 300, 0, 1, 2, Gate\n");
    const Plan plan = RunPlan(folder, [](VectorMapSettings& s) { s.MapResolution = 800; s.FontAdjust = 5; });
    ASSERT_TRUE(plan.made);
    const CalibrationPoints& c = plan.settings.working;
    EXPECT_EQ((std::vector{c.physicalX1, c.physicalY1, c.physicalX2, c.physicalY2}), (std::vector{0, 0, 800, 400}));
    // Game X = −x, game Y = −y: (−min x, −min y) at (0, 0).
    EXPECT_EQ((std::vector{c.logicalX1, c.logicalY1, c.logicalX2, c.logicalY2}),
              (std::vector{1000.0f, -0.0f, -1000.0f, -1000.0f}));
    ASSERT_TRUE(plan.sink.lines.size() == 1u && plan.sink.labels.size() == 1u);
    const VectorLineOp& l = plan.sink.lines[0];
    EXPECT_EQ((std::vector{l.x1, l.y1, l.x2, l.y2}), (std::vector{0, 0, 800, 400}));
    const VectorLabelOp& label = plan.sink.labels[0];
    EXPECT_EQ(std::tuple(label.anchorX, label.anchorY, label.colour, label.points), std::tuple(400, 200, 44u + 65536u, 7));
    // Box 4 × 6 + 1 by 10 + 1; top-left corner bh + 10 = 21 below the anchor.
    EXPECT_EQ(label.box, (Rect{400, 221, 425, 232}));
}

TEST(VectorPlan, FadedLevelsComeFirstInColoursMixedWithTheBackground) {
    testing::MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) +                    // height 0: passes
                                 "L 0, 0, 100, 10, 10, 100, 200, 100, 40\n"  // m = 100: hidden
                                 "P 0, 500, 100, 0, 0, 0, 2, Loft\n");
    folder.Write("zone_1.txt", "L 0, 0, -60, 10, 10, -40, 0, 0, 250\n");  // m = −50: hidden
    const auto setup = [](VectorMapSettings& s) { s.UseHeightFilter = s.FadeOtherLevels = 1, s.Color = MakeColour(10, 20, 30); };
    const Plan plan = RunPlan(folder, setup);
    EXPECT_EQ(plan.sink.canvas, (std::vector<int>{1000, 500, static_cast<int>(MakeColour(10, 20, 30))}));
    // The frame, in its own colour, last; labels have no level.
    ASSERT_EQ(LineColours(plan), (std::vector<Colour>{MakeColour(57, 40, 32), MakeColour(7, 15, 85), 0}));
    EXPECT_TRUE(plan.sink.lines[0].x2 == 505 && plan.sink.lines[0].y2 == 5 && plan.sink.labels.size() == 1u);
    // Hidden layers are neither drawn nor faded; without the filter nothing is faded.
    EXPECT_EQ(RunPlan(folder, [&](VectorMapSettings& s) { setup(s); s.ShowLayer1 = 0; }).sink.lines.size(), 2u);
    const Plan unfiltered = RunPlan(folder, [&](VectorMapSettings& s) { setup(s); s.UseHeightFilter = 0; });
    EXPECT_EQ(LineColours(unfiltered), (std::vector<Colour>{0, MakeColour(200, 100, 40), MakeColour(0, 0, 250)}));
}

TEST(VectorPlan, KeepsTheHeightsOfTheShownLinesForFollowing) {
    testing::MapFolder folder;
    folder.Write("zone.txt", kFrame);                                      // height 0
    folder.Write("zone_1.txt", "L 0, 0, 30, 10, 10, 30, 1, 0, 0\n");      // height 30
    // At 15 the line at 30 would join the one at 0 (30 − 20 < 15 < 0 + 20).
    const Plan both = RunPlan(folder, [](VectorMapSettings& s) { s.UseHeightFilter = 1; }, 5.0f);
    EXPECT_TRUE(both.settings.levels.renderHeight == 5.0f && HeightCallsForRender(both.settings, 15.0f) &&
                !HeightCallsForRender(both.settings, 9.0f));
    const Plan baseOnly = RunPlan(folder, [](VectorMapSettings& s) { s.UseHeightFilter = 1, s.ShowLayer1 = 0; }, 5.0f);
    EXPECT_TRUE(!HeightCallsForRender(baseOnly.settings, 15.0f) && HeightCallsForRender(baseOnly.settings, 25.0f));
    // A map that does not exist keeps nothing from the render before.
    VectorMapSettings s = both.settings;
    testing::RecordingSink sink;
    EXPECT_FALSE(PlanVectorMap(s, folder.Base("none"), 5.0f, sink, sink) || HeightCallsForRender(s, 15.0f));
}

TEST(VectorPlan, RefusedCanvasDrawsNothingAndKeepsTheLastSize) {
    testing::MapFolder folder;
    folder.Write("zone.txt", kFrame);
    struct Refusing : testing::RecordingSink { bool BeginCanvas(int, int, std::uint32_t) override { return false; } } sink;
    VectorMapSettings s;
    s.BitmapWidth = 77;
    EXPECT_TRUE(!PlanVectorMap(s, folder.Base("zone"), 0.0f, sink, sink) && s.BitmapWidth == 77 && sink.lines.empty());
}

TEST(VectorPlan, SearchFilterDrawsOnlyMatchingLabelsAndKeepsNoOtherAnchors) {
    testing::MapFolder folder;
    // One pixel per two units. "Guard" sits just below "First Bank", its anchor box over the bank label's first place.
    folder.Write("zone.txt", std::string(kFrame) +
                                 "P 0, 550, 0, 0, 0, 0, 2, Guard\n"
                                 "P 0, 500, 0, 0, 0, 0, 2, First_Bank\n"
                                 "P 400, 500, 0, 0, 0, 0, 2, BANKER\n");
    const Plan plan = RunPlan(folder, [](VectorMapSettings& s) { s.MapResolution = 1000; s.SearchFilter = "bank"; });
    ASSERT_EQ(plan.sink.labels.size(), 2u);
    EXPECT_EQ(plan.sink.labels[0].text + "|" + plan.sink.labels[1].text, "First Bank|BANKER");
    EXPECT_EQ(plan.sink.labels[0].box, (Rect{500, 271, 561, 282}));
    // Without the filter "Guard"'s anchor box pushes the bank label away.
    const Plan all = RunPlan(folder, [](VectorMapSettings& s) { s.MapResolution = 1000; });
    ASSERT_EQ(all.sink.labels.size(), 3u);
    EXPECT_NE(all.sink.labels[1].box, (Rect{500, 271, 561, 282}));
}

TEST(VectorPlan, HiddenLayersKeepTheBoundsAndLayersDrawInOrder) {
    testing::MapFolder folder;
    folder.Write("zone_2.txt", "L 0, 0, 0, 10, 10, 0, 2, 0, 0\n");
    folder.Write("zone.txt", "L 0, 0, 0, 100, 100, 0, 0, 0, 0\n");
    folder.Write("zone_1.txt", "L -1000, 0, 0, 0, 0, 0, 1, 0, 0\n");
    folder.Write("zone_3.txt", "P 0, 1000, 0, 0, 0, 0, 2, Far\n");
    const Plan shown = RunPlan(folder, [](VectorMapSettings&) {});
    EXPECT_TRUE(LineColours(shown) == (std::vector<Colour>{0, 1, 2}) && shown.sink.labels.size() == 1u);
    const Plan hidden = RunPlan(folder, [](VectorMapSettings& s) { s.ShowBase = s.ShowLayer1 = s.ShowLayer2 = s.ShowLayer3 = 0; });
    ASSERT_TRUE(hidden.made);
    const auto size = [](const Plan& p) { return std::tuple(p.settings.BitmapWidth, p.settings.BitmapHeight, p.settings.working.logicalX2); };
    EXPECT_EQ(size(hidden), size(shown));
    EXPECT_TRUE(hidden.sink.lines.empty() && hidden.sink.labels.empty());
}

TEST(VectorPlan, ScaledPlanKeepsPointSizesAndOrderAndReplaysWhatIsInView) {
    testing::MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) +
                                 "L 0, 500, 0, 100, 500, 0, 1, 0, 0\n"
                                 "P 0, 500, 0, 300, 0, 1, 2, Gate\n"
                                 "L 900, 900, 0, 1000, 1000, 0, 2, 0, 0\n");
    VectorMapSettings settings;
    settings.MapResolution = 800, settings.BitmapWidth = 123;
    testing::RecordingSink measurer;
    ScaledVectorPlan plan;
    ASSERT_TRUE(PlanScaledVectorMap(settings, folder.Base("zone"), 0.0f, 2.5, measurer, plan));
    EXPECT_EQ(settings.BitmapWidth, 123);  // the last render's state is left alone
    EXPECT_EQ(std::vector({plan.baseWidth, plan.baseHeight, plan.width, plan.height}), std::vector({800, 400, 2000, 1000}));
    ASSERT_TRUE(plan.lines.size() == 3u && plan.labels.size() == 1u);
    EXPECT_EQ(std::vector({plan.lines[1].x1, plan.lines[1].y1, plan.lines[1].x2, plan.lines[1].y2}), std::vector({1000, 500, 1100, 500}));
    // The label keeps its size in pixels: the same 25 x 11 box, bh + 10 below its scaled anchor.
    EXPECT_TRUE(plan.labels[0].box == (Rect{1000, 521, 1025, 532}) && plan.linesBeforeLabel == std::vector<std::size_t>{2});
    testing::RecordingSink inView;  // inside the label box: only the frame's bounds reach it
    ReplayScaledVectorPlan(plan, Rect{1010, 525, 1020, 530}, inView);
    EXPECT_TRUE(inView.lines.size() == 1u && inView.lines[0].colour == 0 && inView.labels.size() == 1u);
}

}  // namespace
}  // namespace tolvik
